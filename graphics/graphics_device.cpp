// The OpenGL device: render bracket, one vertex batch flushed on each
// change of state, shapes, images and textures uploaded from decoded files.
#include "graphics/graphics_device.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "host/glfw_game.h"

namespace {

// Primitive kinds of the batch.
enum { kPoints = 1, kLines = 2, kQuads = 4, kFan = 5 };

// The low byte of v truncated toward zero; values no int can hold give 0,
// as the processor's own conversion would, instead of undefined behaviour.
unsigned int TruncByte(float v) {
  if (!(v > -2147483648.0f && v < 2147483648.0f)) return 0;
  return static_cast<unsigned int>(static_cast<int>(v)) & 0xFF;
}

// Anything larger cannot be a texture on any driver, and doubling it would
// overflow.
const int kMaxTextureSide = 1 << 24;

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n) p <<= 1;
  return p;
}

// RGB scaled by A, integer division rounding down: what the blend
// functions expect of every texel.
unsigned int PremultiplyArgb(unsigned int argb) {
  unsigned int a = argb >> 24;
  unsigned int r = (argb >> 16 & 0xFF) * a / 255;
  unsigned int g = (argb >> 8 & 0xFF) * a / 255;
  unsigned int b = (argb & 0xFF) * a / 255;
  return a << 24 | r << 16 | g << 8 | b;
}

// Whether elements offset + r * pitch + j (r < h, j < w) all lie in an
// array of `length`: the pixel copies trust no caller's arithmetic.
bool RegionInArray(int length, int w, int h, int offset, int pitch) {
  if (w <= 0 || h <= 0) return false;
  long long first = offset;
  long long last_row = offset + static_cast<long long>(h - 1) * pitch;
  long long lo = first < last_row ? first : last_row;
  long long hi = (first > last_row ? first : last_row) + w - 1;
  return lo >= 0 && hi < length;
}

// The OpenGL format of pixels of `depth` bytes, their colour premultiplied
// by their alpha in place (rounding down). No other layout comes from the
// decoder.
GLenum PremultiplyToFormat(unsigned char* p, int pixels, int depth) {
  switch (depth) {
    case 1:
      return GL_LUMINANCE;
    case 2:
      if (p) {
        for (int i = 0; i < pixels; ++i, p += 2) p[0] = p[0] * p[1] / 255;
      }
      return GL_LUMINANCE_ALPHA;
    case 3:
      return GL_RGB;
    case 4:
      if (p) {
        for (int i = 0; i < pixels; ++i, p += 4) {
          p[0] = p[0] * p[3] / 255;
          p[1] = p[1] * p[3] / 255;
          p[2] = p[2] * p[3] / 255;
        }
      }
      return GL_RGBA;
    default:
      exit(-1);
  }
}

// Storage of the bound texture for a *width x *height image, grown to powers
// of two when the driver refuses the exact size (learnt from its answer);
// false when neither is taken.
bool MakeTextureStorage(GLenum format, int* width, int* height) {
  if (*width <= 0 || *height <= 0 || *width > kMaxTextureSide || *height > kMaxTextureSide) return false;
  glGetError();  // an older error must not pass for this upload's
  glTexImage2D(GL_TEXTURE_2D, 0, format, *width, *height, 0, format, GL_UNSIGNED_BYTE, nullptr);
  if (glGetError() == GL_NO_ERROR) return true;
  *width = NextPowerOfTwo(*width);
  *height = NextPowerOfTwo(*height);
  glTexImage2D(GL_TEXTURE_2D, 0, format, *width, *height, 0, format, GL_UNSIGNED_BYTE, nullptr);
  return glGetError() == GL_NO_ERROR;
}

}  // namespace

// ---------------------------------------------------------------- surface

gxtkSurface::gxtkSurface()
    : pixelData(nullptr), width(0), height(0), depth(0), textureId(0), uScale(0), vScale(0) {}

gxtkSurface::~gxtkSurface() { Discard(); }

int gxtkSurface::Discard() {
  if (textureId) {
    glDeleteTextures(1, &textureId);
    textureId = 0;
  }
  if (pixelData) {
    free(pixelData);
    pixelData = nullptr;
  }
  return 0;
}

int gxtkSurface::Width() { return width; }
int gxtkSurface::Height() { return height; }
int gxtkSurface::Loaded() { return 1; }

