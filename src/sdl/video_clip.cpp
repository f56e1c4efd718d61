#include "sdl/video_clip.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "sdl/temporary_file.h"

extern char** environ;

namespace {

constexpr std::size_t kBytesPerPixel = 4;
constexpr std::size_t kShownLogLines = 5;  // ffmpeg's last lines shown when it fails

struct ClipSuffix {
  std::string_view suffix;
  ClipKind kind;
};
constexpr ClipSuffix kClipSuffixes[] = {{".png", ClipKind::Png},
                                        {".mp4", ClipKind::Mp4},
                                        {".webm", ClipKind::Webm},
                                        {".mkv", ClipKind::Mkv},
                                        {".gif", ClipKind::Gif}};

// The clip being written.
struct VideoClip {
  pid_t ffmpeg = -1;           // the encoder, while it runs
  int frames = -1;             // the write end of the pipe it reads frames from
  std::FILE* log = nullptr;    // where its messages go
  std::string file;            // the clip's name
  std::string temporary;       // the file being written, which takes the name at the end
  std::string palette;         // .gif: the first pass's palette
  bool lastPass = false;       // this pass writes the clip itself
  std::size_t frameBytes = 0;  // width x height x 4
};

VideoClip clip;

// The frames' words, 0x00RRGGBB, as ffmpeg names their bytes in memory.
const char* RawPixelFormat() {
  const std::uint32_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1 ? "bgr0" : "0rgb";
}

bool FfmpegIsOnThePath() {
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const std::string folder(folders.substr(0, colon));
    if (access(((folder.empty() ? "." : folder) + "/ffmpeg").c_str(), X_OK) == 0) {
      return true;
    }
    folders = colon == std::string_view::npos ? "" : folders.substr(colon + 1);
  }
  return false;
}

// ffmpeg's arguments for one pass: raw frames on standard input, the codec, the output.
std::vector<std::string> FfmpegArguments(ClipKind kind, std::int32_t pass, PictureSize size,
                                         std::int32_t fps) {
  std::vector<std::string> arguments{"ffmpeg",
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-y",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     RawPixelFormat(),
                                     "-video_size",
                                     std::to_string(size.width) + "x" + std::to_string(size.height),
                                     "-framerate",
                                     std::to_string(fps),
                                     "-i",
                                     "pipe:0"};
  const auto add = [&arguments](std::initializer_list<const char*> more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
  };
  const char* evenSides = "pad=ceil(iw/2)*2:ceil(ih/2)*2";
  switch (kind) {
    case ClipKind::Mp4:
      add({"-vf", evenSides, "-c:v", "libx264", "-preset", "medium", "-crf", "16", "-x264-params",
           "aq-mode=3", "-pix_fmt", "yuv420p", "-movflags", "+faststart", "-f", "mp4"});
      break;
    case ClipKind::Webm:
      add({"-vf", evenSides, "-c:v", "libvpx-vp9", "-crf", "24", "-b:v", "0", "-deadline", "good",
           "-cpu-used", "4", "-row-mt", "1", "-pix_fmt", "yuv420p", "-f", "webm"});
      break;
    case ClipKind::Mkv:
      add({"-c:v", "ffv1", "-level", "3", "-pix_fmt", "bgr0", "-f", "matroska"});
      break;
    case ClipKind::Gif:
      if (pass == 0) {
        add({"-vf", "palettegen=stats_mode=full", "-c:v", "png", "-update", "1", "-f", "image2"});
        arguments.push_back(clip.palette);
        return arguments;
      }
      add({"-f", "png_pipe", "-i"});
      arguments.push_back(clip.palette);
      add({"-lavfi", "paletteuse=dither=sierra2_4a", "-f", "gif"});
      break;
    case ClipKind::Png:
      break;
  }
  arguments.push_back(clip.temporary);
  return arguments;
}

// ffmpeg's last lines, each after a newline and an indent.
std::string LastLogLines() {
  std::deque<std::string> lines;
  if (clip.log != nullptr) {
    std::rewind(clip.log);
    char line[512];
    while (std::fgets(line, sizeof line, clip.log) != nullptr) {
      lines.emplace_back(line, std::strcspn(line, "\n"));
      if (lines.size() > kShownLogLines) {
        lines.pop_front();
      }
    }
  }
  std::string shown;
  for (const std::string& line : lines) {
    shown += "\n  " + line;
  }
  return shown;
}

// Closes the pipe and waits for ffmpeg: empty where it ended well, else what became of it.
std::string WaitForFfmpeg() {
  if (clip.frames >= 0) {
    close(clip.frames);
    clip.frames = -1;
  }
  int status = 0;
  while (clip.ffmpeg > 0 && waitpid(clip.ffmpeg, &status, 0) < 0 && errno == EINTR) {
  }
  clip.ffmpeg = -1;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    return {};
  }
  const std::string how = WIFSIGNALED(status)
                              ? "was killed by signal " + std::to_string(WTERMSIG(status))
                              : "failed with exit code " + std::to_string(WEXITSTATUS(status));
  return "ffmpeg " + how + " writing '" + clip.file + "'" + LastLogLines();
}

