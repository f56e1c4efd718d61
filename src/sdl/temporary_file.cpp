#include "sdl/temporary_file.h"

#include <fcntl.h>

#include <cerrno>
#include <string_view>

namespace {

// A new file's mode before the umask, as for any file a program makes.
constexpr mode_t kNewFileMode = 0666;
constexpr int kTemporaryNames = 100;
constexpr std::string_view kTemporarySuffix = ".tmp";

}  // namespace

int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
    temporary = path + "." + std::to_string(attempt) + std::string(kTemporarySuffix);
    const int descriptor =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (descriptor >= 0 || errno != EEXIST) {
      return descriptor;
    }
  }
  return -1;
}
