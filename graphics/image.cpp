// Images: a surface cut into equally sized frames, with handle and padding.
#include "graphics/image.h"

#include "runtime/errors.h"

int c_Image::m_DefaultFlags;

c_Frame* c_Frame::m_new(int x, int y) {
  this->x = x;
  this->y = y;
  return this;
}

c_Frame* c_Frame::m_new2() { return this; }

c_Image* c_Image::m_new() { return this; }

void c_Image::mark() {
  gc_mark_q(surface);
  gc_mark_q(frames);
  gc_mark_q(source);
}

int c_Image::p_SetHandle(float x, float y) {
  handleX = x;
  handleY = y;
  flags &= ~MidHandle;
  return 0;
}

int c_Image::p_ApplyFlags(int flags) {
  this->flags = flags;
  if (flags & XPadding) {
    for (int i = 0; i < frames.Length(); ++i) frames[i]->x += 1;
    width -= 2;
  }
  if (flags & YPadding) {
    for (int i = 0; i < frames.Length(); ++i) frames[i]->y += 1;
    height -= 2;
  }
  if (flags & MidHandle) p_SetHandle(width * 0.5f, height * 0.5f);
  // An image not yet given a surface has no frame that could cover one.
  if (surface && frames.Length() == 1 && frames[0]->x == 0 && frames[0]->y == 0 &&
      width == surface->Width() && height == surface->Height()) {
    this->flags |= FullFrame;
  }
  return 0;
}

c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
  gc_assign(this->surface, surface);
  // A count below one would divide by zero; such an image has no frames.
  if (frameCount < 1) frameCount = 0;
  width = frameCount ? surface->Width() / frameCount : 0;
  height = surface->Height();
  gc_assign(frames, Array<c_Frame*>(frameCount));
  for (int i = 0; i < frameCount; ++i) gc_assign(frames[i], (new c_Frame())->m_new(i * width, 0));
  p_ApplyFlags(flags);
  return this;
}

c_Image* c_Image::p_Grab(int x, int y, int frameWidth, int frameHeight, int frameCount, int flags,
                         c_Image* source) {
  gc_assign(this->source, source);
  gc_assign(this->surface, source->surface);
  width = frameWidth;
  height = frameHeight;
  if (frameCount < 0) frameCount = 0;
  gc_assign(frames, Array<c_Frame*>(frameCount));
  // A source without frames (made with a count of zero) offsets nothing.
  int originX = source->frames.Length() ? source->frames[0]->x : 0;
  int originY = source->frames.Length() ? source->frames[0]->y : 0;
  int cx = x;
  int cy = y;
  for (int i = 0; i < frameCount; ++i) {
    if (cx + width > source->width) {
      cx = 0;
      cy += height;
    }
    // The left and top edges and negative sizes are checked too: a frame
    // there would sample outside the source.
    if (cx + width > source->width || cy + height > source->height || cx < 0 || cy < 0 || width < 0 ||
        height < 0) {
      // Damaged data: the message names the file, for the player to replace.
      String file = surface ? surface->file : String();
      Error(String("Image frame outside surface") + (file.Length() ? String(": ") + file : String()));
    }
    gc_assign(frames[i], (new c_Frame())->m_new(cx + originX, cy + originY));
    cx += width;
  }
  p_ApplyFlags(flags);
  return this;
}

c_Image* c_Image::p_GrabImage(int x, int y, int frameWidth, int frameHeight, int frameCount, int flags) {
  if (frames.Length() != 1) return nullptr;
  return (new c_Image())->m_new()->p_Grab(x, y, frameWidth, frameHeight, frameCount, flags, this);
}
