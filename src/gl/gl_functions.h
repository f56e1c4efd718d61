// The OpenGL functions Chromaflux calls, taken from the context (platform/gl_display.h) into one
// table: OpenGL 3.3 core, OpenGL ES 3.0 and WebGL2 all offer each of them, and none is called
// through a name the system linker resolves, since Windows exports only OpenGL 1.1 functions.
#pragma once

#if defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#else
#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>
#endif

// Every function of the table, each named without its "gl" prefix, one a line (clang-format
// would fold the list differently on each pass).
// clang-format off
#define CHROMAFLUX_GL_FUNCTIONS(X) \
  X(ActiveTexture) \
  X(AttachShader) \
  X(BindFramebuffer) \
  X(BindRenderbuffer) \
  X(BindTexture) \
  X(BindVertexArray) \
  X(BlitFramebuffer) \
  X(CheckFramebufferStatus) \
  X(Clear) \
  X(ClearColor) \
  X(CompileShader) \
  X(CreateProgram) \
  X(CreateShader) \
  X(DeleteFramebuffers) \
  X(DeleteProgram) \
  X(DeleteRenderbuffers) \
  X(DeleteShader) \
  X(DeleteTextures) \
  X(DeleteVertexArrays) \
  X(Disable) \
  X(DrawArrays) \
  X(FramebufferRenderbuffer) \
  X(GenFramebuffers) \
  X(GenRenderbuffers) \
  X(GenTextures) \
  X(GenVertexArrays) \
  X(GetError) \
  X(GetIntegerv) \
  X(GetProgramInfoLog) \
  X(GetProgramiv) \
  X(GetShaderInfoLog) \
  X(GetShaderiv) \
  X(GetString) \
  X(GetUniformLocation) \
  X(LinkProgram) \
  X(PixelStorei) \
  X(ReadPixels) \
  X(RenderbufferStorage) \
  X(ShaderSource) \
  X(TexImage2D) \
  X(TexParameteri) \
  X(TexSubImage2D) \
  X(Uniform1i) \
  X(Uniform2i) \
  X(UseProgram) \
  X(Viewport)
// clang-format on

struct GlFunctions {
#define CHROMAFLUX_GL_MEMBER(name) decltype(&gl##name) name = nullptr;
  CHROMAFLUX_GL_FUNCTIONS(CHROMAFLUX_GL_MEMBER)
#undef CHROMAFLUX_GL_MEMBER
};

// The current context's functions, filled by LoadGlFunctions.
extern GlFunctions gl;

// Fills `gl` from the current context; false, naming the first missing function in `missing`,
// where the context lacks one.
bool LoadGlFunctions(const char*& missing);
