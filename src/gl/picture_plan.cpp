#include "gl/picture_plan.h"

#include <algorithm>
#include <cstddef>

#include "plasma/model_space.h"
#include "software/layer_taps.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/console_text.h"

namespace {

bool IsClassicSize(PictureSize size) {
  return size.width == kModelWidth && size.height == kModelHeight;
}

RowPlan PlasmaRow(std::int32_t glowStep) {
  return {static_cast<std::int32_t>(RowKind::Plasma), glowStep, 0, 0};
}

RowPlan LayerRow(const LayerTap& tap, std::uint32_t margin) {
  return {static_cast<std::int32_t>(RowKind::Layer), tap.first | tap.second << 16,
          static_cast<std::int32_t>(tap.weight), static_cast<std::int32_t>(margin)};
}

constexpr RowPlan kBlackRow{static_cast<std::int32_t>(RowKind::Fill), 0, 0, 0};

}  // namespace

// The glow's rows above the band, and the TAB hint's until the first TAB.
std::int32_t ProcessorLayerTop(const FrameDescription& frame) {
  std::int32_t top = screenHeight;
  if (app.consoleOffset > 0) {
    top = frame.pictures[0].bandTop - (kConsoleGlowSteps - 1);
  }
  if (app.tabPressed == 0) {
    top = std::min(top, kTabHintTop);
  }
  return std::max(top, 0);
}

std::vector<RowPlan> PlanRows(const FrameDescription& frame, std::int32_t picture,
                              PictureSize size) {
  const auto height = static_cast<std::size_t>(size.height);
  if (frame.content == FrameContent::IntroPage) {
    std::vector<RowPlan> rows(height, kBlackRow);
    if (picture == 0) {
      const std::vector<LayerTap> taps = WholeLayerRowTaps(size, frame.layer);
      for (std::size_t r = 0; r < height; ++r) {
        rows[r] = taps[r].inside ? LayerRow(taps[r], 0) : kBlackRow;
      }
    }
    return rows;
  }
  const PictureDescription& description = frame.pictures[picture];
  if (description.field == FieldKind::None) {
    return std::vector<RowPlan>(height, kBlackRow);
  }
  std::vector<RowPlan> rows(height, PlasmaRow(kConsoleGlowSteps));
  if (picture != 0) {
    return rows;
  }
  if (IsClassicSize(size)) {
    for (std::int32_t r = ProcessorLayerTop(frame); r < size.height; ++r) {
      rows[static_cast<std::size_t>(r)] = LayerRow({r, r, 0, true}, 0);
    }
    return rows;
  }
  const double scale = frame.layer.scale;
  const std::int32_t bandTop = std::min(description.bandTop, size.height);
  for (std::int32_t r = 0; r < bandTop; ++r) {
    rows[static_cast<std::size_t>(r)] = PlasmaRow(ConsoleGlowStep(bandTop, r, scale));
  }
  const std::vector<LayerTap> taps = BandRowTaps(size, frame.layer, frame.consoleTop, bandTop);
  for (std::int32_t r = bandTop; r < size.height; ++r) {
    rows[static_cast<std::size_t>(r)] = LayerRow(taps[static_cast<std::size_t>(r - bandTop)],
                                                 BandMarginColour(size.height, r, scale));
  }
  return rows;
}

std::vector<ColumnPlan> PlanColumns(PictureSize size, const LayerLayout& layout) {
  const std::vector<LayerTap> taps = LayerColumnTaps(size, layout);
  std::vector<ColumnPlan> columns(taps.size());
  for (std::size_t c = 0; c < taps.size(); ++c) {
    columns[c] = {taps[c].inside ? 1 : 0, taps[c].first, taps[c].second,
                  static_cast<std::int32_t>(taps[c].weight)};
  }
  return columns;
}
