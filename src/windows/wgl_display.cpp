// The results of SwapBuffers, of the GDI copies and of the swap interval's calls in a frame are
// ignored on purpose: a swap or a copy that fails costs one frame's picture, and an interval the
// driver refuses only leaves the pacing to the loop's own clock. A context that can no longer be
// made current is lost for good: the next BeginGlFrame answers Failed, and the screen saver falls
// back to the software renderer.
#include "windows/wgl_display.h"

#include <array>
#include <cstddef>
#include <vector>

#include "gl/gl_functions.h"
#include "gl/picture_readback.h"
#include "platform/gl_display.h"
#include "state/app_state.h"
#include "windows/frame_box.h"
#include "windows/gdi_picture.h"
#include "windows/wgl_context.h"

namespace {

constexpr char kPictureClass[] = "ChromafluxGlPicture";

// One picture and where it is drawn.
struct WglPicture {
  HWND window = nullptr;   // its own window, on a top-level host; null where it is read back
  HDC dc = nullptr;        // the window's device context, its own for the window's life
  RECT area{};             // read back for a host: where GDI copies it, the host's coordinates
  PictureSize size;        // what the renderer draws
  PictureSize shown;       // its window's client size, or where read back its area's size
  GLuint framebuffer = 0;  // drawn here where `size` is not `shown`, or to be read back; else 0
  GLuint colour = 0;       // the framebuffer's RGBA8 renderbuffer
  std::vector<std::uint32_t> pixels;  // read back: the last frame, top row first
};

struct WglDisplay {
  HWND host = nullptr;      // whose areas the pictures cover; null for the read-back alone
  bool readBack = false;    // the pictures stay in framebuffers and are read back
  HWND hidden = nullptr;    // the context's own window where the pictures are read back
  HDC hiddenDc = nullptr;   // its device context
  HGLRC context = nullptr;  // the one context; null when closed
  HDC current = nullptr;    // the device context it is current on
  std::array<WglPicture, kMostPictures> pictures{};
  std::int32_t count = 0;               // pictures, 1 ... kMostPictures while open
  SwapInterval swapInterval = nullptr;  // WGL_EXT_swap_control's, where offered
  bool paced = false;                   // the driver took picture 0's interval of 1
  bool lost = false;                    // the context could not be made current
  std::vector<std::uint8_t> rows;       // glReadPixels' bytes, bottom row first
  bool drawn = false;                   // a frame was read back
};

WglDisplay display;

// A picture's window hands the pointer's messages to its host (its owner), as if the picture were
// not there: a move or a button in the host's client coordinates, the wheel in screen
// coordinates as it came. HTTRANSPARENT would not do: Wine passes a message on from a transparent
// top-level window only to the window right under it, which for all but one of several
// monitors' windows is another one of them.
LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND host = GetWindow(window, GW_OWNER);
  if (message < WM_MOUSEFIRST || message > WM_MOUSELAST || host == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message != WM_MOUSEWHEEL && message != WM_MOUSEHWHEEL) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(window, host, &at, 1);
    lParam = MAKELPARAM(at.x, at.y);
  }
  return SendMessageA(host, message, wParam, lParam);
}

// Registering a second time (a class left from an earlier display in the process) fails
// harmlessly. Each window keeps its device context (CS_OWNDC), which a pixel format belongs to.
void RegisterPictureClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = PictureWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kPictureClass;
  RegisterClassA(&windowClass);
}

bool Fail(std::string& problem, const char* what) {
  problem = what;
  CloseWglDisplay();
  return false;
}

// A window of the pictures' class at `box` (screen coordinates), owned by `owner`, with the
// contexts' pixel format: for the read-back a hidden one, else a topmost pop-up that is never
// activated. Null where it cannot be had.
HWND MakeGlWindow(HWND owner, const RECT& box, HDC& dc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterPictureClass(instance);
  const DWORD extendedStyle =
      owner != nullptr ? WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW : 0;
  HWND window = CreateWindowExA(extendedStyle, kPictureClass, "", WS_POPUP, box.left, box.top,
                                box.right - box.left, box.bottom - box.top, owner, nullptr,
                                instance, nullptr);
  dc = window != nullptr ? GetDC(window) : nullptr;
  if (dc == nullptr || !SetGlPixelFormat(dc)) {
    if (window != nullptr) {
      DestroyWindow(window);
    }
    return nullptr;
  }
  if (owner != nullptr) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  return window;
}