void RemoveFiles() {
  if (!clip.temporary.empty()) {
    unlink(clip.temporary.c_str());
  }
  if (!clip.palette.empty()) {
    unlink(clip.palette.c_str());
  }
  if (clip.log != nullptr) {
    std::fclose(clip.log);
  }
  clip = VideoClip{};
}

// A file made beside the clip's name for one of its parts; false with `problem`.
bool MakeBeside(const std::string& path, std::string& name, std::string& problem) {
  const int descriptor = CreateTemporaryBeside(path, name);
  if (descriptor < 0) {
    problem = "cannot write '" + clip.file + "': " + std::strerror(errno);
    name.clear();
    return false;
  }
  close(descriptor);
  return true;
}

bool StartFfmpeg(const std::vector<std::string>& arguments, std::string& problem) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    problem = std::string("cannot start ffmpeg: ") + std::strerror(errno);
    return false;
  }
  std::vector<char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fileno(clip.log), STDERR_FILENO);
  const int spawned = posix_spawnp(&clip.ffmpeg, "ffmpeg", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[0]);
  if (spawned != 0) {
    close(pipeEnds[1]);
    clip.ffmpeg = -1;
    problem = std::string("cannot start ffmpeg: ") + std::strerror(spawned);
    return false;
  }
  clip.frames = pipeEnds[1];
  return true;
}

}  // namespace

std::optional<ClipKind> ClipKindOf(std::string_view file) {
  for (const ClipSuffix& known : kClipSuffixes) {
    const std::size_t suffix = known.suffix.size();
    if (file.size() > suffix && file.substr(file.size() - suffix) == known.suffix &&
        file[file.size() - suffix - 1] != '/') {
      return known.kind;
    }
  }
  return std::nullopt;
}

std::int32_t ClipPasses(ClipKind kind) {
  return kind == ClipKind::Gif ? 2 : 1;
}

bool OpenVideoClip(const std::string& file, ClipKind kind, std::int32_t pass, PictureSize size,
                   std::int32_t fps, std::string& problem) {
  if (!FfmpegIsOnThePath()) {
    problem = "no ffmpeg on the PATH to write '" + file + "': install the package ffmpeg";
    return false;
  }
  if (pass == 0) {
    AbandonVideoClip();
    clip.file = file;
    if (!MakeBeside(file, clip.temporary, problem) ||
        (kind == ClipKind::Gif && !MakeBeside(file + ".palette", clip.palette, problem))) {
      AbandonVideoClip();
      return false;
    }
  }
  if (clip.log != nullptr) {
    std::fclose(clip.log);
  }
  clip.log = std::tmpfile();
  clip.lastPass = pass == ClipPasses(kind) - 1;
  clip.frameBytes = static_cast<std::size_t>(size.width) * size.height * kBytesPerPixel;
  // A write to an ffmpeg that has ended fails with EPIPE instead of ending this program.
  std::signal(SIGPIPE, SIG_IGN);
  if (clip.log == nullptr || !StartFfmpeg(FfmpegArguments(kind, pass, size, fps), problem)) {
    if (problem.empty()) {
      problem = std::string("cannot start ffmpeg: ") + std::strerror(errno);
    }
    AbandonVideoClip();
    return false;
  }
  return true;
}

bool WriteVideoFrame(const FrameView& frame, std::string& problem) {
  const auto rowBytes = static_cast<std::size_t>(frame.width) * kBytesPerPixel;
  for (std::int32_t row = 0; row < frame.height; ++row) {
    const auto* bytes = reinterpret_cast<const char*>(
        frame.pixels + static_cast<std::ptrdiff_t>(row) * frame.pitch);
    std::size_t left = rowBytes;
    while (left > 0) {
      const ssize_t written = write(clip.frames, bytes, left);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        problem = WaitForFfmpeg();
        if (problem.empty()) {
          problem = "ffmpeg stopped taking frames for '" + clip.file + "'";
        }
        AbandonVideoClip();
        return false;
      }
      bytes += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  return true;
}

bool CloseVideoClip(std::string& problem) {
  problem = WaitForFfmpeg();
  if (problem.empty() && clip.lastPass) {
    // Synced before the rename: the name must not land on bytes that never reached the disk.
    const int descriptor = open(clip.temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || fsync(descriptor) != 0 ||
        std::rename(clip.temporary.c_str(), clip.file.c_str()) != 0) {
      problem = "cannot write '" + clip.file + "': " + std::strerror(errno);
    } else {
      clip.temporary.clear();
    }
    if (descriptor >= 0) {
      close(descriptor);
    }
  }
  if (!problem.empty() || clip.lastPass) {
    RemoveFiles();
  }
  return problem.empty();
}

void AbandonVideoClip() {
  if (clip.ffmpeg > 0) {
    kill(clip.ffmpeg, SIGKILL);
  }
  WaitForFfmpeg();
  RemoveFiles();
}
