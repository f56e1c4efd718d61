#include "app/layer_layout.h"

#include <algorithm>
#include <cmath>

#include "plasma/model_space.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

LayerLayout ChooseLayerLayout(PictureSize picture, FrameContent content, double pixelsPerPoint) {
  const double classic = ModelScale(picture.width, picture.height);
  const double readable = kReadableEmPt * pixelsPerPoint / kTextEmPx;
  const bool classicFrame = picture.width == kModelWidth && picture.height == kModelHeight;
  if (classic >= readable || classicFrame) {
    return {kModelWidth, kModelHeight, classic};
  }
  // Whole picture pixels keep the glyphs free of blended seams; the layer's pixels never outnumber
  // what it holds.
  const double fill = std::sqrt(static_cast<double>(picture.width) * picture.height / kLayerPixels);
  const double scale = std::max(readable >= 1 ? std::ceil(readable) : readable, fill);
  const auto width = std::max(1, static_cast<std::int32_t>(picture.width / scale));
  if (content == FrameContent::IntroPage) {
    return {width, std::max(1, static_cast<std::int32_t>(picture.height / scale)), scale};
  }
  // The console's band: the classic console where it fits across, else the narrow one where that
  // fits, else the classic console as wide as the picture.
  if (width >= kModelWidth) {
    return {kModelWidth, kModelHeight, scale};
  }
  if (width >= kNarrowConsoleLeastWidth) {
    return {width, kModelHeight, scale};
  }
  return {kModelWidth, kModelHeight, picture.width / double{kModelWidth}};
}
