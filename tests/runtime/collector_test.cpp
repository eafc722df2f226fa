#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/collector.h"
#include "tests/runtime/test_program.h"

namespace {

class Collector : public ::testing::Test {
 protected:
  void SetUp() override {
    // What earlier tests of this process left is destroyed first, so every
    // test starts from an empty heap whether or not it runs alone.
    test_root = nullptr;
    test_root_array = Array<TestNode*>();
    for (int i = 0; i < 3; ++i) FullCollection();
    TestNode::destroyed = 0;
    gc_init1();
    gc_assign(test_root, new TestNode());
    gc_init2();
  }

  static int ListLength(const gc_object& list) {
    int n = 0;
    for (gc_object* p = list.next; p != &list; p = p->next) ++n;
    return n;
  }

  static bool OnList(const gc_object& list, const gc_object* object) {
    for (gc_object* p = list.next; p != &list; p = p->next) {
      if (p == object) return true;
    }
    return false;
  }

  // Steps until the queue is empty (no sweep unless enough was allocated).
  static void FinishMarking() {
    while (!gc_list_empty(gc_queued_list)) gc_collect();
  }

  static void FullCollection() {
    gc_force_sweep = true;
    gc_collect();
  }

  // Allocates (and drops) more than the incremental sweep threshold.
  static void AllocateGarbage(int bytes) { Array<int> garbage(bytes / 4); }
};

TEST_F(Collector, EmptyArraysArePermanentAndNeverMove) {
  Array<int> empty(0);
  Array<String> defaulted;
  EXPECT_EQ(empty.rep, &Array<int>::nullRep);
  EXPECT_EQ(defaulted.rep, &Array<String>::nullRep);
  EXPECT_EQ(empty.Length(), 0);
  EXPECT_EQ(empty.rep->flags & 3, gc_permanent_colour);

  gc_mark_q(empty);
  gc_mark_now(empty.rep);
  EXPECT_EQ(ListLength(gc_queued_list), 1);  // just the root
  FullCollection();
  FullCollection();
  EXPECT_EQ(Array<int>(0).rep, &Array<int>::nullRep);
  EXPECT_EQ(empty.rep->flags & 3, gc_permanent_colour);
  EXPECT_EQ(Array<int>::nullRep.next, nullptr);
}

TEST_F(Collector, BarrierStoreIntoMarkedObjectSurvivesTheSweep) {
  FinishMarking();
  ASSERT_TRUE(OnList(gc_marked_list, test_root));  // black, its fields already visited

  TestNode* late = new TestNode();
  gc_assign(test_root->left, late);
  EXPECT_TRUE(OnList(gc_queued_list, late));

  FullCollection();
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 0);
  EXPECT_TRUE(OnList(gc_unmarked_list, late) || OnList(gc_queued_list, late) ||
              OnList(gc_marked_list, late));
}

TEST_F(Collector, StoreWithoutTheBarrierIsLost) {
  // The reason every store goes through gc_assign: a plain store into an
  // object that is already black is never seen by this cycle.
  FinishMarking();
  test_root->left = new TestNode();
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 1);
  test_root->left = nullptr;
}

TEST_F(Collector, UnreachableObjectsAreFreedAtTheSweepAndDestroyedLazily) {
  new TestNode();  // unreachable from the start
  FinishMarking();
  AllocateGarbage(gc_sweep_threshold + 1024);
  gc_collect();  // sweeps: more than 4 MiB since the last sweep

  EXPECT_GT(gc_free_bytes, gc_sweep_threshold);
  EXPECT_EQ(ListLength(gc_free_list), 2);
  EXPECT_EQ(TestNode::destroyed, 0);

  // Each allocation destroys at least its own size of garbage, oldest first.
  new TestNode();
  EXPECT_EQ(TestNode::destroyed, 1);
  EXPECT_EQ(ListLength(gc_free_list), 1);
  Array<int> big(gc_sweep_threshold / 4);
  EXPECT_EQ(gc_free_bytes, 0);
  EXPECT_TRUE(gc_list_empty(gc_free_list));
}

TEST_F(Collector, ObjectDroppedAfterItWasMarkedSurvivesUntilTheNextCycle) {
  TestNode* child = new TestNode();
  gc_assign(test_root->left, child);
  FinishMarking();
  test_root->left = nullptr;  // dropped after being marked
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 0);
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 1);
}

TEST_F(Collector, ForcedSweepDestroysGarbageAtOnce) {
  for (int i = 0; i < 10; ++i) new TestNode();
  gc_force_sweep = true;
  gc_collect();
  EXPECT_EQ(TestNode::destroyed, 10);
  EXPECT_EQ(gc_free_bytes, 0);
  EXPECT_FALSE(gc_force_sweep);
  EXPECT_FALSE(gc_list_empty(gc_queued_list));  // the roots, queued for the next cycle
}