bool gxtkSurface::OnUnsafeLoadComplete() {
  GLenum format = PremultiplyToFormat(pixelData, width * height, depth);
  // A texture replacing an earlier one of this surface must not leak it.
  if (textureId) glDeleteTextures(1, &textureId);
  glGenTextures(1, &textureId);
  glBindTexture(GL_TEXTURE_2D, textureId);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

  int texWidth = width;
  int texHeight = height;
  if (!MakeTextureStorage(format, &texWidth, &texHeight)) {
    free(pixelData);
    pixelData = nullptr;
    return false;
  }

  if (pixelData) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixelData);
  }
  uScale = 1.0f / texWidth;
  vScale = 1.0f / texHeight;
  free(pixelData);
  pixelData = nullptr;
  return true;
}

// ---------------------------------------------------------------- device

gxtkGraphics::gxtkGraphics()
    : width(0),
      height(0),
      packedColor(0),
      red(0),
      green(0),
      blue(0),
      alpha(0),
      a(1),
      b(0),
      c(0),
      d(1),
      tx(0),
      ty(0),
      transformed(false),
      primType(0),
      primCount(0),
      primSurface(nullptr),
      blendMode(0),
      primOpaque(true),
      drawCalls(0),
      fillShortcuts(true) {
  if (VxGlfwGame::_window) glfwGetWindowSize(VxGlfwGame::_window, &width, &height);
  for (int q = 0; q < kMaxQuads; ++q) {
    unsigned short* i = &quadIndexArray[q * 6];
    unsigned short base = static_cast<unsigned short>(q * 4);
    i[0] = base;
    i[1] = base + 1;
    i[2] = base + 2;
    i[3] = base;
    i[4] = base + 2;
    i[5] = base + 3;
  }
}

int gxtkGraphics::Width() { return width; }
int gxtkGraphics::Height() { return height; }

int gxtkGraphics::BeginRender() {
  if (VxGlfwGame::_window) glfwGetWindowSize(VxGlfwGame::_window, &width, &height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  const char* base = reinterpret_cast<const char*>(vertexArray);
  glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base + offsetof(Vertex, x));
  glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + offsetof(Vertex, u));
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + offsetof(Vertex, color));

  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  blendMode = 0;
  glDisable(GL_TEXTURE_2D);
  primCount = 0;
  return 1;
}

void gxtkGraphics::EndRender() {
  Flush();
  if (VxGlfwGame::_window) glfwSwapBuffers(VxGlfwGame::_window);
}

void gxtkGraphics::DiscardGraphics() {}

gxtkSurface* gxtkGraphics::LoadSurface(String path) {
  gxtkSurface* surface = LoadSurface__UNSAFE__(new gxtkSurface(), path);
  if (!surface) return nullptr;
  return surface->OnUnsafeLoadComplete() ? surface : nullptr;
}

gxtkSurface* gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, String path) {
  int w = 0, h = 0, depth = 0;
  unsigned char* data =
      VxGlfwGame::_glfwGame ? VxGlfwGame::_glfwGame->LoadImageData(path, &w, &h, &depth) : nullptr;
  if (!data) return nullptr;
  // Pixels of an earlier decode that never reached a texture.
  free(surface->pixelData);
  surface->pixelData = data;
  surface->width = w;
  surface->height = h;
  surface->depth = depth;
  surface->file = VxGlfwGame::_glfwGame->PathToFilePath(path);
  return surface;
}

gxtkSurface* gxtkGraphics::CreateSurface(int w, int h) {
  // No texture can be that size; the upload would only learn it later.
  if (w <= 0 || h <= 0) return nullptr;
  gxtkSurface* surface = new gxtkSurface();
  surface->width = w;
  surface->height = h;
  surface->depth = 4;
  return surface->OnUnsafeLoadComplete() ? surface : nullptr;
}

int gxtkGraphics::Cls(float r, float g, float b) {
  // Whatever was batched before the clear would only be painted over.
  primCount = 0;
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  return 0;
}

void gxtkGraphics::PackColor() {
  unsigned int r = TruncByte(red * alpha);
  unsigned int g = TruncByte(green * alpha);
  unsigned int bl = TruncByte(blue * alpha);
  unsigned int al = TruncByte(alpha * 255);
  packedColor = al << 24 | bl << 16 | g << 8 | r;
}

int gxtkGraphics::SetAlpha(float value) {
  alpha = value;
  PackColor();
  return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  PackColor();
  return 0;
}

