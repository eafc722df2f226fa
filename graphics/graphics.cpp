// The graphics module: the drawing context with its colour, alpha, blend,
// scissor and matrix stack, and the calls the game draws and loads images with.
#include "graphics/graphics.h"

#include <cmath>
#include <cstdint>

#include "graphics/angles.h"
#include "host/data_path.h"

gxtkGraphics* vx_graphics_device;
gxtkGraphics* vx_graphics_renderDevice;
c_GraphicsContext* vx_graphics_context;

namespace {

const int kInitialStackFloats = 192;

bool IsIdentity(float a, float b, float c, float d, float tx, float ty) {
  return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0;
}

// Toward zero like a plain conversion, but values beyond the int range
// (or NaN) saturate instead of being undefined.
int TruncToInt(float value) {
  if (!(value > -2147483648.0f)) return value != value ? 0 : INT32_MIN;
  if (value >= 2147483648.0f) return INT32_MAX;
  return static_cast<int>(value);
}

// Draws outside a frame have no device to go to; they draw nothing.
gxtkGraphics* RenderDevice() { return vx_graphics_renderDevice; }

// The render device with the context's matrix sent, ready for a draw; null
// outside a frame.
gxtkGraphics* DrawingDevice() {
  gxtkGraphics* device = RenderDevice();
  if (device) vx_graphics_context->p_Validate();
  return device;
}

// The frame to draw, or null when the image cannot be drawn: a missing
// image, one without a surface, or a frame number out of range.
c_Frame* DrawableFrame(c_Image* image, int frame) {
  if (!image || !image->surface) return nullptr;
  if (frame < 0 || frame >= image->frames.Length()) return nullptr;
  return image->frames[frame];
}

void DrawFrame(gxtkGraphics* device, c_Image* image, c_Frame* frame, float x, float y) {
  if (image->flags & c_Image::FullFrame) {
    device->DrawSurface(image->surface, x, y);
  } else {
    device->DrawSurface2(image->surface, x, y, frame->x, frame->y, image->width, image->height);
  }
}

}  // namespace

c_GraphicsContext* c_GraphicsContext::m_new() {
  gc_assign(matrixStack, Array<float>(kInitialStackFloats));
  return this;
}

int c_GraphicsContext::p_Validate() {
  gxtkGraphics* device = RenderDevice();
  if (matrixDirty && device) {
    device->SetMatrix(a, b, c, d, tx, ty);
    matrixDirty = 0;
  }
  return 0;
}

void c_GraphicsContext::mark() {
  gc_mark_q(defaultFont);
  gc_mark_q(font);
  gc_mark_q(matrixStack);
}

int vx_graphics_SetGraphicsDevice(gxtkGraphics* device) {
  gc_assign(vx_graphics_device, device);
  return 0;
}

int vx_graphics_BeginRender() {
  gc_assign(vx_graphics_renderDevice, vx_graphics_device);
  gxtkGraphics* device = vx_graphics_renderDevice;
  c_GraphicsContext* context = vx_graphics_context;
  context->matrixSp = 0;
  context->a = 1;
  context->b = 0;
  context->c = 0;
  context->d = 1;
  context->tx = 0;
  context->ty = 0;
  context->transformed = 0;
  context->matrixDirty = 1;
  context->red = 255;
  context->green = 255;
  context->blue = 255;
  context->alpha = 1;
  context->blend = 0;
  context->scissorX = 0;
  context->scissorY = 0;
  context->scissorW = 0;
  context->scissorH = 0;
  if (!device) return 0;
  device->SetColor(255, 255, 255);
  device->SetAlpha(1);
  device->SetBlend(0);
  context->scissorW = static_cast<float>(device->Width());
  context->scissorH = static_cast<float>(device->Height());
  device->SetScissor(0, 0, device->Width(), device->Height());
  return 0;
}

int vx_graphics_EndRender() {
  vx_graphics_renderDevice = nullptr;
  return 0;
}

