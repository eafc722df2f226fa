#pragma once
// Arrays of the runtime: a value type over one collected representation
// (length, then the elements inline), marked by element kind.
#include <climits>
#include <cstddef>
#include <new>
#include <type_traits>

#include "runtime/collector.h"
#include "runtime/memory.h"

// How an array representation marks its elements: object references are
// marked at once, values (ints, floats, bools, strings) not at all.
template <class T>
struct gc_array_elements {
  static void mark(T*, int) {}
};

template <class T>
struct gc_array_elements<T*> {
  static void mark(T** elements, int count) { gc_mark_elements(count, elements); }
};

// A value holding one pointer to a collected representation; copies share
// it. Indexing makes no bounds test.
template <class T>
class Array {
 public:
  struct Rep : public gc_object {
    int length;

    explicit Rep(int n) : length(n) {
      for (int i = 0; i < n; ++i) new (&elements()[i]) T();
    }
    ~Rep() override {
      for (int i = 0; i < length; ++i) elements()[i].~T();
    }
    void mark() override { gc_array_elements<T>::mark(elements(), length); }

    // The elements are stored inline, right after the header and length.
    T* elements() { return reinterpret_cast<T*>(this + 1); }

    // Made outside the collector, hence permanent.
    Rep() : length(0) {}
  };

  Array() : rep(&nullRep) {}
  explicit Array(int length) : rep(length > 0 ? NewRep(length) : &nullRep) {}
  Array(const T* source, int length) : Array(length) {
    for (int i = 0; i < length; ++i) rep->elements()[i] = source[i];
  }

  int Length() const { return rep->length; }
  T& operator[](int index) const { return rep->elements()[index]; }
  T* Data() const { return rep->elements(); }

  Rep* rep;
  static Rep nullRep;

 private:
  static Rep* NewRep(int length) {
    // A size the allocator's int cannot hold would wrap into a small block.
    if (static_cast<size_t>(length) > (INT_MAX - 8 - sizeof(Rep)) / sizeof(T)) vx_out_of_memory();
    void* storage = gc_object_alloc(static_cast<int>(sizeof(Rep) + sizeof(T) * length));
    return new (storage) Rep(length);
  }
};

template <class T>
typename Array<T>::Rep Array<T>::nullRep;

template <class T>
inline void gc_mark_q(const Array<T>& array) {
  gc_mark_q(static_cast<gc_object*>(array.rep));
}

template <class T>
inline void gc_assign(Array<T>& field, const Array<T>& value) {
  gc_mark_q(value);
  field = value;
}
