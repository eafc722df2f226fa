#pragma once
// The base of every collected class of the framework and the game.
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/string.h"

// Base of every class of the framework and the game.
class Object : public gc_object {
 public:
  // Identity, not contents.
  virtual bool Equals(Object* other) { return other == this; }
  // Only the sign is meaningful: the order of the two addresses.
  virtual int Compare(Object* other);
  virtual String debug();
};