TEST_F(Collector, NoSweepBelowFourMegabytes) {
  new TestNode();
  AllocateGarbage(gc_sweep_threshold - 4096);
  int markbit = gc_markbit;
  for (int i = 0; i < 10; ++i) gc_collect();
  EXPECT_EQ(gc_markbit, markbit);
  EXPECT_TRUE(gc_list_empty(gc_queued_list));
  EXPECT_TRUE(OnList(gc_marked_list, test_root));  // marked state kept
  EXPECT_EQ(gc_free_bytes, 0);

  AllocateGarbage(8192);
  gc_collect();
  EXPECT_NE(gc_markbit, markbit);
  EXPECT_GT(gc_free_bytes, 0);
}

TEST_F(Collector, IncrementalStepsMarkAtMostTheBudget) {
  gc_assign(test_root_array, Array<TestNode*>(1));
  TestNode* chain = nullptr;
  for (int i = 0; i < 6000; ++i) {
    TestNode* node = new TestNode();
    gc_assign(node->left, chain);
    chain = node;
  }
  gc_assign(test_root->left, chain);
  gc_collect();
  EXPECT_EQ(gc_marked_objs, gc_mark_budget);
  gc_collect();
  EXPECT_EQ(gc_marked_objs, 2 * gc_mark_budget);
  gc_collect();
  EXPECT_EQ(gc_marked_objs, 6002);  // root, root array and 6000 nodes: done
  EXPECT_TRUE(gc_list_empty(gc_queued_list));
}

TEST_F(Collector, PastSixtyFourMegabytesAStepIsFull) {
  TestNode* chain = nullptr;
  for (int i = 0; i < 6000; ++i) {
    TestNode* node = new TestNode();
    gc_assign(node->left, chain);
    chain = node;
  }
  gc_assign(test_root->left, chain);
  AllocateGarbage(gc_full_threshold + 1024);
  int markbit = gc_markbit;
  gc_collect();
  EXPECT_NE(gc_markbit, markbit);  // marked everything and swept in one step
  EXPECT_EQ(TestNode::destroyed, 0);
  EXPECT_GT(gc_free_bytes, gc_full_threshold);
}

TEST_F(Collector, ArrayElementsAreMarkedWithTheArray) {
  Array<TestNode*> nodes(3);
  for (int i = 0; i < 3; ++i) gc_assign(nodes[i], new TestNode());
  gc_assign(test_root_array, nodes);
  new TestNode();  // garbage
  FullCollection();
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 1);
}

TEST_F(Collector, SmallBlocksAreReusedThroughTheCache) {
  TestNode* node = new TestNode();
  ASSERT_LE(node->gc_size(), 56);
  FullCollection();
  EXPECT_EQ(TestNode::destroyed, 1);
  EXPECT_EQ(gc_cache[node->gc_size() / 8], node);
  TestNode* again = new TestNode();
  EXPECT_EQ(again, node);
}

TEST_F(Collector, AllocationSizesAreMultiplesOfEightAndCounted) {
  int before = gc_alloced_bytes;
  int objects = gc_alloced_objs;
  Array<bool> flags(512);
  EXPECT_EQ(flags.rep->gc_size() % 8, 0);
  EXPECT_GE(flags.rep->gc_size(), 512);
  EXPECT_EQ(gc_alloced_bytes - before, flags.rep->gc_size());
  EXPECT_EQ(gc_alloced_objs, objects + 1);
  EXPECT_GE(gc_max_alloced_bytes, gc_alloced_bytes);
  for (int i = 0; i < 512; ++i) EXPECT_FALSE(flags[i]);
}

TEST_F(Collector, ArraysOfStringsReleaseTheirStrings) {
  String text = String("shared") + String(" text");
  {
    Array<String> strings(4);
    for (int i = 0; i < 4; ++i) strings[i] = text;
    EXPECT_EQ(text.GetRep()->refCount, 5);
  }
  FullCollection();
  EXPECT_EQ(text.GetRep()->refCount, 1);
}

TEST_F(Collector, AccountingMismatchIsReportedAndRecovered) {
  gc_free_bytes = 64;  // bytes the free list does not hold
  testing::internal::CaptureStdout();
  new TestNode();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("ERROR:p="), std::string::npos);
  EXPECT_NE(out.find(" gc_free_bytes=64\n"), std::string::npos);
  EXPECT_EQ(gc_free_bytes, 0);
}

TEST(ObjectIdentity, EqualsIsIdentityAndCompareOrders) {
  gc_init1();
  TestNode* a = new TestNode();
  TestNode* b = new TestNode();
  EXPECT_TRUE(a->Equals(a));
  EXPECT_FALSE(a->Equals(b));
  EXPECT_EQ(a->Compare(a), 0);
  EXPECT_EQ(a->Compare(b), -b->Compare(a));
  EXPECT_NE(a->Compare(b), 0);
  EXPECT_TRUE(a->debug() == String("+Object\n"));
}

}  // namespace
