// Strings: conversions to and from numbers and C text, searching, slicing,
// case, and text read from and written to files.
#include "runtime/string.h"

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "runtime/array.h"
#include "runtime/file_bytes.h"
#include "runtime/memory.h"

String::Rep String::nullRep = {1, 0, {0}};

String::Rep* String::Alloc(long long length) {
  if (length > INT_MAX) vx_out_of_memory();
  Rep* r = static_cast<Rep*>(vx_malloc(offsetof(Rep, chars) + sizeof(Char) * length));
  r->refCount = 1;
  r->length = static_cast<int>(length);
  return r;
}

void String::DestroyRep(Rep* r) { free(r); }

String::String(int n) : rep(&nullRep) {
  char buf[16];
  snprintf(buf, sizeof buf, "%i", n);
  *this = String(buf);
}

String::String(float n) : rep(&nullRep) {
  char buf[64];
  snprintf(buf, sizeof buf - 2, "%.17lg", static_cast<double>(n));
  if (!strchr(buf, '.') && !strchr(buf, 'e')) strcat(buf, ".0");
  *this = String(buf);
}

String::String(const char* text) : rep(&nullRep) {
  int length = static_cast<int>(strlen(text));
  if (!length) return;
  rep = Alloc(length);
  for (int i = 0; i < length; ++i) rep->chars[i] = static_cast<Char>(static_cast<signed char>(text[i]));
}

String::String(const unsigned char* bytes, int length) : rep(&nullRep) {
  if (length <= 0) return;
  rep = Alloc(length);
  for (int i = 0; i < length; ++i) rep->chars[i] = bytes[i];
}

String::String(const Char* units, int length) : rep(&nullRep) {
  if (length <= 0) return;
  rep = Alloc(length);
  memcpy(rep->chars, units, sizeof(Char) * length);
}

String& String::operator=(const String& other) {
  other.rep->refCount += 1;
  Release(rep);
  rep = other.rep;
  return *this;
}

bool String::operator==(const String& other) const {
  if (rep == other.rep) return true;
  return rep->length == other.rep->length &&
         memcmp(rep->chars, other.rep->chars, sizeof(Char) * rep->length) == 0;
}

String String::operator+(const String& other) const {
  if (!rep->length) return other;
  if (!other.rep->length) return *this;
  Rep* r = Alloc(static_cast<long long>(rep->length) + other.rep->length);
  memcpy(r->chars, rep->chars, sizeof(Char) * rep->length);
  memcpy(r->chars + rep->length, other.rep->chars, sizeof(Char) * other.rep->length);
  return String(r);
}

bool String::StartsWith(const String& prefix) const {
  if (prefix.rep->length > rep->length) return false;
  return memcmp(rep->chars, prefix.rep->chars, sizeof(Char) * prefix.rep->length) == 0;
}

bool String::EndsWith(const String& suffix) const {
  if (suffix.rep->length > rep->length) return false;
  return memcmp(rep->chars + rep->length - suffix.rep->length, suffix.rep->chars,
                sizeof(Char) * suffix.rep->length) == 0;
}

int String::Find(const String& text, int start) const {
  if (start < 0) start = 0;
  int n = text.rep->length;
  // Bounded by length - n, which cannot wrap the way start + n can.
  for (int i = start; i <= rep->length - n; ++i) {
    if (memcmp(rep->chars + i, text.rep->chars, sizeof(Char) * n) == 0) return i;
  }
  return -1;
}

String String::Slice(int from, int to) const {
  int length = rep->length;
  if (from < 0) from += length;
  if (to < 0) to += length;
  if (from < 0) from = 0;
  if (from > length) from = length;
  if (to > length) to = length;
  if (to <= from) return String();
  if (from == 0 && to == length) return *this;
  return String(rep->chars + from, to - from);
}

String String::ToLower() const {
  for (int i = 0; i < rep->length; ++i) {
    Char c = rep->chars[i];
    if (c >= 'A' && c <= 'Z') {
      // First change found: copy and lower the rest.
      Rep* r = Alloc(rep->length);
      memcpy(r->chars, rep->chars, sizeof(Char) * rep->length);
      for (int j = i; j < r->length; ++j) {
        if (r->chars[j] >= 'A' && r->chars[j] <= 'Z') r->chars[j] += 'a' - 'A';
      }
      return String(r);
    }
  }
  return *this;
}

Array<String> String::Split(const String& separator) const {
  if (!separator.rep->length) {
    Array<String> parts(rep->length);
    for (int i = 0; i < rep->length; ++i) parts[i] = String(rep->chars + i, 1);
    return parts;
  }
  int count = 1;
  for (int i = Find(separator); i != -1; i = Find(separator, i + separator.rep->length)) ++count;
  Array<String> parts(count);
  int begin = 0;
  for (int k = 0; k < count - 1; ++k) {
    int at = Find(separator, begin);
    parts[k] = Slice(begin, at);
    begin = at + separator.rep->length;
  }
  parts[count - 1] = Slice(begin);
  return parts;
}

