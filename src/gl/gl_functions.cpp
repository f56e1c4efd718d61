#include "gl/gl_functions.h"

#include "platform/gl_display.h"

GlFunctions gl;

bool LoadGlFunctions(const char*& missing) {
  missing = nullptr;
#define CHROMAFLUX_GL_LOAD(name)                                                \
  gl.name = reinterpret_cast<decltype(gl.name)>(GlFunctionAddress("gl" #name)); \
  if (gl.name == nullptr && missing == nullptr) {                               \
    missing = "gl" #name;                                                       \
  }
  CHROMAFLUX_GL_FUNCTIONS(CHROMAFLUX_GL_LOAD)
#undef CHROMAFLUX_GL_LOAD
  return missing == nullptr;
}