int vx_graphics_DeviceWidth() { return vx_graphics_device ? vx_graphics_device->Width() : 0; }

int vx_graphics_DeviceHeight() { return vx_graphics_device ? vx_graphics_device->Height() : 0; }

int vx_graphics_Cls(float r, float g, float b) {
  if (gxtkGraphics* device = RenderDevice()) device->Cls(r, g, b);
  return 0;
}

int vx_graphics_SetColor(float r, float g, float b) {
  c_GraphicsContext* context = vx_graphics_context;
  context->red = r;
  context->green = g;
  context->blue = b;
  if (gxtkGraphics* device = RenderDevice()) device->SetColor(r, g, b);
  return 0;
}

int vx_graphics_SetAlpha(float alpha) {
  vx_graphics_context->alpha = alpha;
  if (gxtkGraphics* device = RenderDevice()) device->SetAlpha(alpha);
  return 0;
}

int vx_graphics_SetBlend(int blend) {
  vx_graphics_context->blend = blend;
  if (gxtkGraphics* device = RenderDevice()) device->SetBlend(blend);
  return 0;
}

int vx_graphics_SetScissor(float x, float y, float w, float h) {
  c_GraphicsContext* context = vx_graphics_context;
  context->scissorX = x;
  context->scissorY = y;
  context->scissorW = w;
  context->scissorH = h;
  if (gxtkGraphics* device = RenderDevice()) {
    device->SetScissor(TruncToInt(x), TruncToInt(y), TruncToInt(w), TruncToInt(h));
  }
  return 0;
}

int vx_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* context = vx_graphics_context;
  context->a = a;
  context->b = b;
  context->c = c;
  context->d = d;
  context->tx = tx;
  context->ty = ty;
  context->transformed = !IsIdentity(a, b, c, d, tx, ty);
  context->matrixDirty = 1;
  return 0;
}

// A matrix array shorter than six elements is ignored rather than read past.
int vx_graphics_SetMatrix2(Array<float> matrix) {
  if (matrix.Length() < 6) return 0;
  return vx_graphics_SetMatrix(matrix[0], matrix[1], matrix[2], matrix[3], matrix[4], matrix[5]);
}

// The given transform applies first, the current one after it.
int vx_graphics_Transform(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* m = vx_graphics_context;
  float a2 = a * m->a + b * m->c;
  float b2 = a * m->b + b * m->d;
  float c2 = c * m->a + d * m->c;
  float d2 = c * m->b + d * m->d;
  float tx2 = tx * m->a + ty * m->c + m->tx;
  float ty2 = tx * m->b + ty * m->d + m->ty;
  return vx_graphics_SetMatrix(a2, b2, c2, d2, tx2, ty2);
}

int vx_graphics_Transform2(Array<float> matrix) {
  if (matrix.Length() < 6) return 0;
  return vx_graphics_Transform(matrix[0], matrix[1], matrix[2], matrix[3], matrix[4], matrix[5]);
}

int vx_graphics_Translate(float x, float y) { return vx_graphics_Transform(1, 0, 0, 1, x, y); }

int vx_graphics_Rotate(float degrees) {
  float s = DegSin(degrees);
  float k = DegCos(degrees);
  return vx_graphics_Transform(k, -s, s, k, 0, 0);
}

int vx_graphics_Scale(float x, float y) { return vx_graphics_Transform(x, 0, 0, y, 0, 0); }

// Pushing past the stack's room grows it, so that an overflow never writes
// beyond the array.
int vx_graphics_PushMatrix() {
  c_GraphicsContext* m = vx_graphics_context;
  Array<float>& stack = m->matrixStack;
  if (m->matrixSp + 6 > stack.Length()) {
    Array<float> larger(stack.Length() * 2 + 6);
    for (int i = 0; i < m->matrixSp; ++i) larger[i] = stack[i];
    gc_assign(m->matrixStack, larger);
  }
  float* top = &m->matrixStack[m->matrixSp];
  top[0] = m->a;
  top[1] = m->b;
  top[2] = m->c;
  top[3] = m->d;
  top[4] = m->tx;
  top[5] = m->ty;
  m->matrixSp += 6;
  return 0;
}

