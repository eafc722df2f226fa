// Whole-file reads: every byte from where the stream stands, at the sizes
// where the reader's chunks begin and end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/file_bytes.h"

namespace {

std::string ReadBack(const std::string& contents, long skip = 0) {
  FILE* file = tmpfile();
  fwrite(contents.data(), 1, contents.size(), file);
  fseek(file, skip, SEEK_SET);
  int size = -1;
  unsigned char* data = vx_read_file(file, &size);
  fclose(file);
  EXPECT_NE(data, nullptr);
  std::string bytes(reinterpret_cast<char*>(data), size);
  free(data);
  return bytes;
}

TEST(FileBytes, EverySizeAroundTheChunksReadsWhole) {
  for (size_t size : {0, 1, 4095, 4096, 4097, 8192, 12289, 100000}) {
    std::string contents;
    for (size_t i = 0; i < size; ++i) contents += static_cast<char>(i * 7 + i / 251);
    EXPECT_EQ(ReadBack(contents), contents) << size;
  }
}

TEST(FileBytes, ReadingStartsWhereTheStreamStands) {
  EXPECT_EQ(ReadBack("header:body", 7), "body");
  EXPECT_EQ(ReadBack("all", 3), "");
}

TEST(FileBytes, AStreamThatCannotBeReadGivesAnEmptyBlockAndItsError) {
  FILE* file = fopen("/", "rb");  // a folder opens but cannot be read
  ASSERT_NE(file, nullptr);
  int size = -1;
  unsigned char* data = vx_read_file(file, &size);
  EXPECT_NE(data, nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(ferror(file));
  free(data);
  fclose(file);
}

}  // namespace
