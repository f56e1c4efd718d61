#include "web/webgl_display.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#include <emscripten/html5_webgl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gl/gl_functions.h"
#include "gl/picture_readback.h"
#include "gl/self_check.h"
#include "plasma/model_space.h"
#include "plasma/scaled_picture.h"
#include "platform/gl_display.h"
#include "state/app_state.h"
#include "web/web_display.h"

// Copies the renderer's name of the current context (GLctx, Emscripten's) into `size` bytes at
// `name`: WEBGL_debug_renderer_info's unmasked name where the browser offers it, else RENDERER.
EM_JS(void, CopyCurrentRendererName, (char* name, int size), {
  const info = GLctx.getExtension('WEBGL_debug_renderer_info');
  stringToUTF8(GLctx.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : GLctx.RENDERER), name,
               size);
});
// The same for a WebGL2 context on a canvas of its own, which is lost again at once so that the
// browser need not wait for the collector to give it back; 0 where there is none.
EM_JS(int, CopyProbedRendererName, (int refuseSlow, char* name, int size), {
  const context = document.createElement('canvas').getContext(
      'webgl2', {failIfMajorPerformanceCaveat : Boolean(refuseSlow)});
  if (!context) {
    return 0;
  }
  const info = context.getExtension('WEBGL_debug_renderer_info');
  stringToUTF8(context.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : context.RENDERER), name,
               size);
  const lose = context.getExtension('WEBGL_lose_context');
  if (lose) {
    lose.loseContext();
  }
  return 1;
});

// Has the page put a fresh canvas in place of one that holds a 2-D context (index.html).
EM_JS(void, PrepareCanvasForWebGl, (), { Module.page.canvasForWebGl(); });

namespace {

constexpr char kCanvas[] = "#chromaflux";
constexpr int kNameBytes = 256;  // a renderer's name, with its zero

// What the WebGL display holds while the GL renderer draws.
struct WebGlDisplay {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;  // 0: none
  GLint largestTexture = 0;                     // a texture's side, at most
  GLint largestSide = 0;  // a picture's side, at most: framebuffer, viewport and texture
  PictureSize asked;      // the size the page asked for last
  PictureSize picture;    // the drawing buffer's size for it: the picture's
  bool restored = false;  // restored after a loss; not yet taken
  bool checking = false;  // the self-check draws: the picture has its size, not the page's
  std::vector<std::uint8_t> checkRows;  // the self-check's picture as the context gives it
  std::vector<std::uint32_t> checked;   // and in the software renderer's pixels
};

WebGlDisplay webgl;

// The browser may restore a lost context only where its loss was prevented from being final.
EM_BOOL OnContextLost(int, const void*, void*) {
  return EM_TRUE;
}

EM_BOOL OnContextRestored(int, const void*, void*) {
  webgl.restored = true;
  return EM_FALSE;
}

// Whether the context can draw a picture of `size`: the picture's sides, and the terms' textures,
// (width + 2 reachX) x (height + 2 reachY) texels (plasma/scaled_picture.h).
bool Fits(PictureSize size) {
  const double scale = ModelScale(size.width, size.height);
  return size.width <= webgl.largestSide && size.height <= webgl.largestSide &&
         size.width + 2 * DriftReachX(scale) <= webgl.largestTexture &&
         size.height + 2 * DriftReachY(scale) <= webgl.largestTexture;
}

// The largest size of `asked`'s shape that fits, or near it: each pass shrinks both sides by the
// factor the tightest limit asks for, and by at least a thousandth.
PictureSize WithinContext(PictureSize asked) {
  PictureSize size = asked;
  while (!Fits(size)) {
    const double scale = ModelScale(size.width, size.height);
    const double shrink = std::min(
        {0.999, static_cast<double>(webgl.largestSide) / std::max(size.width, size.height),
         static_cast<double>(webgl.largestTexture) / (size.width + 2 * DriftReachX(scale)),
         static_cast<double>(webgl.largestTexture) / (size.height + 2 * DriftReachY(scale))});
    size = {std::max(1, static_cast<std::int32_t>(size.width * shrink)),
            std::max(1, static_cast<std::int32_t>(size.height * shrink))};
  }
  return size;
}

// The self-check's picture from the drawing buffer, which keeps it (preserveDrawingBuffer).
FrameView ReadCheckPicture() {
  gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
  ReadGlPicture(webgl.picture, webgl.checkRows, webgl.checked);
  return {webgl.checked.data(), webgl.picture.width, webgl.picture.width, webgl.picture.height};
}

}  // namespace