// A pop with nothing pushed leaves the matrix as it is.
int vx_graphics_PopMatrix() {
  c_GraphicsContext* m = vx_graphics_context;
  if (m->matrixSp < 6) return 0;
  m->matrixSp -= 6;
  const float* top = &m->matrixStack[m->matrixSp];
  return vx_graphics_SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
}

int vx_graphics_DrawRect(float x, float y, float w, float h) {
  if (gxtkGraphics* device = DrawingDevice()) device->DrawRect(x, y, w, h);
  return 0;
}

int vx_graphics_DrawLine(float x1, float y1, float x2, float y2) {
  if (gxtkGraphics* device = DrawingDevice()) device->DrawLine(x1, y1, x2, y2);
  return 0;
}

int vx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius) {
  if (gxtkGraphics* device = DrawingDevice()) {
    device->DrawOval(x - xRadius, y - yRadius, xRadius * 2, yRadius * 2);
  }
  return 0;
}

int vx_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
  c_Frame* f = DrawableFrame(image, frame);
  if (!f) return 0;
  if (gxtkGraphics* device = DrawingDevice()) {
    DrawFrame(device, image, f, x - image->handleX, y - image->handleY);
  }
  return 0;
}

int vx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY,
                           int frame) {
  gxtkGraphics* device = RenderDevice();
  c_Frame* f = DrawableFrame(image, frame);
  if (!device || !f) return 0;
  vx_graphics_PushMatrix();
  vx_graphics_Transform(1, 0, 0, 1, x, y);
  vx_graphics_Rotate(rotation);
  vx_graphics_Transform(scaleX, 0, 0, scaleY, 0, 0);
  vx_graphics_Transform(1, 0, 0, 1, -image->handleX, -image->handleY);
  vx_graphics_context->p_Validate();
  DrawFrame(device, image, f, 0, 0);
  vx_graphics_PopMatrix();
  return 0;
}

// A region that does not fit the array is not read at all.
int vx_graphics_ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch) {
  gxtkGraphics* device = RenderDevice();
  if (!device) return 0;
  if (!pitch) pitch = w;
  if (w <= 0 || h <= 0) return 0;
  int64_t first = offset;
  int64_t last = static_cast<int64_t>(offset) + static_cast<int64_t>(h - 1) * pitch;
  int64_t low = first < last ? first : last;
  int64_t high = first < last ? last : first;
  if (low < 0 || high + w > pixels.Length()) return 0;
  device->ReadPixels(pixels, x, y, w, h, offset, pitch);
  return 0;
}

c_Image* vx_graphics_LoadImage(String path, int frameCount, int flags) {
  if (!vx_graphics_device) return nullptr;
  gxtkSurface* surface = vx_graphics_device->LoadSurface(vx_data_FixDataPath(path));
  if (!surface) return nullptr;
  return (new c_Image())->m_new()->p_Init(surface, frameCount, flags);
}

c_Image* vx_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags) {
  c_Image* atlas = vx_graphics_LoadImage(path, 1, 0);
  if (!atlas) return nullptr;
  return atlas->p_GrabImage(0, 0, frameWidth, frameHeight, frameCount, flags);
}

int vx_graphics_SetFont(c_Image* font, int firstChar) {
  c_GraphicsContext* context = vx_graphics_context;
  if (!font) {
    if (!context->defaultFont) {
      gc_assign(context->defaultFont, vx_graphics_LoadImage(String("oxle_font.png"), 96, 2));
    }
    if (!context->defaultFont) {
      context->font = nullptr;
      context->firstChar = 32;
      return 0;
    }
    font = context->defaultFont;
    firstChar = 32;
  }
  gc_assign(context->font, font);
  context->firstChar = firstChar;
  return 0;
}
