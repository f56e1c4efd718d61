#include "windows/win_platform.h"

namespace {

WinPlatform platform;

}  // namespace

WinPlatform& Platform() {
  return platform;
}