int gxtkGraphics::SetBlend(int blend) {
  Flush();
  blendMode = blend == 1 ? 1 : 0;
  if (blend == 1) {
    glBlendFunc(GL_ONE, GL_ONE);
  } else {
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }
  return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
  Flush();
  if (x == 0 && y == 0 && w == Width() && h == Height()) {
    glDisable(GL_SCISSOR_TEST);
  } else {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, Height() - y - h, w, h);
  }
  return 0;
}

int gxtkGraphics::SetMatrix(float ix, float iy, float jx, float jy, float x, float y) {
  a = ix;
  b = iy;
  c = jx;
  d = jy;
  tx = x;
  ty = y;
  transformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && x == 0 && y == 0);
  return 0;
}

gxtkGraphics::Vertex* gxtkGraphics::Begin(int type, int vertices, gxtkSurface* surface) {
  int capacity = kMaxVertices / vertices;
  if (primType != type || primCount == capacity || primSurface != surface) {
    Flush();
    primType = type;
    primSurface = surface;
  }
  if (primCount == 0) primOpaque = true;
  Vertex* v = &vertexArray[primCount * vertices];
  primCount += 1;
  return v;
}

void gxtkGraphics::Put(Vertex* v, float x, float y) {
  if (transformed) {
    v->x = x * a + y * c + tx;
    v->y = x * b + y * d + ty;
  } else {
    v->x = x;
    v->y = y;
  }
  v->color = packedColor;
  if (packedColor >> 24 != 0xFF) primOpaque = false;
}

int gxtkGraphics::DrawPoint(float x, float y) {
  Put(Begin(kPoints, 1, nullptr), x, y);
  return 0;
}

int gxtkGraphics::DrawLine(float x1, float y1, float x2, float y2) {
  Vertex* v = Begin(kLines, 2, nullptr);
  Put(&v[0], x1, y1);
  Put(&v[1], x2, y2);
  return 0;
}

bool gxtkGraphics::CoversFrame(float x, float y, float w, float h) {
  if (transformed || width <= 0 || height <= 0) return false;
  float right = x + w;
  float bottom = y + h;
  return std::fmin(x, right) <= 0 && std::fmin(y, bottom) <= 0 && std::fmax(x, right) >= width &&
         std::fmax(y, bottom) >= height;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
  // An opaque colour over the whole frame, blended over it, leaves just that
  // colour: a clear gives the same pixels for far less on a software
  // renderer. What waits in the batch would only be painted over.
  if (fillShortcuts && blendMode == 0 && packedColor >> 24 == 0xFF && CoversFrame(x, y, w, h)) {
    primCount = 0;
    glClearColor((packedColor & 0xFF) / 255.0f, (packedColor >> 8 & 0xFF) / 255.0f,
                 (packedColor >> 16 & 0xFF) / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return 0;
  }
  Vertex* v = Begin(kQuads, 4, nullptr);
  Put(&v[0], x, y);
  Put(&v[1], x + w, y);
  Put(&v[2], x + w, y + h);
  Put(&v[3], x, y + h);
  return 0;
}

void gxtkGraphics::PutQuad(gxtkSurface* surface, float x, float y, float w, float h, float u0, float v0,
                           float u1, float v1) {
  Vertex* v = Begin(kQuads, 4, surface);
  Put(&v[0], x, y);
  Put(&v[1], x + w, y);
  Put(&v[2], x + w, y + h);
  Put(&v[3], x, y + h);
  v[0].u = u0;
  v[0].v = v0;
  v[1].u = u1;
  v[1].v = v0;
  v[2].u = u1;
  v[2].v = v1;
  v[3].u = u0;
  v[3].v = v1;
}

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
  if (!surface) return 0;
  float w = static_cast<float>(surface->Width());
  float h = static_cast<float>(surface->Height());
  PutQuad(surface, x, y, w, h, 0, 0, w * surface->uScale, h * surface->vScale);
  return 0;
}

int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw,
                               int srch) {
  if (!surface) return 0;
  float u = surface->uScale;
  float v = surface->vScale;
  PutQuad(surface, x, y, static_cast<float>(srcw), static_cast<float>(srch), srcx * u, srcy * v,
          (srcx + srcw) * u, (srcy + srch) * v);
  return 0;
}