bool MakeCurrentOn(HDC dc) {
  if (dc != display.current) {
    if (wglMakeCurrent(dc, display.context) == FALSE) {
      display.lost = true;
      return false;
    }
    display.current = dc;
  }
  return true;
}

// The context on `dc`, with the functions of the table (gl/gl_functions.h).
bool MakeContext(HDC dc, std::string& problem) {
  display.context = MakeCoreContext(dc);
  if (display.context == nullptr) {
    problem = "no OpenGL 3.3 core context (wglCreateContextAttribsARB)";
    return false;
  }
  display.current = dc;
  const char* missing = nullptr;
  if (!LoadGlFunctions(missing)) {
    problem = std::string("the OpenGL context has no ") + missing;
    return false;
  }
  display.swapInterval = SwapIntervalFunction();
  return true;
}

bool MakeFramebuffer(WglPicture& picture) {
  GLint largest = 0;
  gl.GetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  if (picture.size.width > largest || picture.size.height > largest) {
    return false;
  }
  gl.GenFramebuffers(1, &picture.framebuffer);
  gl.GenRenderbuffers(1, &picture.colour);
  gl.BindRenderbuffer(GL_RENDERBUFFER, picture.colour);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, picture.size.width, picture.size.height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, picture.colour);
  return gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The pictures in framebuffers of their sizes, read back after each frame, and the context on a
// hidden window of its own.
bool OpenReadBack(std::string& problem) {
  display.readBack = true;
  display.hidden = MakeGlWindow(nullptr, RECT{0, 0, 1, 1}, display.hiddenDc);
  if (display.hidden == nullptr) {
    return Fail(problem, "no hidden window with an OpenGL pixel format");
  }
  if (!MakeContext(display.hiddenDc, problem)) {
    CloseWglDisplay();
    return false;
  }
  std::size_t largest = 0;
  for (std::int32_t i = 0; i < display.count; ++i) {
    WglPicture& picture = display.pictures[i];
    const auto pixels = static_cast<std::size_t>(picture.size.width) * picture.size.height;
    if (!MakeFramebuffer(picture)) {
      return Fail(problem, "no OpenGL framebuffer of a picture's size");
    }
    picture.pixels.resize(pixels);
    largest = pixels > largest ? pixels : largest;
  }
  display.rows.resize(largest * 4);
  return true;
}

// Each picture over its area of the top-level `host`, on a window of its own.
bool OpenWindows(HWND host, std::string& problem) {
  for (std::int32_t i = 0; i < display.count; ++i) {
    WglPicture& picture = display.pictures[i];
    RECT box = picture.area;
    MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&box), 2);
    picture.window = MakeGlWindow(host, box, picture.dc);
    if (picture.window == nullptr) {
      return Fail(problem, "no window with an OpenGL pixel format for a picture");
    }
  }
  if (!MakeContext(display.pictures[0].dc, problem)) {
    CloseWglDisplay();
    return false;
  }
  for (std::int32_t i = 0; i < display.count; ++i) {
    WglPicture& picture = display.pictures[i];
    const bool ownSize =
        picture.size.width == picture.shown.width && picture.size.height == picture.shown.height;
    if (!ownSize && !MakeFramebuffer(picture)) {
      return Fail(problem, "no OpenGL framebuffer for the classic frame");
    }
  }
  display.paced = display.swapInterval != nullptr && display.swapInterval(1) != FALSE;
  return true;
}

// The picture's framebuffer onto its window, which is current.
void Stretch(const WglPicture& picture) {
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer);
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  const bool smaller = picture.shown.width < picture.size.width;
  gl.BlitFramebuffer(0, 0, picture.size.width, picture.size.height, 0, 0, picture.shown.width,
                     picture.shown.height, GL_COLOR_BUFFER_BIT, smaller ? GL_LINEAR : GL_NEAREST);
}

void SwapWindows() {
  for (std::int32_t i = display.count - 1; i >= 0; --i) {
    const WglPicture& picture = display.pictures[i];
    if (!MakeCurrentOn(picture.dc)) {
      return;
    }
    if (picture.framebuffer != 0) {
      Stretch(picture);
    }
    if (display.count > 1 && display.swapInterval != nullptr) {
      display.swapInterval(i == 0 ? 1 : 0);
    }
    SwapBuffers(picture.dc);
  }
}

void ReadBack(WglPicture& picture) {
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer);
  ReadGlPicture(picture.size, display.rows, picture.pixels);
}

FrameView ReadBackView(WglPicture& picture) {
  return {picture.pixels.data(), picture.size.width, picture.size.width, picture.size.height};
}

}  // namespace

