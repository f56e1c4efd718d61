// A plain X window for the end-to-end tests to give to the desktop program with --window-id.
//
//   chromaflux_test_window WIDTH HEIGHT X Y
//
// Makes a black window of that size at that place on the screen, outside the window manager's
// care (override-redirect, so it stays exactly there), prints its id as 0x... once it is mapped,
// then waits. Ending this process destroys the window with it.
#include <cstdio>
#include <cstdlib>

#include <X11/Xlib.h>

int main(int argc, char** argv) {
  constexpr int kArguments = 5;
  if (argc != kArguments) {
    std::fprintf(stderr, "usage: chromaflux_test_window WIDTH HEIGHT X Y\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "chromaflux_test_window: no display\n");
    return 1;
  }
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
  attributes.event_mask = StructureNotifyMask;
  const Window window =
      XCreateWindow(display, DefaultRootWindow(display), std::atoi(argv[3]), std::atoi(argv[4]),
                    static_cast<unsigned>(std::atoi(argv[1])),
                    static_cast<unsigned>(std::atoi(argv[2])), 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XMapRaised(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      std::printf("0x%lx\n", window);
      std::fflush(stdout);
    }
  }
}
