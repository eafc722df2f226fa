#pragma once
#include "runtime/object.h"

// The one root of the runtime's tests: an object with two reference fields.
class TestNode : public Object {
 public:
  TestNode* left = nullptr;
  TestNode* right = nullptr;
  static int destroyed;
  ~TestNode() override { destroyed += 1; }
  void mark() override {
    gc_mark_q(left);
    gc_mark_q(right);
  }
};

extern TestNode* test_root;
extern Array<TestNode*> test_root_array;
