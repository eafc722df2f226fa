#pragma once
// Byte buffers the host fills from files and the program reads or builds.
#include "runtime/object.h"

// A raw block of bytes with little-endian, unaligned access, for code that
// reads or builds binary data (files, network messages).
class VxDataBuffer : public Object {
 public:
  ~VxDataBuffer() override;

  // False when the buffer already holds memory; the contents are undefined.
  bool _New(int size);
  // The whole file through the host; false when the buffer already holds
  // memory or the file gives no data.
  bool _Load(String path);
  void Discard();

  int Length() const { return m_size; }
  void* ReadPointer(int offset) const { return m_bytes + offset; }
  void* WritePointer(int offset) { return m_bytes + offset; }

  // Accesses that do not fit the buffer store nothing and read 0.
  void PokeByte(int offset, int value);
  void PokeShort(int offset, int value);
  void PokeInt(int offset, int value);
  void PokeFloat(int offset, float value);
  // Bytes and shorts are signed.
  int PeekByte(int offset) const;
  int PeekShort(int offset) const;
  int PeekInt(int offset) const;
  float PeekFloat(int offset) const;

  // Whether `count` bytes from `offset` lie within the buffer.
  bool Fits(int offset, int count) const;

  unsigned char* m_bytes = nullptr;
  int m_size = 0;

 private:
  void Store(int offset, unsigned int value, int count);
  unsigned int Load(int offset, int count) const;
};
