#pragma once
// The OpenGL device and the textures (surfaces) it draws from.
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

// A texture the device draws from.
class gxtkSurface : public Object {
 public:
  gxtkSurface();
  ~gxtkSurface() override;

  virtual int Discard();
  virtual int Width();
  virtual int Height();
  virtual int Loaded();
  // Premultiplies and uploads the decoded pixels; false when no texture
  // could be made.
  virtual bool OnUnsafeLoadComplete();

  unsigned char* pixelData;
  int width;
  int height;
  int depth;
  unsigned int textureId;
  float uScale;
  float vScale;
  // The file the pixels came from, for messages about damaged data; empty
  // for a surface made in memory.
  String file;
};

// The batching 2-D renderer over fixed-function OpenGL.
class gxtkGraphics : public Object {
 public:
  // One vertex of the batch, as OpenGL reads it (stride 20 bytes).
  struct Vertex {
    float x, y, u, v;
    unsigned int color;
  };
  static const int kMaxVertices = 1024;
  static const int kMaxQuads = 256;

  gxtkGraphics();

  virtual int Width();
  virtual int Height();
  virtual int BeginRender();
  virtual void EndRender();
  virtual void DiscardGraphics();
  virtual gxtkSurface* LoadSurface(String path);
  virtual gxtkSurface* LoadSurface__UNSAFE__(gxtkSurface* surface, String path);
  virtual gxtkSurface* CreateSurface(int width, int height);
  virtual int Cls(float r, float g, float b);
  virtual int SetAlpha(float alpha);
  virtual int SetColor(float r, float g, float b);
  virtual int SetBlend(int blend);
  virtual int SetScissor(int x, int y, int w, int h);
  virtual int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
  virtual int DrawPoint(float x, float y);
  virtual int DrawRect(float x, float y, float w, float h);
  virtual int DrawLine(float x1, float y1, float x2, float y2);
  virtual int DrawOval(float x, float y, float w, float h);
  virtual int DrawPoly(Array<float> verts);
  virtual int DrawSurface(gxtkSurface* surface, float x, float y);
  virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch);
  virtual int ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch);
  virtual int WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h, int offset,
                           int pitch);

  // Draws the open batch, if any.
  void Flush();
  void mark() override;

  int width;
  int height;
  unsigned int packedColor;
  float red, green, blue;
  float alpha;
  float a, b, c, d, tx, ty;
  bool transformed;
  Vertex vertexArray[kMaxVertices];
  unsigned short quadIndexArray[kMaxQuads * 6];
  int primType;
  int primCount;
  gxtkSurface* primSurface;
  // The blend mode last set (1 additive, 0 alpha).
  int blendMode;
  // Every vertex of the open batch is opaque.
  bool primOpaque;

  // OpenGL draw calls issued so far (for tests and benchmarks).
  int drawCalls;
  // Fills the frame for less where nothing shows through, with the same
  // pixels: an opaque rectangle over the whole frame becomes a clear, and
  // opaque untextured shapes skip blending. Off, every draw blends as
  // drawn (tests compare the two).
  bool fillShortcuts;

 private:
  void PackColor();
  // Whether an untransformed rectangle covers every pixel of the frame.
  bool CoversFrame(float x, float y, float w, float h);
  // Opens a new batch when a primitive of this kind and texture cannot join
  // the open one; the primitive's first vertex.
  Vertex* Begin(int type, int vertices, gxtkSurface* surface);
  // Writes a corner, mapped through the matrix, in the current colour.
  void Put(Vertex* v, float x, float y);
  void PutQuad(gxtkSurface* surface, float x, float y, float w, float h, float u0, float v0, float u1,
               float v1);
};
