// Any bytes decoded as a text file (byte-order marks, UTF-8, UTF-16 either
// way round), then saved and loaded again: the text must come back unchanged.
#include <cstring>

#include "runtime/string.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  // Through a stream, as files are read.
  FILE* in = OpenInput(data, size);
  String text = String::Load(in);
  fclose(in);
  FUZZ_CHECK(text == String::Load(data, static_cast<int>(size)));

  char* saved = nullptr;
  size_t saved_size = 0;
  FILE* out = open_memstream(&saved, &saved_size);
  FUZZ_CHECK(text.Save(out));
  fclose(out);
  int utf8_size = -1;
  unsigned char* utf8 = text.ToUtf8(&utf8_size);
  FUZZ_CHECK(static_cast<size_t>(utf8_size) == saved_size);
  FUZZ_CHECK(saved_size == 0 || memcmp(utf8, saved, saved_size) == 0);
  free(utf8);

  String again = String::Load(reinterpret_cast<unsigned char*>(saved), static_cast<int>(saved_size));
  // A text that begins with U+FEFF saves as a byte-order mark, which loading
  // takes away; everything else comes back whole.
  if (text.Length() && text[0] == 0xFEFF) {
    FUZZ_CHECK(again == text.Slice(1));
  } else {
    FUZZ_CHECK(again == text);
  }
  free(saved);
  return 0;
}
