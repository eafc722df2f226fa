// The base object's identity, order and debug text.
#include "runtime/object.h"

#include <functional>

int Object::Compare(Object* other) {
  // Subtracting 64-bit addresses into an int could flip the sign.
  if (std::less<Object*>()(this, other)) return -1;
  return this == other ? 0 : 1;
}

String Object::debug() { return String("+Object\n"); }
