// Byte buffers: memory from malloc, values stored byte by byte so that the
// order is little-endian whatever the machine and any offset is allowed.
#include "host/data_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/game.h"

VxDataBuffer::~VxDataBuffer() { free(m_bytes); }

bool VxDataBuffer::_New(int size) {
  if (m_bytes || size < 0) return false;
  // malloc(0) may give null; a buffer of no bytes still counts as made.
  m_bytes = static_cast<unsigned char*>(malloc(size > 0 ? size : 1));
  if (!m_bytes) return false;
  m_size = size;
  return true;
}

bool VxDataBuffer::_Load(String path) {
  if (m_bytes) return false;
  int length = 0;
  unsigned char* data = VxGame::_game->LoadData(path, &length);
  if (!data) return false;
  m_bytes = data;
  m_size = length;
  return true;
}

void VxDataBuffer::Discard() {
  if (!m_bytes) return;
  free(m_bytes);
  m_bytes = nullptr;
  m_size = 0;
}

bool VxDataBuffer::Fits(int offset, int count) const {
  return m_bytes && offset >= 0 && count >= 0 && static_cast<int64_t>(offset) + count <= m_size;
}

void VxDataBuffer::Store(int offset, unsigned int value, int count) {
  if (!Fits(offset, count)) return;
  for (int i = 0; i < count; ++i) m_bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

unsigned int VxDataBuffer::Load(int offset, int count) const {
  if (!Fits(offset, count)) return 0;
  unsigned int value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | m_bytes[offset + i];
  return value;
}

void VxDataBuffer::PokeByte(int offset, int value) { Store(offset, static_cast<unsigned int>(value), 1); }

void VxDataBuffer::PokeShort(int offset, int value) { Store(offset, static_cast<unsigned int>(value), 2); }

void VxDataBuffer::PokeInt(int offset, int value) { Store(offset, static_cast<unsigned int>(value), 4); }

void VxDataBuffer::PokeFloat(int offset, float value) {
  uint32_t bits;
  memcpy(&bits, &value, 4);
  Store(offset, bits, 4);
}

int VxDataBuffer::PeekByte(int offset) const { return static_cast<int8_t>(Load(offset, 1)); }

int VxDataBuffer::PeekShort(int offset) const { return static_cast<int16_t>(Load(offset, 2)); }

int VxDataBuffer::PeekInt(int offset) const { return static_cast<int>(Load(offset, 4)); }

float VxDataBuffer::PeekFloat(int offset) const {
  uint32_t bits = Load(offset, 4);
  float value;
  memcpy(&value, &bits, 4);
  return value;
}
