#include "sdl/png_file.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include <png.h>
#include <unistd.h>

#include "sdl/temporary_file.h"

namespace {

// zlib's own default, stated so that the bytes do not depend on the library's choice.
constexpr int kCompressionLevel = 6;
constexpr int kBitsPerChannel = 8;
constexpr std::size_t kBytesPerPixel = 3;  // R, G, B
constexpr std::uint32_t kRedShift = 16;
constexpr std::uint32_t kGreenShift = 8;
constexpr std::uint32_t kByteMask = 0xFF;
constexpr std::string_view kPngSuffix = ".png";
constexpr std::size_t kLeastIndexDigits = 4;
constexpr std::size_t kMessageSize = 200;

// Where libpng's callbacks report to. libpng leaves its calls by longjmp, so they only record.
struct PngOutput {
  std::FILE* file = nullptr;        // the temporary, open for writing
  int writeErrno = 0;               // errno of a failed write; 0 when libpng refused by itself
  char message[kMessageSize] = "";  // libpng's reason when it refused
};

void OnPngError(png_structp png, png_const_charp message) {
  PngOutput* output = static_cast<PngOutput*>(png_get_error_ptr(png));
  std::snprintf(output->message, sizeof output->message, "%s", message);
  png_longjmp(png, 1);
}

// Warnings are about settings this writer never makes; ignored so that nothing is printed.
void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t length) {
  PngOutput* output = static_cast<PngOutput*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, output->file) != length) {
    output->writeErrno = errno;
    png_error(png, "write failed");
  }
}

// The file is flushed and synced once, when it is complete.
void OnPngFlush(png_structp) {}

// The libpng part of writing. png_error leaves it by longjmp, which runs no destructors: only
// trivially destructible locals live here, and `row` (width * 3 bytes) is the caller's.
bool EncodePng(PngOutput& output, const FrameView& frame, png_byte* row) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, OnPngError, OnPngWarning);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::snprintf(output.message, sizeof output.message, "not enough memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &output, OnPngWrite, OnPngFlush);
  png_set_compression_level(png, kCompressionLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width),
               static_cast<png_uint_32>(frame.height), kBitsPerChannel, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < frame.height; ++y) {
    const std::uint32_t* source = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
    png_byte* target = row;
    for (std::int32_t x = 0; x < frame.width; ++x) {
      const std::uint32_t pixel = source[x];
      target[0] = static_cast<png_byte>((pixel >> kRedShift) & kByteMask);
      target[1] = static_cast<png_byte>((pixel >> kGreenShift) & kByteMask);
      target[2] = static_cast<png_byte>(pixel & kByteMask);
      target += kBytesPerPixel;
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::string Problem(const std::string& path, const char* why) {
  return "cannot write '" + path + "': " + why;
}

}  // namespace

bool WritePngFile(const std::string& path, const FrameView& frame, std::string& problem) {
  assert(frame.pixels != nullptr && frame.width >= 1 && frame.height >= 1 &&
         frame.pitch >= frame.width);
  std::string temporary;
  const int descriptor = CreateTemporaryBeside(path, temporary);
  if (descriptor < 0) {
    problem = Problem(path, std::strerror(errno));
    return false;
  }
  PngOutput output;
  output.file = fdopen(descriptor, "wb");
  if (output.file == nullptr) {
    problem = Problem(path, std::strerror(errno));
    close(descriptor);
    unlink(temporary.c_str());
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(frame.width) * kBytesPerPixel);
  bool written = EncodePng(output, frame, row.data());
  if (!written) {
    problem =
        Problem(path, output.writeErrno != 0 ? std::strerror(output.writeErrno) : output.message);
  }
  // Synced before the rename: a crash must not leave the name on a file whose bytes never
  // reached the disk.
  if (written && (std::fflush(output.file) != 0 || fsync(fileno(output.file)) != 0)) {
    problem = Problem(path, std::strerror(errno));
    written = false;
  }
  if (std::fclose(output.file) != 0 && written) {
    problem = Problem(path, std::strerror(errno));
    written = false;
  }
  if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
    problem = Problem(path, std::strerror(errno));
    written = false;
  }
  if (!written) {
    unlink(temporary.c_str());
  }
  return written;
}

std::string NumberedPngName(const std::string& file, std::int32_t index, std::int32_t count) {
  assert(file.size() > kPngSuffix.size() && index >= 1 && index <= count);
  if (count == 1) {
    return file;
  }
  std::string number = std::to_string(index);
  const std::size_t digits = std::max(kLeastIndexDigits, std::to_string(count).size());
  number.insert(0, digits - number.size(), '0');
  return file.substr(0, file.size() - kPngSuffix.size()) + "-" + number + std::string(kPngSuffix);
}
