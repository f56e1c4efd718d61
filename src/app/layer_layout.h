// Where the console and intro layer lies on picture 0, and at what size its texts are drawn.
//
// The classic layout shows the classic screen's layer at the picture's model scale. Where that
// would draw the text font smaller than kReadableEmPt points, the layer is laid out for the
// picture instead, at a scale that draws it at least that large, in whole picture pixels where a
// layer pixel is one or more: the intro page on a layer of the picture's shape, and the console's
// band on the classic console's rows, the classic console where it fits across and the narrow
// one (ui/console_panel.h) where it does not. The classic frame always has the classic layout.
#pragma once

#include "state/frame_description.h"

constexpr double kTextEmPx = 9;      // the text font's size, in layer pixels
constexpr double kReadableEmPt = 8;  // the least a reader is given, in points (1/96 inch)

// The layout of the layer for `content` on picture 0 of `picture`'s size, `pixelsPerPoint`
// picture pixels making a point.
LayerLayout ChooseLayerLayout(PictureSize picture, FrameContent content, double pixelsPerPoint);
