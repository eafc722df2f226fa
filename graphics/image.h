#pragma once
// Images and their frames.
#include "graphics/graphics_device.h"
#include "runtime/object.h"

class c_Frame : public Object {
 public:
  c_Frame* m_new(int x, int y);
  c_Frame* m_new2();
  int x = 0;
  int y = 0;
};

// A surface seen as one or more equally sized frames, with a handle.
class c_Image : public Object {
 public:
  enum {
    MidHandle = 1,
    XPadding = 2,
    YPadding = 4,
    XYPadding = 6,
    FullFrame = 65536,
  };
  static int m_DefaultFlags;

  c_Image* m_new();
  virtual int p_SetHandle(float x, float y);
  virtual int p_ApplyFlags(int flags);
  virtual c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
  virtual c_Image* p_Grab(int x, int y, int frameWidth, int frameHeight, int frameCount, int flags,
                          c_Image* source);
  virtual c_Image* p_GrabImage(int x, int y, int frameWidth, int frameHeight, int frameCount, int flags);

  void mark() override;

  gxtkSurface* surface = nullptr;
  int width = 0;
  int height = 0;
  Array<c_Frame*> frames;
  int flags = 0;
  float handleX = 0;
  float handleY = 0;
  c_Image* source = nullptr;
};
