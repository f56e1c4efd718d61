#include "gl/plasma_shader.h"

#include <cstdint>
#include <string>

#include "platform/gl_display.h"

namespace {

// The first lines for each shading language: WebGL2 and ES need the precisions, since a medium
// precision int has 16 bits and indices plus terms reach 50797.
constexpr char kCorePrefix[] = "#version 330 core\n";
constexpr char kEsPrefix[] =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "precision highp usampler2D;\n"
    "precision highp isampler2D;\n";

// One triangle covers the viewport: vertices (-1, -1), (3, -1), (-1, 3), from the vertex id alone.
constexpr char kVertexShader[] = R"(
void main() {
  vec2 corner = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));
  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// Every value is an integer, and every operand of / is non-negative, so that the colours are
// those of the software renderer to the bit. Colours are uvec3 (red, green, blue).
constexpr char kFragmentShader[] = R"(
uniform highp usampler2D field;
uniform highp usampler2D angleWave;
uniform highp usampler2D tenths;
uniform highp isampler2D cosine;
uniform highp usampler2D ring;
uniform highp usampler2D layer;
uniform highp isampler2D rows;
uniform highp isampler2D columns;
uniform int term;
uniform ivec2 termOrigin;
uniform int height;
uniform int glowColour;
out vec4 colour;

uvec3 Channels(int value) {
  return uvec3((uint(value) >> 16) & 255u, (uint(value) >> 8) & 255u, uint(value) & 255u);
}

// Texels hold 0x00RRGGBB words as their bytes in memory: blue, green, red, zero.
uvec3 LayerAt(int x, int y) {
  return texelFetch(layer, ivec2(x, y), 0).bgr;
}

uvec3 Plasma(ivec2 at) {
  uint v = texelFetch(field, at, 0).r;
  ivec2 termAt = at + termOrigin;
  if (term == 1) {
    v += texelFetch(angleWave, termAt, 0).r;
  } else if (term == 2) {
    v += texelFetch(tenths, termAt, 0).r;
  } else if (term == 3) {
    v = uint(int(v) + texelFetch(cosine, ivec2(termAt.x, 0), 0).r);
  }
  return texelFetch(ring, ivec2(int(v & 255u), int(v >> 8)), 0).bgr;
}

// from + (to - from) k / 10, truncated toward zero, by channel.
uint Lerp(uint from, uint to, uint k) {
  return to >= from ? from + (to - from) * k / 10u : from - (from - to) * k / 10u;
}

uvec3 Glow(uvec3 pixel, int step) {
  uvec3 glow = Channels(glowColour);
  uint k = uint(step);
  return uvec3(Lerp(glow.r, pixel.r, k), Lerp(glow.g, pixel.g, k), Lerp(glow.b, pixel.b, k));
}

// (1 - w) a + w b with w in 1/256, truncated.
uvec3 Mix(uvec3 a, uvec3 b, int weight) {
  uint w = uint(weight);
  return (a * (256u - w) + b * w) >> 8;
}

void main() {
  ivec2 at = ivec2(int(gl_FragCoord.x), height - 1 - int(gl_FragCoord.y));
  ivec4 plan = texelFetch(rows, ivec2(0, at.y), 0);
  uvec3 rgb;
  if (plan.x == 0) {
    rgb = Glow(Plasma(at), plan.y);
  } else if (plan.x == 1) {
    ivec4 tap = texelFetch(columns, ivec2(at.x, 0), 0);
    if (tap.x != 0) {
      int upper = plan.y & 65535;
      int lower = plan.y >> 16;
      uvec3 top = Mix(LayerAt(tap.y, upper), LayerAt(tap.z, upper), tap.w);
      uvec3 bottom = Mix(LayerAt(tap.y, lower), LayerAt(tap.z, lower), tap.w);
      rgb = Mix(top, bottom, plan.z);
    } else {
      rgb = Channels(plan.w);
    }
  } else {
    rgb = Channels(plan.w);
  }
  colour = vec4(vec3(rgb) / 255.0, 1.0);
}
)";

GLuint CompileShader(GLenum kind, const char* body, std::string& problem) {
  const char* sources[] = {GlContextIsEs() ? kEsPrefix : kCorePrefix, body};
  const GLuint shader = gl.CreateShader(kind);
  gl.ShaderSource(shader, 2, sources, nullptr);
  gl.CompileShader(shader);
  GLint compiled = GL_FALSE;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    char log[1024] = {};
    gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    problem = std::string("the shader does not compile: ") + log;
    gl.DeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

GLuint MakePlasmaProgram(std::string& problem) {
  const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader, problem);
  const GLuint fragment = vertex ? CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, problem) : 0;
  if (fragment == 0) {
    gl.DeleteShader(vertex);
    return 0;
  }
  const GLuint program = gl.CreateProgram();
  gl.AttachShader(program, vertex);
  gl.AttachShader(program, fragment);
  gl.LinkProgram(program);
  gl.DeleteShader(vertex);
  gl.DeleteShader(fragment);
  GLint linked = GL_FALSE;
  gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    char log[1024] = {};
    gl.GetProgramInfoLog(program, sizeof log, nullptr, log);
    problem = std::string("the shaders do not link: ") + log;
    gl.DeleteProgram(program);
    return 0;
  }
  gl.UseProgram(program);
  const struct {
    const char* name;
    GLint unit;
  } samplers[] = {{"field", kFieldUnit},   {"angleWave", kAngleWaveUnit}, {"tenths", kTenthsUnit},
                  {"cosine", kCosineUnit}, {"ring", kRingUnit},           {"layer", kLayerUnit},
                  {"rows", kRowsUnit},     {"columns", kColumnsUnit}};
  for (const auto& sampler : samplers) {
    gl.Uniform1i(gl.GetUniformLocation(program, sampler.name), sampler.unit);
  }
  return program;
}

PlasmaUniforms PlasmaUniformsOf(GLuint program) {
  return {gl.GetUniformLocation(program, "term"), gl.GetUniformLocation(program, "termOrigin"),
          gl.GetUniformLocation(program, "height"), gl.GetUniformLocation(program, "glowColour")};
}
