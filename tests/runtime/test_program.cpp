#include "tests/runtime/test_program.h"

#include "runtime/startup.h"

int TestNode::destroyed;
TestNode* test_root;
Array<TestNode*> test_root_array;

void vxInit() {}
int vxMain() { return 0; }

void gc_mark() {
  gc_mark_q(test_root);
  gc_mark_q(test_root_array);
}