bool OpenWebGlDisplay(bool refuseSlow) {
  CloseWebGlDisplay();
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_TRUE;
  attributes.failIfMajorPerformanceCaveat = refuseSlow ? EM_TRUE : EM_FALSE;
  PrepareCanvasForWebGl();
  webgl.context = emscripten_webgl_create_context(kCanvas, &attributes);
  if (webgl.context <= 0 ||
      emscripten_webgl_make_context_current(webgl.context) != EMSCRIPTEN_RESULT_SUCCESS) {
    CloseWebGlDisplay();
    return false;
  }
  GLint renderbuffer = 0;
  GLint viewport[2] = {};
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &webgl.largestTexture);
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  webgl.largestSide = std::min(
      {webgl.largestTexture, renderbuffer, viewport[0], viewport[1], GLint{kLargestOutputSide}});
  emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, OnContextLost);
  emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_FALSE, OnContextRestored);
  return true;
}

// Destroying the context also drops its event callbacks.
void CloseWebGlDisplay() {
  if (webgl.context > 0) {
    emscripten_webgl_destroy_context(webgl.context);
  }
  webgl = WebGlDisplay{};
}

std::string WebGlRendererName() {
  char name[kNameBytes] = {};
  CopyCurrentRendererName(name, kNameBytes);
  return name;
}

std::string ProbeWebGlRenderer(bool refuseSlow) {
  char name[kNameBytes] = {};
  return CopyProbedRendererName(refuseSlow ? 1 : 0, name, kNameBytes) != 0 ? name : "";
}

bool WebGlPassesSelfCheck(const Renderer& gl) {
  webgl.checking = true;
  const bool passes = DrawsLikeSoftware(gl, ReadCheckPicture);
  webgl.checking = false;
  webgl.checkRows = {};
  webgl.checked = {};
  return passes;
}

bool TakeRestoredGlContext() {
  const bool restored = webgl.restored;
  webgl.restored = false;
  return restored;
}

GlFunction GlFunctionAddress(const char* name) {
  return reinterpret_cast<GlFunction>(emscripten_webgl_get_proc_address(name));
}

bool GlContextIsEs() {
  return true;
}

// The browser gives a smaller drawing buffer than the canvas's size where it cannot have that
// one: the picture is the buffer's size then, and the browser scales it to the canvas.
DisplayCheck BeginGlFrame() {
  if ((PageHidden() && !webgl.checking) || emscripten_is_webgl_context_lost(webgl.context)) {
    return DisplayCheck::NotExclusive;
  }
  const PictureSize asked = webgl.checking ? kSelfCheckSize : PagePictureSize();
  if (asked.width != webgl.asked.width || asked.height != webgl.asked.height) {
    const PictureSize size = WithinContext(asked);
    emscripten_set_canvas_element_size(kCanvas, size.width, size.height);
    emscripten_webgl_get_drawing_buffer_size(webgl.context, &webgl.picture.width,
                                             &webgl.picture.height);
    webgl.asked = asked;
  }
  return DisplayCheck::Ready;
}

std::int32_t GlPictureCount() {
  return 1;
}

PictureSize GlPictureSize(std::int32_t) {
  return webgl.picture;
}

void TargetGlPicture(std::int32_t) {
  gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
}

// The browser shows the drawing buffer once the animation frame returns. A size whose field the
// core could not make showed black: it is refused, as the software display refuses it.
void PresentGlFrame() {
  if (LacksField(app.frame)) {
    RefusePictureSize(webgl.asked);
  }
}

bool GlPacesFrames() {
  return true;
}
