#pragma once
// The graphics module the game draws through, over the device.
#include "graphics/graphics_device.h"
#include "graphics/image.h"

// The drawing state application code sets; the matrix reaches the device
// lazily, just before something is drawn.
class c_GraphicsContext : public Object {
 public:
  c_GraphicsContext* m_new();
  virtual int p_Validate();
  void mark() override;

  c_Image* defaultFont = nullptr;
  c_Image* font = nullptr;
  int firstChar = 0;
  int matrixSp = 0;
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  int transformed = 0;
  int matrixDirty = 0;
  float red = 0, green = 0, blue = 0;
  float alpha = 0;
  int blend = 0;
  float scissorX = 0, scissorY = 0, scissorW = 0, scissorH = 0;
  Array<float> matrixStack;
};

extern gxtkGraphics* vx_graphics_device;
extern gxtkGraphics* vx_graphics_renderDevice;
extern c_GraphicsContext* vx_graphics_context;

int vx_graphics_SetGraphicsDevice(gxtkGraphics* device);
int vx_graphics_BeginRender();
int vx_graphics_EndRender();
int vx_graphics_DeviceWidth();
int vx_graphics_DeviceHeight();
c_Image* vx_graphics_LoadImage(String path, int frameCount, int flags);
c_Image* vx_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags);
int vx_graphics_Cls(float r, float g, float b);
int vx_graphics_SetColor(float r, float g, float b);
int vx_graphics_SetAlpha(float alpha);
int vx_graphics_SetBlend(int blend);
int vx_graphics_SetScissor(float x, float y, float w, float h);
int vx_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty);
int vx_graphics_SetMatrix2(Array<float> matrix);
int vx_graphics_Transform(float a, float b, float c, float d, float tx, float ty);
int vx_graphics_Transform2(Array<float> matrix);
int vx_graphics_Translate(float x, float y);
int vx_graphics_Rotate(float degrees);
int vx_graphics_Scale(float x, float y);
int vx_graphics_PushMatrix();
int vx_graphics_PopMatrix();
int vx_graphics_DrawRect(float x, float y, float w, float h);
int vx_graphics_DrawLine(float x1, float y1, float x2, float y2);
int vx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius);
int vx_graphics_DrawImage(c_Image* image, float x, float y, int frame);
int vx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY,
                           int frame);
int vx_graphics_ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch);
int vx_graphics_SetFont(c_Image* font, int firstChar);