int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
  Flush();
  primType = kFan;
  primSurface = nullptr;
  primOpaque = true;
  float rx = w * 0.5f;
  float ry = h * 0.5f;
  float cx = x + rx;
  float cy = y + ry;
  int n;
  if (transformed) {
    float dx = std::sqrt(rx * a * (rx * a) + rx * b * (rx * b));
    float dy = std::sqrt(ry * c * (ry * c) + ry * d * (ry * d));
    float segments = dx + dy;
    // NaN or huge radii end up at the ceiling below.
    n = segments < 2048.0f ? static_cast<int>(segments) : 2048;
  } else {
    float arx = std::fabs(rx) < 2048.0f ? rx : 2048.0f;
    float ary = std::fabs(ry) < 2048.0f ? ry : 2048.0f;
    n = std::abs(static_cast<int>(arx)) + std::abs(static_cast<int>(ary));
  }
  if (n < 12) {
    n = 12;
  } else if (n <= kMaxVertices) {
    n &= ~3;
  } else {
    n = kMaxVertices;
  }
  for (int i = 0; i < n; ++i) {
    float theta = i * 6.2831855f / n;
    Put(&vertexArray[i], cx + rx * std::cos(theta), cy - ry * std::sin(theta));
  }
  primCount = n;
  Flush();
  return 0;
}

int gxtkGraphics::DrawPoly(Array<float> verts) {
  int n = verts.Length() / 2;
  if (n < 3 || n > kMaxVertices) return 0;
  Flush();
  primType = kFan;
  primSurface = nullptr;
  primOpaque = true;
  for (int i = 0; i < n; ++i) Put(&vertexArray[i], verts[i * 2], verts[i * 2 + 1]);
  primCount = n;
  Flush();
  return 0;
}

int gxtkGraphics::ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch) {
  Flush();
  if (!RegionInArray(pixels.Length(), w, h, offset, pitch)) return 0;
  unsigned int* buffer = static_cast<unsigned int*>(malloc(static_cast<size_t>(w) * h * 4));
  if (!buffer) return 0;
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, height - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, buffer);
  // OpenGL's rows run bottom-up; the array's top-down.
  for (int r = 0; r < h; ++r) {
    const unsigned int* row = buffer + static_cast<size_t>(h - 1 - r) * w;
    int* out = &pixels[offset + r * pitch];
    for (int j = 0; j < w; ++j) out[j] = static_cast<int>(row[j]);
  }
  free(buffer);
  return 0;
}

int gxtkGraphics::WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h,
                               int offset, int pitch) {
  Flush();
  if (!surface || !RegionInArray(pixels.Length(), w, h, offset, pitch)) return 0;
  unsigned int* buffer = static_cast<unsigned int*>(malloc(static_cast<size_t>(w) * h * 4));
  if (!buffer) return 0;
  for (int r = 0; r < h; ++r) {
    const int* in = &pixels[offset + r * pitch];
    unsigned int* out = buffer + static_cast<size_t>(r) * w;
    for (int j = 0; j < w; ++j) out[j] = PremultiplyArgb(static_cast<unsigned int>(in[j]));
  }
  glBindTexture(GL_TEXTURE_2D, surface->textureId);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_BGRA, GL_UNSIGNED_BYTE, buffer);
  free(buffer);
  return 0;
}

void gxtkGraphics::Flush() {
  if (primCount <= 0) return;
  if (primSurface) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, primSurface->textureId);
  }
  // Blending an opaque source over the frame gives the source: without it
  // the renderer need not read the frame back.
  bool unblended = fillShortcuts && !primSurface && primOpaque && blendMode == 0;
  if (unblended) glDisable(GL_BLEND);
  switch (primType) {
    case kPoints:
      glDrawArrays(GL_POINTS, 0, primCount);
      drawCalls += 1;
      break;
    case kLines:
      glDrawArrays(GL_LINES, 0, primCount * 2);
      drawCalls += 1;
      break;
    case kQuads:
      glDrawElements(GL_TRIANGLES, primCount * 6, GL_UNSIGNED_SHORT, quadIndexArray);
      drawCalls += 1;
      break;
    case kFan:
      glDrawArrays(GL_TRIANGLE_FAN, 0, primCount);
      drawCalls += 1;
      break;
    default:
      break;
  }
  if (primSurface) glDisable(GL_TEXTURE_2D);
  if (unblended) glEnable(GL_BLEND);
  primCount = 0;
}

void gxtkGraphics::mark() {
  // Kept alive while its vertices wait in the batch.
  if (primCount > 0) gc_mark_q(primSurface);
}
