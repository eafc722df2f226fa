#pragma once
// The collector's object header, lists, counters and the calls the rest of
// the program uses to allocate, mark and assign collected references.
#include <cstddef>
#include <type_traits>

// Incremental tri-colour collector. Objects live on exactly one of four
// circular lists; collection steps run only between calls into the program,
// so the only roots are the program's globals (listed by gc_mark).

struct gc_object;

void* gc_object_alloc(int size);
void gc_object_free(gc_object* p);

struct gc_object {
  gc_object* next;
  gc_object* prev;
  int flags;  // bits 3..31: allocation size; bits 0..1: colour

  // Takes its header from the allocation made for it by gc_object_alloc and
  // joins the unmarked list. Setting the header here, not in the allocator,
  // keeps it safe from the zero-initialisation of `new T()`. An object made
  // any other way (a static, a local) is permanent: never marked or freed.
  gc_object();
  // A list's sentinel: an empty list from the start.
  struct Sentinel {};
  explicit gc_object(Sentinel) : next(this), prev(this), flags(0) {}
  virtual ~gc_object() {}
  virtual void mark() {}

  int gc_size() const { return flags & ~7; }

  static void* operator new(size_t size) { return gc_object_alloc(static_cast<int>(size)); }
  static void* operator new(size_t, void* storage) { return storage; }
  static void operator delete(void* p) { gc_object_free(static_cast<gc_object*>(p)); }
  static void operator delete(void*, void*) {}
};

// Base of interface types; a reference held through one is cast back to its
// collected object before marking.
struct gc_interface {
  virtual ~gc_interface() {}
};

extern int gc_markbit;
extern gc_object gc_queued_list;
extern gc_object gc_unmarked_list;
extern gc_object gc_marked_list;
extern gc_object gc_free_list;
extern gc_object* gc_cache[8];
extern int gc_alloced_bytes;
extern int gc_max_alloced_bytes;
extern int gc_alloced_objs;
extern int gc_marked_bytes;
extern int gc_marked_objs;
extern int gc_free_bytes;
extern bool gc_force_sweep;

// Permanent colour: never white, so never queued, moved or freed.
const int gc_permanent_colour = 3;
const int gc_mark_budget = 2500;
const int gc_sweep_threshold = 4 * 1024 * 1024;
const int gc_full_threshold = 64 * 1024 * 1024;

void gc_init1();
void gc_init2();
void gc_collect();
void gc_flush_free(int size);
void gc_mark_q(gc_object* p);
void gc_mark_now(gc_object* p);

// The collected object at this address, or null: for addresses that come
// from outside the program.
gc_object* gc_find_object(const void* p);

// Queues the program's roots. Defined by the program, which knows its globals.
void gc_mark();

template <class T>
inline gc_object* gc_object_of(T* p) {
  if constexpr (std::is_base_of<gc_object, T>::value) {
    return p;
  } else {
    return dynamic_cast<gc_object*>(p);
  }
}

template <class T>
inline void gc_mark_q(T* p) {
  if (p) gc_mark_q(gc_object_of(p));
}

template <class T>
inline void gc_mark_now(T* p) {
  if (p) gc_mark_now(gc_object_of(p));
}

template <class T>
inline void gc_mark_elements(int count, T** elements) {
  for (int i = 0; i < count; ++i) gc_mark_now(elements[i]);
}

// The write barrier: every store of an object reference goes through it.
template <class T, class U>
inline void gc_assign(T*& field, U* value) {
  gc_mark_q(value);
  field = value;
}

template <class T>
inline void gc_assign(T*& field, std::nullptr_t) {
  field = nullptr;
}

inline bool gc_list_empty(const gc_object& list) { return list.next == &list; }