String String::Replace(const String& find, const String& replacement) const {
  int n = find.rep->length;
  if (!n) return *this;
  int count = 0;
  for (int i = Find(find); i != -1; i = Find(find, i + n)) ++count;
  if (!count) return *this;
  long long length = rep->length + static_cast<long long>(count) * (replacement.rep->length - n);
  if (length <= 0) return String();
  Rep* r = Alloc(length);
  Char* out = r->chars;
  int begin = 0;
  for (int i = Find(find); i != -1; i = Find(find, begin)) {
    memcpy(out, rep->chars + begin, sizeof(Char) * (i - begin));
    out += i - begin;
    memcpy(out, replacement.rep->chars, sizeof(Char) * replacement.rep->length);
    out += replacement.rep->length;
    begin = i + n;
  }
  memcpy(out, rep->chars + begin, sizeof(Char) * (rep->length - begin));
  return String(r);
}

int String::ToInt() const {
  char* text = ToCString<char>();
  int value = atoi(text);
  free(text);
  return value;
}

template <> char* String::ToCString<char>() const {
  char* text = static_cast<char*>(vx_malloc(static_cast<size_t>(rep->length) + 1));
  for (int i = 0; i < rep->length; ++i) text[i] = static_cast<char>(rep->chars[i]);
  text[rep->length] = 0;
  return text;
}

template <> String::Char* String::ToCString<String::Char>() const {
  Char* text = static_cast<Char*>(vx_malloc(sizeof(Char) * (static_cast<size_t>(rep->length) + 1)));
  memcpy(text, rep->chars, sizeof(Char) * rep->length);
  text[rep->length] = 0;
  return text;
}

namespace {

// Decodes UTF-8 into `out` (room for `length` units); -1 on invalid data.
int DecodeUtf8(const unsigned char* p, int length, String::Char* out) {
  int n = 0;
  for (int i = 0; i < length;) {
    int lead = p[i++];
    if (lead < 0x80) {
      out[n++] = static_cast<String::Char>(lead);
    } else if ((lead & 0xE0) == 0xC0) {
      if (i >= length || (p[i] & 0xC0) != 0x80) return -1;
      out[n++] = static_cast<String::Char>((lead & 0x1F) << 6 | (p[i] & 0x3F));
      i += 1;
    } else if ((lead & 0xF0) == 0xE0) {
      if (i + 1 >= length || (p[i] & 0xC0) != 0x80 || (p[i + 1] & 0xC0) != 0x80) return -1;
      out[n++] = static_cast<String::Char>(lead << 12 | (p[i] & 0x3F) << 6 | (p[i + 1] & 0x3F));
      i += 2;
    } else {
      return -1;
    }
  }
  return n;
}

}  // namespace

String String::Load(const unsigned char* p, int length) {
  if (length >= 2 && (p[0] == 0xFE && p[1] == 0xFF)) {
    int n = (length - 2) / 2;
    if (!n) return String();
    Rep* r = Alloc(n);
    for (int i = 0; i < n; ++i) r->chars[i] = static_cast<Char>(p[2 + 2 * i] << 8 | p[3 + 2 * i]);
    return String(r);
  }
  if (length >= 2 && (p[0] == 0xFF && p[1] == 0xFE)) {
    int n = (length - 2) / 2;
    if (!n) return String();
    Rep* r = Alloc(n);
    for (int i = 0; i < n; ++i) r->chars[i] = static_cast<Char>(p[3 + 2 * i] << 8 | p[2 + 2 * i]);
    return String(r);
  }
  if (length >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    p += 3;
    length -= 3;
  }
  if (length <= 0) return String();
  // UTF-8 never has more units than bytes.
  Char* units = static_cast<Char*>(vx_malloc(sizeof(Char) * length));
  int n = DecodeUtf8(p, length, units);
  String result;
  if (n < 0) {
    fputs("Invalid UTF-8!\n", stdout);
    fflush(stdout);
    result = String(p, length);
  } else {
    result = String(units, n);
  }
  free(units);
  return result;
}

String String::Load(FILE* file) {
  int size = 0;
  unsigned char* data = vx_read_file(file, &size);
  if (!data) vx_out_of_memory();
  String text = Load(data, size);
  free(data);
  return text;
}

unsigned char* String::ToUtf8(int* size) const {
  // Counted first and wide: up to three bytes a unit can outgrow an int.
  long long bytes = 0;
  for (int i = 0; i < rep->length; ++i) bytes += rep->chars[i] < 0x80 ? 1 : rep->chars[i] < 0x800 ? 2 : 3;
  if (bytes > INT_MAX) vx_out_of_memory();
  unsigned char* out = static_cast<unsigned char*>(vx_malloc(static_cast<size_t>(bytes)));
  int n = 0;
  for (int i = 0; i < rep->length; ++i) {
    unsigned c = rep->chars[i];
    if (c < 0x80) {
      out[n++] = static_cast<unsigned char>(c);
    } else if (c < 0x800) {
      out[n++] = static_cast<unsigned char>(0xC0 | c >> 6);
      out[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    } else {
      out[n++] = static_cast<unsigned char>(0xE0 | c >> 12);
      out[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      out[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
  }
  *size = n;
  return out;
}

bool String::Save(FILE* file) const {
  int size = 0;
  unsigned char* bytes = ToUtf8(&size);
  bool ok = size == 0 || fwrite(bytes, 1, size, file) == static_cast<size_t>(size);
  free(bytes);
  return ok;
}

void String::t_create(int n, String* dst, const String* src) {
  for (int i = 0; i < n; ++i) new (&dst[i]) String(src ? src[i] : String());
}

void String::t_destroy(int n, String* dst) {
  for (int i = 0; i < n; ++i) dst[i].~String();
}
