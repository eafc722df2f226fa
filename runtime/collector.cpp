// The incremental collector: allocation, the write barrier, marking in
// steps between calls into the program, and sweeping to the free list.
#include "runtime/collector.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "runtime/memory.h"

int gc_markbit = 1;
gc_object gc_queued_list{gc_object::Sentinel{}};
gc_object gc_unmarked_list{gc_object::Sentinel{}};
gc_object gc_marked_list{gc_object::Sentinel{}};
gc_object gc_free_list{gc_object::Sentinel{}};
gc_object* gc_cache[8];
int gc_alloced_bytes;
int gc_max_alloced_bytes;
int gc_alloced_objs;
int gc_marked_bytes;
int gc_marked_objs;
int gc_free_bytes;
bool gc_force_sweep;

namespace {

// Allocations whose objects are not constructed yet. New-expressions nest
// only through constructor arguments, so the newest allocation is always the
// next one constructed.
struct PendingObject {
  gc_object* storage;
  int size;
};
const int kMaxPending = 64;
PendingObject gc_pending[kMaxPending];
int gc_pending_count;

void gc_clear_list(gc_object& list) {
  list.next = list.prev = &list;
}

void gc_unlink(gc_object* p) {
  p->next->prev = p->prev;
  p->prev->next = p->next;
}

void gc_append(gc_object* p, gc_object& list) {
  p->prev = list.prev;
  p->next = &list;
  list.prev->next = p;
  list.prev = p;
}

// Moves every object of `from` to the tail of `to`, leaving `from` empty.
void gc_splice(gc_object& from, gc_object& to) {
  if (gc_list_empty(from)) return;
  from.next->prev = to.prev;
  to.prev->next = from.next;
  from.prev->next = &to;
  to.prev = from.prev;
  gc_clear_list(from);
}

bool gc_white(const gc_object* p) { return (p->flags & 3) == gc_markbit; }

// Turns a white object reached (grey or black) and takes it off its list.
void gc_reach(gc_object* p) {
  p->flags ^= 1;
  gc_unlink(p);
}

void gc_blacken(gc_object* p) {
  gc_append(p, gc_marked_list);
  gc_marked_bytes += p->gc_size();
  gc_marked_objs += 1;
  p->mark();
}

void gc_sweep() {
  if (gc_alloced_bytes != gc_marked_bytes) {
    gc_splice(gc_unmarked_list, gc_free_list);
    gc_free_bytes += gc_alloced_bytes - gc_marked_bytes;
  }
  gc_splice(gc_marked_list, gc_unmarked_list);
  gc_alloced_bytes = gc_marked_bytes;
  gc_marked_bytes = 0;
  gc_marked_objs = 0;
  gc_markbit ^= 1;
  gc_mark();
  if (gc_force_sweep) {
    gc_flush_free(gc_free_bytes);
    gc_force_sweep = false;
  }
}

}  // namespace

gc_object::gc_object() {
  if (gc_pending_count && gc_pending[gc_pending_count - 1].storage == this) {
    flags = gc_pending[--gc_pending_count].size | gc_markbit;
    gc_append(this, gc_unmarked_list);
  } else {
    next = prev = nullptr;
    flags = gc_permanent_colour;
  }
}

void gc_init1() {
  gc_clear_list(gc_queued_list);
  gc_clear_list(gc_unmarked_list);
  gc_clear_list(gc_marked_list);
  gc_clear_list(gc_free_list);
}

void gc_init2() { gc_mark(); }

void gc_flush_free(int size) {
  int target = gc_free_bytes - size;
  if (target < 0) target = 0;
  while (gc_free_bytes > target) {
    gc_object* p = gc_free_list.next;
    if (p == &gc_free_list) {
      printf("ERROR:p=%p gc_free_bytes=%i\n", static_cast<void*>(p), gc_free_bytes);
      fflush(stdout);
      gc_free_bytes = 0;
      break;
    }
    gc_unlink(p);
    delete p;
  }
}

void* gc_object_alloc(int size) {
  size = (size + 7) & ~7;
  gc_flush_free(size);
  gc_object* p;
  if (size < 64 && gc_cache[size >> 3]) {
    p = gc_cache[size >> 3];
    gc_cache[size >> 3] = p->next;
  } else {
    p = static_cast<gc_object*>(vx_malloc(size));
  }
  if (gc_pending_count == kMaxPending) {
    fputs("Quibbo Runtime Error : Collector: too many objects under construction\n", stdout);
    exit(-1);
  }
  gc_pending[gc_pending_count++] = {p, size};
  gc_alloced_bytes += size;
  if (gc_alloced_bytes > gc_max_alloced_bytes) gc_max_alloced_bytes = gc_alloced_bytes;
  gc_alloced_objs += 1;
  return p;
}

void gc_object_free(gc_object* p) {
  int size = p->gc_size();
  gc_free_bytes -= size;
  if (size <= 56) {
    p->next = gc_cache[size >> 3];
    gc_cache[size >> 3] = p;
  } else {
    free(p);
  }
}

void gc_mark_q(gc_object* p) {
  if (p && gc_white(p)) {
    gc_reach(p);
    gc_append(p, gc_queued_list);
  }
}

void gc_mark_now(gc_object* p) {
  if (p && gc_white(p)) {
    gc_reach(p);
    gc_blacken(p);
  }
}

gc_object* gc_find_object(const void* p) {
  for (gc_object* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list, &gc_free_list}) {
    for (gc_object* q = list->next; q != list; q = q->next) {
      if (q == p) return q;
    }
  }
  return nullptr;
}

void gc_collect() {
  static int last_alloced;
  int allocated = gc_alloced_bytes - last_alloced;
  bool full = gc_force_sweep || allocated > gc_full_threshold;
  int budget_end = gc_marked_objs + gc_mark_budget;
  while (!gc_list_empty(gc_queued_list) && (full || gc_marked_objs < budget_end)) {
    gc_object* p = gc_queued_list.next;
    gc_unlink(p);
    gc_blacken(p);
  }
  if (!gc_list_empty(gc_queued_list)) return;
  if (!full && allocated <= gc_sweep_threshold) return;
  gc_sweep();
  last_alloced = gc_alloced_bytes;
}
