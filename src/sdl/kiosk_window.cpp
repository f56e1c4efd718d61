#include "sdl/kiosk_window.h"

#include <algorithm>
#include <vector>

#include <SDL2/SDL.h>
// Last: Xlib's macros (None, Bool) would rename the core's names.
#include <SDL2/SDL_syswm.h>

namespace {

constexpr long kPropertyLongsRead = 1024;  // more than a window manager lists as supported
constexpr Uint32 kFullscreen = SDL_WINDOW_FULLSCREEN_DESKTOP;

int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

// The 32-bit values of `window`'s property `name` of `type`; empty where it has none.
std::vector<unsigned long> PropertyValues(Display* display, Window window, const char* name,
                                          Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, kPropertyLongsRead,
                         False, type, &actualType, &format, &count, &remaining, &data) == Success &&
      actualType == type && format == 32) {
    // Xlib hands 32-bit values over as longs.
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    values.assign(longs, longs + count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return values;
}

// Whether a window manager runs that makes windows full screen (EWMH): the root window names its
// check window, which names itself (one that ended may leave the root's name behind, naming a
// window that is gone: the error is ignored), and lists _NET_WM_STATE_FULLSCREEN as supported.
bool WindowManagerMakesFullScreen(Display* display) {
  const Window root = DefaultRootWindow(display);
  const std::vector<unsigned long> check =
      PropertyValues(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.size() != 1) {
    return false;
  }
  XSync(display, False);
  const XErrorHandler previous = XSetErrorHandler(IgnoreXError);
  const bool running =
      PropertyValues(display, check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) == check;
  XSync(display, False);
  XSetErrorHandler(previous);
  const std::vector<unsigned long> supported =
      PropertyValues(display, root, "_NET_SUPPORTED", XA_ATOM);
  const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  return running && std::find(supported.begin(), supported.end(), fullScreen) != supported.end();
}

}  // namespace

void CoverDisplayWithoutWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  SDL_Rect bounds{};
  if ((SDL_GetWindowFlags(window) & kFullscreen) != kFullscreen ||
      SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11 ||
      SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0 ||
      WindowManagerMakesFullScreen(info.info.x11.display)) {
    return;
  }
  XWindowChanges changes{};
  changes.x = bounds.x;
  changes.y = bounds.y;
  changes.width = bounds.w;
  changes.height = bounds.h;
  changes.stack_mode = Above;
  XConfigureWindow(info.info.x11.display, info.info.x11.window,
                   CWX | CWY | CWWidth | CWHeight | CWStackMode, &changes);
  XFlush(info.info.x11.display);
}
