// The screen's mean brightness, read again and again, for the end-to-end tests that must see a
// moment shorter than an ImageMagick screenshot takes on a busy machine (half a second to more
// than a second at 1920 x 1080): the plasma's 430 ms of black before each switch of model.
//
//   chromaflux_screen_brightness SECONDS
//
// For SECONDS, reads the root window (XGetImage, what ImageMagick's `import -window root` reads)
// one picture after another and prints a line for each, flushed at once: "BEGAN ENDED MEAN", the
// wall clock before and after the picture in milliseconds since the epoch, and the mean of the
// red, green and blue channels of every 4th pixel of every 8th row, 0 (black) ... 1 (white), as
// ImageMagick's fx:mean of those pixels. Reading only those rows, one request each, moves an
// eighth of the screen's bytes: a picture takes a few tens of milliseconds rather than hundreds on
// a busy machine, and its rows may come from frames drawn in that time. 50 ms pass between one
// picture and the next: a moment of 430 ms is seen several times, and the machine is left to
// others. Exit code 1 without a display or a picture.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr int kColumnStep = 4;  // pixels between the samples of a row
constexpr int kRowStep = 8;     // rows between the rows read
constexpr double kChannelLevels = 3.0 * 255.0;
constexpr std::chrono::milliseconds kPause{50};  // between one picture and the next

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// A channel of `pixel` under `mask` as 0 ... 255; 8-bit channels, as on a 24-bit screen.
unsigned long Channel(unsigned long pixel, unsigned long mask) {
  return (pixel & mask) / (mask & (0 - mask));  // divided by the mask's lowest bit
}

// The sum of the sampled channels of one row image, and how many pixels were sampled.
void AddRow(XImage* row, double& sum, std::int64_t& samples) {
  for (int x = 0; x < row->width; x += kColumnStep) {
    const unsigned long pixel = XGetPixel(row, x, 0);
    sum += static_cast<double>(Channel(pixel, row->red_mask) + Channel(pixel, row->green_mask) +
                               Channel(pixel, row->blue_mask));
    ++samples;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: chromaflux_screen_brightness SECONDS\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "chromaflux_screen_brightness: no display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  const std::int64_t endMs = NowMs() + 1000 * std::atoll(argv[1]);
  while (NowMs() < endMs) {
    std::this_thread::sleep_until(std::chrono::steady_clock::now() + kPause);
    const std::int64_t beganMs = NowMs();
    double sum = 0.0;
    std::int64_t samples = 0;
    for (int y = 0; y < attributes.height; y += kRowStep) {
      XImage* row = XGetImage(display, root, 0, y, static_cast<unsigned>(attributes.width), 1,
                              AllPlanes, ZPixmap);
      if (row == nullptr) {
        std::fprintf(stderr, "chromaflux_screen_brightness: no picture of the screen\n");
        return 1;
      }
      AddRow(row, sum, samples);
      XDestroyImage(row);
    }
    const std::int64_t endedMs = NowMs();
    std::printf("%lld %lld %.4f\n", static_cast<long long>(beganMs),
                static_cast<long long>(endedMs),
                sum / (kChannelLevels * static_cast<double>(samples)));
    std::fflush(stdout);
  }
  XCloseDisplay(display);
  return 0;
}
