// Slice, Find, Split and Replace against plain reference versions written
// over std::u16string. The input holds two numbers and three texts.
#include <climits>
#include <string>
#include <vector>

#include "runtime/array.h"
#include "runtime/string.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

typedef std::u16string Units;

String ToString(const Units& units) {
  return String(reinterpret_cast<const String::Char*>(units.data()), static_cast<int>(units.size()));
}

Units ToUnits(const String& text) { return Units(reinterpret_cast<const char16_t*>(text.Data()), text.Length()); }

// Reads from the input, giving zeros once it runs out.
struct Reader {
  const uint8_t* data;
  size_t size;
  int Int() {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return static_cast<int>(value);
  }
  uint8_t Byte() {
    if (!size) return 0;
    --size;
    return *data++;
  }
  // A length byte, then that many units. Units are mostly few distinct
  // values so that matches happen.
  Units Text() {
    int length = Byte() % 24;
    Units units;
    for (int i = 0; i < length; ++i) {
      uint8_t b = Byte();
      units += b & 0x80 ? static_cast<char16_t>(b << 8 | Byte()) : static_cast<char16_t>('a' + b % 3);
    }
    return units;
  }
};

Units RefSlice(const Units& s, long long from, long long to) {
  long long length = s.size();
  if (from < 0) from += length;
  if (to < 0) to += length;
  if (from < 0) from = 0;
  if (from > length) from = length;
  if (to > length) to = length;
  if (to <= from) return Units();
  return s.substr(from, to - from);
}

int RefFind(const Units& s, const Units& text, int start) {
  if (start < 0) start = 0;
  for (long long i = start; i + static_cast<long long>(text.size()) <= static_cast<long long>(s.size()); ++i)
    if (s.compare(i, text.size(), text) == 0) return static_cast<int>(i);
  return -1;
}

std::vector<Units> RefSplit(const Units& s, const Units& separator) {
  std::vector<Units> parts;
  if (separator.empty()) {
    for (char16_t unit : s) parts.push_back(Units(1, unit));
    return parts;
  }
  size_t begin = 0;
  for (;;) {
    size_t at = s.find(separator, begin);
    if (at == Units::npos) break;
    parts.push_back(s.substr(begin, at - begin));
    begin = at + separator.size();
  }
  parts.push_back(s.substr(begin));
  return parts;
}

Units RefReplace(const Units& s, const Units& find, const Units& replacement) {
  if (find.empty()) return s;
  Units out;
  size_t begin = 0;
  for (;;) {
    size_t at = s.find(find, begin);
    if (at == Units::npos) break;
    out += s.substr(begin, at - begin) + replacement;
    begin = at + find.size();
  }
  return out + s.substr(begin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CollectBeforeInput();
  Reader in = {data, size};
  // Small numbers mostly, the extremes now and then.
  int a = in.Int(), b = in.Int();
  if (!(a & 0x40000000)) a %= 40;
  if (!(b & 0x40000000)) b %= 40;
  Units s = in.Text(), t = in.Text(), r = in.Text();
  String S = ToString(s), T = ToString(t), R = ToString(r);

  FUZZ_CHECK(ToUnits(S.Slice(a, b)) == RefSlice(s, a, b));
  FUZZ_CHECK(ToUnits(S.Slice(a)) == RefSlice(s, a, s.size()));
  FUZZ_CHECK(S.Find(T, a) == RefFind(s, t, a));
  FUZZ_CHECK(S.Find(T) == RefFind(s, t, 0));
  FUZZ_CHECK(S.Contains(T) == (RefFind(s, t, 0) != -1));
  FUZZ_CHECK(S.StartsWith(T) == (s.compare(0, t.size(), t) == 0 && t.size() <= s.size()));
  FUZZ_CHECK(S.EndsWith(T) == (t.size() <= s.size() && s.compare(s.size() - t.size(), t.size(), t) == 0));

  Array<String> parts = S.Split(T);
  std::vector<Units> expected = RefSplit(s, t);
  FUZZ_CHECK(parts.Length() == static_cast<int>(expected.size()));
  for (int i = 0; i < parts.Length(); ++i) FUZZ_CHECK(ToUnits(parts[i]) == expected[i]);

  FUZZ_CHECK(ToUnits(S.Replace(T, R)) == RefReplace(s, t, r));
  FUZZ_CHECK(S + T == ToString(s + t));
  return 0;
}