bool OpenWglWindows(HWND host, const RECT* areas, std::int32_t count, bool classic,
                    std::string& problem) {
  CloseWglDisplay();
  display.host = host;
  display.count = count < 1 ? 1 : (count > kMostPictures ? kMostPictures : count);
  const bool topLevel = (GetWindowLongPtrA(host, GWL_STYLE) & WS_CHILD) == 0;
  for (std::int32_t i = 0; i < display.count; ++i) {
    WglPicture& picture = display.pictures[i];
    picture.area = areas[i];
    const LONG width = picture.area.right - picture.area.left;
    const LONG height = picture.area.bottom - picture.area.top;
    if (width < 1 || height < 1) {
      return Fail(problem, "a picture of no size");
    }
    if (classic && topLevel) {
      picture.area = FitFrameBox(width, height);
      OffsetRect(&picture.area, areas[i].left, areas[i].top);
    }
    picture.shown = {picture.area.right - picture.area.left,
                     picture.area.bottom - picture.area.top};
    picture.size = classic ? PictureSize{screenWidth, screenHeight} : picture.shown;
  }
  return topLevel ? OpenWindows(host, problem) : OpenReadBack(problem);
}

bool OpenWglReadBack(PictureSize size, std::string& problem) {
  CloseWglDisplay();
  display.count = 1;
  display.pictures[0].size = size;
  display.pictures[0].shown = size;
  return OpenReadBack(problem);
}

FrameView WglReadBackPicture() {
  if (!display.readBack || !display.drawn) {
    return {};
  }
  return ReadBackView(display.pictures[0]);
}

std::string WglRendererName() {
  if (display.context == nullptr || gl.GetString == nullptr) {
    return {};
  }
  return reinterpret_cast<const char*>(gl.GetString(GL_RENDERER));
}

// The framebuffers and the textures go with the context.
void CloseWglDisplay() {
  if (display.context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(display.context);
  }
  for (WglPicture& picture : display.pictures) {
    if (picture.window != nullptr) {
      DestroyWindow(picture.window);
    }
  }
  if (display.hidden != nullptr) {
    DestroyWindow(display.hidden);
  }
  display = WglDisplay{};
}

GlFunction GlFunctionAddress(const char* name) {
  return CoreContextFunction(name);
}

bool GlContextIsEs() {
  return false;
}

// The host's visibility as the GDI display judges it (windows/gdi_display.cpp); a picture's
// window gone, or a context that can no longer be made current, is the end of the context.
DisplayCheck BeginGlFrame() {
  if (display.context == nullptr || display.lost) {
    return DisplayCheck::Failed;
  }
  if (display.host != nullptr) {
    if (IsWindow(display.host) == FALSE) {
      return DisplayCheck::Failed;
    }
    if (IsWindowVisible(display.host) == FALSE || IsIconic(display.host) != FALSE) {
      return DisplayCheck::NotExclusive;
    }
  }
  for (std::int32_t i = 0; i < display.count && !display.readBack; ++i) {
    if (IsWindow(display.pictures[i].window) == FALSE) {
      return DisplayCheck::Failed;
    }
  }
  const HDC dc = display.readBack ? display.hiddenDc : display.pictures[0].dc;
  return MakeCurrentOn(dc) ? DisplayCheck::Ready : DisplayCheck::Failed;
}

std::int32_t GlPictureCount() {
  return display.count;
}

PictureSize GlPictureSize(std::int32_t picture) {
  return display.pictures[picture].size;
}

void TargetGlPicture(std::int32_t index) {
  const WglPicture& picture = display.pictures[index];
  if (picture.framebuffer != 0) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
  } else if (MakeCurrentOn(picture.dc)) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
  }
}

// Read back for a host, the pictures are copied into it with GDI (the preview: Wine 8 shows no
// OpenGL drawn in a child window, and at the preview's size the copy costs next to nothing).
void PresentGlFrame() {
  if (!display.readBack) {
    SwapWindows();
  } else {
    for (std::int32_t i = 0; i < display.count; ++i) {
      ReadBack(display.pictures[i]);
    }
    display.drawn = true;
    if (display.host != nullptr) {
      HDC dc = GetDC(display.host);
      for (std::int32_t i = 0; i < display.count; ++i) {
        ShowGdiPicture(dc, ReadBackView(display.pictures[i]), display.pictures[i].area);
      }
      ReleaseDC(display.host, dc);
    }
  }
  if (gl.GetError() == GL_CONTEXT_LOST) {
    display.lost = true;
  }
}

bool GlPacesFrames() {
  return display.paced;
}
