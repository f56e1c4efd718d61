#include "sdl/foreign_window.h"

#include <cstdio>
#include <optional>

#include <X11/Xlib.h>

namespace {

// The foreign window and this file's connection to its X server.
struct ForeignWindowRecord {
  Display* display = nullptr;  // this file's own connection
  Window window = 0;           // the window drawn on
  int width = 0;               // its size when last seen, in pixels
  int height = 0;
  XErrorHandler previousHandler = nullptr;  // the handler the guard replaced; null: no guard
  bool gone = false;                        // the window was destroyed
  unsigned char probeError = 0;             // X error code met while probing; 0 = none
};

ForeignWindowRecord foreign;

int RecordProbeError(Display*, XErrorEvent* error) {
  foreign.probeError = error->error_code;
  return 0;
}

int GuardHandler(Display* display, XErrorEvent* error) {
  const bool aboutTheWindow = error->resourceid == foreign.window &&
                              (error->error_code == BadWindow || error->error_code == BadDrawable);
  if (aboutTheWindow) {
    foreign.gone = true;
    return 0;
  }
  return foreign.previousHandler(display, error);
}

std::string Describe(const char* format, unsigned long value) {
  char text[128];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Which window `target` names; false (with `problem`) when XSCREENSAVER_WINDOW holds no id.
bool FindWindow(DrawTarget target, std::uint32_t givenId, const char* screenSaverWindow,
                std::string& problem) {
  if (target == DrawTarget::GivenWindow) {
    foreign.window = givenId;
    return true;
  }
  if (screenSaverWindow == nullptr || screenSaverWindow[0] == '\0') {
    foreign.window = DefaultRootWindow(foreign.display);
    return true;
  }
  const std::optional<std::uint32_t> id = ParseWindowId(screenSaverWindow);
  if (!id) {
    problem = std::string("XSCREENSAVER_WINDOW '") + screenSaverWindow + "' is not a window id";
    return false;
  }
  foreign.window = *id;
  return true;
}

// Whether the window exists and takes drawing; also asks for its ConfigureNotify and
// DestroyNotify (StructureNotifyMask: this connection's own choice, SDL's is untouched). A window
// id that names nothing is answered with an X error, caught here instead of ending the program.
bool ProbeWindow(std::string& problem) {
  foreign.probeError = 0;
  const XErrorHandler previous = XSetErrorHandler(RecordProbeError);
  XWindowAttributes attributes{};
  const bool answered = XGetWindowAttributes(foreign.display, foreign.window, &attributes) != 0;
  if (answered && attributes.c_class == InputOutput) {
    XSelectInput(foreign.display, foreign.window, StructureNotifyMask);
  }
  XSync(foreign.display, False);
  XSetErrorHandler(previous);
  if (!answered || foreign.probeError != 0) {
    problem = Describe("no window 0x%lx on this display", foreign.window);
    return false;
  }
  if (attributes.c_class != InputOutput) {
    problem = Describe("window 0x%lx is input-only: nothing can be drawn on it", foreign.window);
    return false;
  }
  foreign.width = attributes.width;
  foreign.height = attributes.height;
  return true;
}

}  // namespace

bool OpenForeignWindow(DrawTarget target, std::uint32_t givenId, const char* screenSaverWindow,
                       std::string& problem) {
  foreign.display = XOpenDisplay(nullptr);
  if (foreign.display == nullptr) {
    problem = "no display: DISPLAY names none that answers";
    return false;
  }
  if (!FindWindow(target, givenId, screenSaverWindow, problem) || !ProbeWindow(problem)) {
    CloseForeignWindow();
    return false;
  }
  foreign.previousHandler = XSetErrorHandler(GuardHandler);
  return true;
}

void PutForeignWindowGuardFirst() {
  XSetErrorHandler(GuardHandler);  // previousHandler stays Xlib's: SDL's must not run
}

PictureSize ForeignWindowSize() {
  return {foreign.width, foreign.height};
}

std::uint32_t ForeignWindowId() {
  return static_cast<std::uint32_t>(foreign.window);
}

ForeignWindowNews CheckForeignWindow() {
  bool resized = false;
  while (!foreign.gone && XPending(foreign.display) > 0) {
    XEvent event;
    XNextEvent(foreign.display, &event);
    if (event.type == DestroyNotify && event.xdestroywindow.window == foreign.window) {
      foreign.gone = true;
    }
    const XConfigureEvent& configure = event.xconfigure;
    if (event.type == ConfigureNotify && configure.window == foreign.window &&
        (configure.width != foreign.width || configure.height != foreign.height)) {
      foreign.width = configure.width;
      foreign.height = configure.height;
      resized = true;
    }
  }
  if (foreign.gone) {
    return ForeignWindowNews::Gone;
  }
  return resized ? ForeignWindowNews::Resized : ForeignWindowNews::Unchanged;
}

void CloseForeignWindow() {
  if (foreign.previousHandler != nullptr) {
    XSetErrorHandler(foreign.previousHandler);
  }
  if (foreign.display != nullptr) {
    XCloseDisplay(foreign.display);
  }
  foreign = ForeignWindowRecord{};
}
