#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/array.h"
#include "runtime/string.h"

namespace {

std::string Narrow(const String& s) {
  std::string out;
  for (int i = 0; i < s.Length(); ++i) out += static_cast<char>(s[i]);
  return out;
}

std::vector<std::string> Parts(const Array<String>& parts) {
  std::vector<std::string> out;
  for (int i = 0; i < parts.Length(); ++i) out.push_back(Narrow(parts[i]));
  return out;
}

String Decode(std::vector<unsigned char> bytes) {
  return String::Load(bytes.data(), static_cast<int>(bytes.size()));
}

std::vector<unsigned char> Encode(const String& s) {
  int size = 0;
  unsigned char* bytes = s.ToUtf8(&size);
  std::vector<unsigned char> out(bytes, bytes + size);
  free(bytes);
  return out;
}

String Units(std::initializer_list<String::Char> units) {
  return String(std::vector<String::Char>(units).data(), static_cast<int>(units.size()));
}

TEST(StringSharing, CopiesAndNoOpResultsShareTheRepresentation) {
  String abc = String("ab") + String("c");
  String copy = abc;
  EXPECT_EQ(copy.GetRep(), abc.GetRep());
  EXPECT_EQ(abc.GetRep()->refCount, 2);
  EXPECT_EQ(abc.Slice(0, 3).GetRep(), abc.GetRep());
  EXPECT_EQ(abc.ToLower().GetRep(), abc.GetRep());
  EXPECT_EQ(abc.Replace(String("x"), String("y")).GetRep(), abc.GetRep());
  EXPECT_EQ((abc + String()).GetRep(), abc.GetRep());
  EXPECT_EQ((String() + abc).GetRep(), abc.GetRep());
  String& same = copy;
  copy = same;  // self-assignment keeps the text alive
  EXPECT_EQ(Narrow(copy), "abc");
}

TEST(StringSharing, EmptyResultsAreTheSharedEmptyString) {
  EXPECT_EQ(String().GetRep(), &String::nullRep);
  EXPECT_EQ(String("").GetRep(), &String::nullRep);
  EXPECT_EQ(String("abc").Slice(2, 1).GetRep(), &String::nullRep);
  EXPECT_EQ(String::Load(nullptr, 0).GetRep(), &String::nullRep);
}

TEST(StringSlice, NegativeIndicesCountFromTheEndAndClamp) {
  String s("abcdef");
  EXPECT_EQ(Narrow(s.Slice(-3, 6)), "def");
  EXPECT_EQ(Narrow(s.Slice(4, 2)), "");
  EXPECT_EQ(Narrow(s.Slice(-100, 2)), "ab");
  EXPECT_EQ(Narrow(s.Slice(2, 100)), "cdef");
  EXPECT_EQ(Narrow(s.Slice(1, -1)), "bcde");
  EXPECT_EQ(Narrow(s.Slice(3)), "def");
  EXPECT_EQ(Narrow(s.Slice(7, 9)), "");
}

TEST(StringSplit, PiecesBetweenSeparatorsAreKeptEvenWhenEmpty) {
  EXPECT_EQ(Parts(String("a,,b,").Split(String(","))), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(Parts(String("abc").Split(String())), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(String().Split(String()).Length(), 0);
  EXPECT_EQ(Parts(String().Split(String(","))), (std::vector<std::string>{""}));
  EXPECT_EQ(Parts(String("abc").Split(String("|"))), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(Parts(String("aaaa").Split(String("aa"))), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Parts(String("1|2|3|").Split(String("|"))), (std::vector<std::string>{"1", "2", "3", ""}));
}

TEST(StringSearch, FindStartsWithReplace) {
  String s("hello world");
  EXPECT_EQ(s.Find(String("o")), 4);
  EXPECT_EQ(s.Find(String("o"), 5), 7);
  EXPECT_EQ(s.Find(String("xyz")), -1);
  EXPECT_EQ(s.Find(String(), 3), 3);
  EXPECT_EQ(s.Find(String("world"), 7), -1);
  EXPECT_EQ(s.Find(String("ld"), 2147483647), -1);
  EXPECT_TRUE(s.StartsWith(String("hell")));
  EXPECT_TRUE(s.StartsWith(String()));
  EXPECT_FALSE(String("he").StartsWith(String("hello")));
  EXPECT_TRUE(s.EndsWith(String("world")));
  EXPECT_EQ(Narrow(String("a-b-c").Replace(String("-"), String("+="))), "a+=b+=c");
  EXPECT_EQ(Narrow(String("aaa").Replace(String("aa"), String("b"))), "ba");
  EXPECT_EQ(Narrow(String("abab").Replace(String("ab"), String())), "");
  EXPECT_TRUE(String("abc") == String("ab") + String("c"));
  EXPECT_TRUE(String("abc") != String("abd"));
}

TEST(StringCase, OnlyAsciiCapitalsAreLowered) {
  String mixed = String("AbC-Z[@") + Units({0xC0, 0x0410});
  String lower = mixed.ToLower();
  EXPECT_EQ(Narrow(lower.Slice(0, 7)), "abc-z[@");
  EXPECT_EQ(lower[7], 0xC0);
  EXPECT_EQ(lower[8], 0x0410);
}

TEST(StringNumbers, IntsAndFloatsPrintAsTheRuntimeDoes) {
  EXPECT_EQ(Narrow(String(0)), "0");
  EXPECT_EQ(Narrow(String(-2147483647 - 1)), "-2147483648");
  EXPECT_EQ(Narrow(String(2.0f)), "2.0");
  EXPECT_EQ(Narrow(String(3.0f)), "3.0");
  EXPECT_EQ(Narrow(String(-1.0f)), "-1.0");
  EXPECT_EQ(Narrow(String(1.5f)), "1.5");
  EXPECT_EQ(Narrow(String(0.1f)), "0.10000000149011612");
  EXPECT_EQ(Narrow(String(1e30f)), "1.0000000150474662e+30");
  EXPECT_EQ(String(" -42xyz").ToInt(), -42);
  EXPECT_EQ(String("abc").ToInt(), 0);
}

TEST(StringBytes, ConstructionWidensBytes) {
  String signedBytes("\x41\xE9");
  EXPECT_EQ(signedBytes[0], 0x41);
  EXPECT_EQ(signedBytes[1], 0xFFE9);  // signed widening
  const unsigned char latin[] = {0x41, 0xE9};
  EXPECT_EQ(String(latin, 2)[1], 0xE9);
  char* narrow = Units({0x141, 0x42}).ToCString<char>();
  EXPECT_EQ(static_cast<unsigned char>(narrow[0]), 0x41);
  EXPECT_EQ(narrow[2], 0);
  free(narrow);
  String::Char* wide = Units({0x20AC}).ToCString<String::Char>();
  EXPECT_EQ(wide[0], 0x20AC);
  EXPECT_EQ(wide[1], 0);
  free(wide);
}

TEST(StringDecoding, Utf8WithAndWithoutByteOrderMark) {
  String plain = Decode({'h', 0xC3, 0xA9, 0xE2, 0x82, 0xAC});
  ASSERT_EQ(plain.Length(), 3);
  EXPECT_EQ(plain[0], 'h');
  EXPECT_EQ(plain[1], 0xE9);
  EXPECT_EQ(plain[2], 0x20AC);
  String marked = Decode({0xEF, 0xBB, 0xBF, 'o', 'k'});
  EXPECT_EQ(Narrow(marked), "ok");
  EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF}).Length(), 0);
}

TEST(StringDecoding, Utf16InBothByteOrders) {
  String big = Decode({0xFE, 0xFF, 0x00, 'A', 0x20, 0xAC, 0x99});
  ASSERT_EQ(big.Length(), 2);  // the odd trailing byte is ignored
  EXPECT_EQ(big[0], 'A');
  EXPECT_EQ(big[1], 0x20AC);
  String little = Decode({0xFF, 0xFE, 'A', 0x00, 0xAC, 0x20});
  ASSERT_EQ(little.Length(), 2);
  EXPECT_EQ(little[1], 0x20AC);
  EXPECT_EQ(Decode({0xFF, 0xFE}).Length(), 0);
}

TEST(StringDecoding, InvalidUtf8FallsBackToOneUnitPerByte) {
  const std::vector<std::vector<unsigned char>> invalid = {
      {'a', 0x80, 'b'},        // stray continuation byte
      {'a', 0xC3},             // cut off by the end
      {'a', 0xE2, 0x82},       // cut off by the end
      {'a', 0xC3, 'b'},        // missing continuation
      {'a', 0xF0, 0x9F, 0x98, 0x80},  // four-byte sequence
  };
  for (const auto& bytes : invalid) {
    testing::internal::CaptureStdout();
    String s = Decode(bytes);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid UTF-8!\n");
    ASSERT_EQ(s.Length(), static_cast<int>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(s[i], bytes[i]);
  }
  testing::internal::CaptureStdout();
  String afterMark = Decode({0xEF, 0xBB, 0xBF, 'x', 0xFF});
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid UTF-8!\n");
  ASSERT_EQ(afterMark.Length(), 2);  // the bytes after the mark
  EXPECT_EQ(afterMark[1], 0xFF);
}

TEST(StringEncoding, UnitsEncodeInOneTwoOrThreeBytes) {
  EXPECT_EQ(Encode(Units({0x41})), (std::vector<unsigned char>{0x41}));
  EXPECT_EQ(Encode(Units({0x7FF})), (std::vector<unsigned char>{0xDF, 0xBF}));
  EXPECT_EQ(Encode(Units({0x800})), (std::vector<unsigned char>{0xE0, 0xA0, 0x80}));
  EXPECT_EQ(Encode(Units({0x20AC})), (std::vector<unsigned char>{0xE2, 0x82, 0xAC}));
  EXPECT_EQ(Encode(Units({0xD83D})), (std::vector<unsigned char>{0xED, 0xA0, 0xBD}));  // lone surrogate
  String all = Units({0x41, 0xE9, 0x20AC, 0xFFFF});
  EXPECT_TRUE(Decode(Encode(all)) == all);
}

TEST(StringFiles, SaveAndLoadThroughRealFiles) {
  FILE* file = tmpfile();
  ASSERT_NE(file, nullptr);
  String text = String("score|") + Units({0x20AC, 0xE9});
  EXPECT_TRUE(text.Save(file));
  rewind(file);
  EXPECT_TRUE(String::Load(file) == text);

  // Longer than one read chunk.
  FILE* big = tmpfile();
  std::string line(10000, 'x');
  String long_text(line.c_str());
  EXPECT_TRUE(long_text.Save(big));
  rewind(big);
  EXPECT_EQ(String::Load(big).Length(), 10000);

  FILE* empty = tmpfile();
  EXPECT_TRUE(String().Save(empty));
  rewind(empty);
  EXPECT_EQ(String::Load(empty).Length(), 0);
  fclose(file);
  fclose(big);
  fclose(empty);
}

}  // namespace
