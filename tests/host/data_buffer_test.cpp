// Byte buffers: byte order, sign extension, ownership of the memory and
// accesses that do not fit.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "host/data_buffer.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "tests/support/test_support.h"

namespace {

class DataBuffer : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool started = false;
    if (!started) {
      gc_init1();
      if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
      started = true;
    }
    buffer = new VxDataBuffer();
  }
  VxDataBuffer* buffer = nullptr;
};

TEST_F(DataBuffer, PeeksReadLittleEndianAndSignExtend) {
  ASSERT_TRUE(buffer->_New(9));
  EXPECT_EQ(buffer->Length(), 9);
  buffer->PokeByte(0, 200);
  EXPECT_EQ(buffer->PeekByte(0), -56);
  buffer->PokeByte(1, 0xFF);
  buffer->PokeByte(2, 0xFF);
  EXPECT_EQ(buffer->PeekShort(1), -1);
  buffer->PokeShort(1, 0x12345);  // only the low 16 bits are kept
  EXPECT_EQ(buffer->m_bytes[1], 0x45);
  EXPECT_EQ(buffer->m_bytes[2], 0x23);
  EXPECT_EQ(buffer->PeekShort(1), 0x2345);
  // Unaligned ints and floats.
  buffer->PokeInt(3, static_cast<int>(0x89ABCDEF));
  const unsigned char expected[] = {0xEF, 0xCD, 0xAB, 0x89};
  EXPECT_EQ(memcmp(buffer->m_bytes + 3, expected, 4), 0);
  EXPECT_EQ(buffer->PeekInt(3), static_cast<int>(0x89ABCDEF));
  buffer->PokeFloat(5, -1.5f);
  EXPECT_EQ(buffer->PeekFloat(5), -1.5f);
  EXPECT_EQ(buffer->PeekInt(5), static_cast<int>(0xBFC00000));
}

TEST_F(DataBuffer, OnlyAnEmptyBufferTakesNewMemory) {
  ASSERT_TRUE(buffer->_New(16));
  unsigned char* first = buffer->m_bytes;
  buffer->PokeInt(0, 77);
  EXPECT_FALSE(buffer->_New(64));
  EXPECT_EQ(buffer->m_bytes, first);
  EXPECT_EQ(buffer->Length(), 16);
  EXPECT_EQ(buffer->PeekInt(0), 77);
  buffer->Discard();
  EXPECT_EQ(buffer->m_bytes, nullptr);
  EXPECT_EQ(buffer->Length(), 0);
  buffer->Discard();  // nothing to free
  EXPECT_FALSE(buffer->_New(-1));
  EXPECT_TRUE(buffer->_New(0));
  EXPECT_EQ(buffer->Length(), 0);
}

TEST_F(DataBuffer, LoadTakesAWholeFileIntoAnEmptyBuffer) {
  TempDir dir;
  std::string bytes("\x01\x02\xFE\x00\x7F", 5);
  WriteFile(dir.Path("five.bin"), bytes);
  EXPECT_FALSE(buffer->_Load(String(dir.Path("missing.bin").c_str())));
  EXPECT_EQ(buffer->m_bytes, nullptr);
  ASSERT_TRUE(buffer->_Load(String(dir.Path("five.bin").c_str())));
  EXPECT_EQ(buffer->Length(), 5);
  EXPECT_EQ(buffer->PeekByte(2), -2);
  EXPECT_EQ(buffer->PeekByte(4), 127);
  EXPECT_FALSE(buffer->_Load(String(dir.Path("five.bin").c_str())));
}

TEST_F(DataBuffer, AccessesOutsideTheBufferDoNothing) {
  ASSERT_TRUE(buffer->_New(8));
  memset(buffer->m_bytes, 0x11, 8);
  buffer->PokeInt(5, -1);  // would run one byte past the end
  buffer->PokeShort(7, -1);
  buffer->PokeByte(8, -1);
  buffer->PokeFloat(-1, 1.0f);
  buffer->PokeInt(INT_MAX - 1, -1);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buffer->m_bytes[i], 0x11) << i;
  EXPECT_EQ(buffer->PeekInt(5), 0);
  EXPECT_EQ(buffer->PeekShort(7), 0);
  EXPECT_EQ(buffer->PeekByte(-1), 0);
  EXPECT_EQ(buffer->PeekFloat(INT_MAX), 0.0f);
  EXPECT_EQ(buffer->PeekInt(4), 0x11111111);  // the last whole int still reads
  buffer->Discard();
  EXPECT_EQ(buffer->PeekByte(0), 0);  // no memory at all
}

}  // namespace
