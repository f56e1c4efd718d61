// The PNG writer of --render: what it writes reads back as the frame, always as the same bytes,
// and a write that fails leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <png.h>
#include <unistd.h>

#include "sdl/png_file.h"

namespace {

namespace fs = std::filesystem;

// A 5 x 3 frame in rows of 7 pixels; the two past each row must never show.
constexpr std::int32_t kWidth = 5;
constexpr std::int32_t kHeight = 3;
constexpr std::int32_t kPitch = 7;

// A directory of its own for each test, as ctest may run them side by side.
fs::path TestDirectory() {
  const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const fs::path directory =
      fs::temp_directory_path() / ("chromaflux-png-" + std::to_string(getpid()) + "-" + test);
  fs::remove_all(directory);
  fs::create_directories(directory);
  return directory;
}

// Each channel of each pixel different, so that a swapped channel or a row stepped by the width
// shows; the pixels past the rows are all one colour.
struct TestFrame {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kPitch * kHeight, 0x00FF00FFu);
  std::vector<png_byte> rgb;  // what the file must hold
  TestFrame() {
    for (std::int32_t i = 0; i < kWidth * kHeight; ++i) {
      const png_byte r = static_cast<png_byte>(i * 17), g = static_cast<png_byte>(255 - i * 5),
                     b = static_cast<png_byte>(i * 3 + 1);
      pixels[i / kWidth * kPitch + i % kWidth] = std::uint32_t{r} << 16 | g << 8 | b;
      rgb.insert(rgb.end(), {r, g, b});
    }
  }
  FrameView View() { return FrameView{pixels.data(), kPitch, kWidth, kHeight}; }
};

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<fs::path> Listing(const fs::path& directory) {
  std::set<fs::path> names;
  std::error_code error;
  for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    names.insert(entry->path());
  }
  return names;
}

TEST(PngFile, ReadsBackAsTheFrameAndTheSameBytesEveryTime) {
  const fs::path directory = TestDirectory();
  const fs::path a = directory / "a.png", b = directory / "b.png";
  TestFrame frame;
  std::string problem;
  ASSERT_TRUE(WritePngFile(a.string(), frame.View(), problem)) << problem;
  const std::string first = Bytes(a);
  ASSERT_TRUE(WritePngFile(a.string(), frame.View(), problem)) << problem;  // over itself
  ASSERT_TRUE(WritePngFile(b.string(), frame.View(), problem)) << problem;
  EXPECT_EQ(Bytes(a), first);
  EXPECT_EQ(Bytes(b), first);
  EXPECT_EQ(Listing(directory), (std::set<fs::path>{a, b}));  // no temporary left

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, a.c_str())) << image.message;
  EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));  // 8-bit RGB, no alpha
  EXPECT_EQ(image.width, static_cast<png_uint_32>(kWidth));
  EXPECT_EQ(image.height, static_cast<png_uint_32>(kHeight));
  std::vector<png_byte> read(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(read, frame.rgb);
  fs::remove_all(directory);
}

TEST(PngFile, AFailedWriteNamesTheFileAndLeavesNothing) {
  const fs::path directory = TestDirectory();
  fs::create_directory(directory / "taken.png");
  const std::pair<fs::path, const char*> failures[] = {
      {directory / "missing" / "a.png", "No such file or directory"},
      // sysfs makes no new file for anyone; a read-only directory would not stop root.
      {"/sys/chromaflux-test.png", "Permission denied"},
      // Every byte is written before the rename finds a directory under the name.
      {directory / "taken.png", "Is a directory"},
  };
  TestFrame frame;
  for (const auto& [file, why] : failures) {
    const std::set<fs::path> before = Listing(file.parent_path());
    std::string problem;
    EXPECT_FALSE(WritePngFile(file.string(), frame.View(), problem)) << file;
    EXPECT_EQ(problem, "cannot write '" + file.string() + "': " + why);
    EXPECT_EQ(Listing(file.parent_path()), before) << file;
  }
  fs::remove_all(directory);
}

TEST(PngFile, NumberedNames) {
  const std::tuple<const char*, std::int32_t, std::int32_t, const char*> names[] = {
      {"a.png", 1, 1, "a.png"},
      {"a.png", 1, 2, "a-0001.png"},
      {"out/clip.png", 9999, 9999, "out/clip-9999.png"},
      {"c.png", 7, 10000, "c-00007.png"},
      {"x.png.png", 12, 2147483647, "x.png-0000000012.png"},
  };
  for (const auto& [file, index, count, name] : names) {
    EXPECT_EQ(NumberedPngName(file, index, count), name) << file << " " << index;
  }
}

}  // namespace
