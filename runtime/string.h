#pragma once
// The runtime's string: immutable UTF-16 text shared by reference count.
#include <cstdio>

template <class T> class Array;

// Immutable UTF-16 text held by value. Representations are shared through a
// plain (non-atomic) reference count: strings live on the main thread only.
class String {
 public:
  typedef unsigned short Char;

  struct Rep {
    int refCount;
    int length;
    Char chars[1];  // really `length` units; the block is sized to fit
  };

  String() : rep(&nullRep) {}
  String(const String& other) : rep(other.rep) { rep->refCount += 1; }
  explicit String(int n);
  explicit String(float n);
  String(const char* text);                         // one unit per byte, signed
  String(const unsigned char* bytes, int length);  // one unit per byte, unsigned
  String(const Char* units, int length);
  ~String() { Release(rep); }

  String& operator=(const String& other);

  int Length() const { return rep->length; }
  Char operator[](int index) const { return rep->chars[index]; }
  const Char* Data() const { return rep->chars; }

  bool operator==(const String& other) const;
  bool operator!=(const String& other) const { return !(*this == other); }
  String operator+(const String& other) const;
  String& operator+=(const String& other) { return *this = *this + other; }

  bool StartsWith(const String& prefix) const;
  bool EndsWith(const String& suffix) const;
  // First position at or after `start` where `text` occurs, or -1.
  int Find(const String& text, int start = 0) const;
  bool Contains(const String& text) const { return Find(text) != -1; }
  String Slice(int from) const { return Slice(from, Length()); }
  String Slice(int from, int to) const;
  String ToLower() const;
  Array<String> Split(const String& separator) const;
  String Replace(const String& find, const String& replacement) const;
  // The decimal value as the C library's atoi reads the low bytes.
  int ToInt() const;

  // Newly malloc'ed and zero-terminated; the caller frees the block.
  template <class C> C* ToCString() const;

  // Decoding of file contents: byte-order mark detection, UTF-8 by default.
  static String Load(FILE* file);
  static String Load(const unsigned char* bytes, int length);
  // Writes UTF-8 without a byte-order mark; true when every byte was written.
  bool Save(FILE* file) const;
  // The UTF-8 bytes Save would write, as a malloc'ed block (length in `size`).
  unsigned char* ToUtf8(int* size) const;

  Rep* GetRep() const { return rep; }

  static Rep nullRep;

  // Element helpers for arrays of strings.
  static void t_create(int n, String* dst, const String* src = nullptr);
  static void t_destroy(int n, String* dst);

 private:
  explicit String(Rep* r) : rep(r) {}
  // Lengths are counted wide so that a sum too big for an int is caught.
  static Rep* Alloc(long long length);
  static void Release(Rep* r) {
    // Only the shared empty representation has length 0; it is never freed.
    if (--r->refCount == 0 && r != &nullRep) DestroyRep(r);
  }
  static void DestroyRep(Rep* r);

  Rep* rep;
};

template <> char* String::ToCString<char>() const;
template <> String::Char* String::ToCString<String::Char>() const;
