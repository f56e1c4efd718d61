// What the core hands a renderer, frame by frame: a recording renderer in place of the software
// one, with pictures of sizes the test chooses.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/run.h"
#include "doubles/doubles.h"
#include "platform/renderer.h"
#include "state/app_state.h"

namespace {

using Calls = std::vector<std::string>;

struct Recorder {
  std::vector<PictureSize> pictures;  // what pictureCount and pictureSize answer
  Calls calls;                        // the hand-overs and renders since the last look
};

Recorder recorder;

bool StartRecorder() {
  return true;
}
void StopRecorder() {}
DisplayCheck BeginRecordedFrame() {
  return DisplayCheck::Ready;
}
std::int32_t RecordedPictureCount() {
  return static_cast<std::int32_t>(recorder.pictures.size());
}
PictureSize RecordedPictureSize(std::int32_t picture) {
  return recorder.pictures.at(static_cast<std::size_t>(picture));
}
void RecordField(std::int32_t picture, const PictureDescription&) {
  recorder.calls.push_back("field " + std::to_string(picture));
}
void RecordRing(const std::uint32_t*) {
  recorder.calls.push_back("ring");
}
void RecordLayer(FrameContent) {
  recorder.calls.push_back("layer");
}
void RecordRender(const FrameDescription&) {
  recorder.calls.push_back("render");
}
bool RecorderPacesFrames() {
  return false;
}

constexpr Renderer kRecordingRenderer{
    StartRecorder, StopRecorder, BeginRecordedFrame, RecordedPictureCount, RecordedPictureSize,
    RecordField,   RecordRing,   RecordLayer,        RecordRender,         RecorderPacesFrames};

class RendererHandover : public ::testing::Test {
 protected:
  // Two pictures of one size and one of another: high resolution, no classic frame.
  void SetUp() override {
    EndRun();
    doubles::ResetDoubles();
    doubles::clockTicks = 1000;  // the blink's tick 0 would mean "never toggled"
    recorder = Recorder{};
    recorder.pictures = {{320, 200}, {200, 320}, {320, 200}};
    ASSERT_TRUE(StartRun(4242, RunOpening::IntroPage, RunSettings{}, kRecordingRenderer));
  }
  void TearDown() override { EndRun(); }
};

TEST_F(RendererHandover, HandsOverOnlyWhatChanged) {
  const struct {
    const char* frame;
    std::function<void()> before;
    Calls handed;
  } steps[] = {
      {"the intro page", [] {}, {"layer", "render"}},
      {"the intro page, blink unchanged", [] {}, {"render"}},
      {"the first running frame",
       [] { PostClick(); },
       {"field 0", "field 1", "field 2", "ring", "layer", "render"}},
      {"a plain frame", [] {}, {"ring", "render"}},
      {"new colours", [] { PostKey(kKeyZ); }, {"ring", "render"}},
      {"a model switch",
       [] { PostKey(kKeyA); },
       {"field 0", "field 1", "field 2", "ring", "render"}},
      {"the console moving", [] { app.consoleOffset = 40; }, {"ring", "layer", "render"}},
      {"the console open: its strip shows the ring", [] {}, {"ring", "layer", "render"}},
      {"the console hidden again", [] { app.consoleOffset = 0; }, {"ring", "layer", "render"}},
      {"a picture of a new size",
       [] {
         recorder.pictures[2] = {640, 400};
       },
       {"field 2", "ring", "render"}},
  };
  for (const auto& step : steps) {
    recorder.calls.clear();
    step.before();
    ASSERT_EQ(RunFrame(), 0);
    EXPECT_EQ(recorder.calls, step.handed) << step.frame;
  }
}

// Pictures of one size share one field, evaluated once; no picture shows the classic frame, so
// its 48 MB of tables are never made.
TEST_F(RendererHandover, PicturesOfOneSizeShareTheirField) {
  PostClick();
  ASSERT_EQ(RunFrame(), 0);
  const FrameDescription& frame = app.frame;
  EXPECT_EQ(frame.pictures[0].fieldIndex, frame.pictures[2].fieldIndex);
  EXPECT_NE(frame.pictures[0].fieldIndex, frame.pictures[1].fieldIndex);
  EXPECT_EQ(app.evaluations, 2u);
  EXPECT_EQ(app.RADIUS, nullptr);
  EXPECT_EQ(app.IndexBuffer, nullptr);
}

}  // namespace
