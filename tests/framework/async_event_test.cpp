#include <gtest/gtest.h>

#include <string>

#include "framework/async_event.h"
#include "tests/framework/framework_test_support.h"

namespace {

std::string served;

// A source that notes its turn and may leave the stack or pump again.
class Source : public Object, public c_IAsyncEventSource {
 public:
  explicit Source(char n) : name(n) {}
  char name;
  bool leaves = false;
  bool pumpsAgain = false;

  int p_ServiceEvents() override {
    served += name;
    if (pumpsAgain) vx_asyncevent_UpdateAsyncEvents();
    if (leaves) Remove(this);
    return 0;
  }

  static void Remove(c_IAsyncEventSource* source) {
    c_Stack* stack = vx_asyncevent__sources;
    int at = 0;
    while (stack->m_data[at] != source) ++at;
    for (int i = at; i + 1 < stack->m_length; ++i) stack->m_data[i] = stack->m_data[i + 1];
    stack->m_length -= 1;
    vx_asyncevent__current = nullptr;
  }
};

class AsyncEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    StartFramework(&host);
    served.clear();
  }

  void Register(std::initializer_list<Source*> sources) {
    Array<c_IAsyncEventSource*> list(static_cast<int>(sources.size()));
    int i = 0;
    for (Source* s : sources) list[i++] = s;
    gc_assign(vx_asyncevent__sources, (new c_Stack())->m_new2(list));
  }

  JoystickHost host;
};

TEST_F(AsyncEvents, AnEmptyStackServesNothing) {
  EXPECT_EQ(vx_asyncevent__sources->p_Length(), 0);
  EXPECT_EQ(vx_asyncevent_UpdateAsyncEvents(), 0);
  EXPECT_EQ(vx_asyncevent__current, nullptr);
}

TEST_F(AsyncEvents, EverySourceOnceInOrderEvenWhenOneLeaves) {
  Source* a = new Source('a');
  Source* b = new Source('b');
  Source* c = new Source('c');
  b->leaves = true;
  Register({a, b, c});
  vx_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(served, "abc");
  EXPECT_EQ(vx_asyncevent__current, nullptr);
  EXPECT_EQ(vx_asyncevent__sources->p_Length(), 2);
  vx_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(served, "abcac");
}

TEST_F(AsyncEvents, APumpFromInsideAPumpDoesNothing) {
  Source* a = new Source('a');
  a->pumpsAgain = true;
  Register({a, new Source('b')});
  vx_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(served, "ab");
}

TEST_F(AsyncEvents, TheStackKeepsACopyOfItsArray) {
  Array<c_IAsyncEventSource*> list(1);
  Source* a = new Source('a');
  list[0] = a;
  c_Stack* stack = (new c_Stack())->m_new2(list);
  list[0] = nullptr;
  EXPECT_EQ(stack->p_Length(), 1);
  EXPECT_EQ(stack->p_Get(0), a);
}

}  // namespace
