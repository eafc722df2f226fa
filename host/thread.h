#pragma once
// Operating-system threads for work that touches no collected object.
#include <pthread.h>

#include <atomic>

#include "runtime/object.h"

// An operating-system thread running Run__UNSAFE__. The work there must not
// allocate collected objects or touch strings the main thread shares: the
// collector and the string counts take no locks.
class VxThread : public Object {
 public:
  ~VxThread() override;

  // Nothing while running; a finished run is joined first.
  virtual void Start();
  virtual bool IsRunning();
  // Waits for a started thread however long it takes; then idle again.
  virtual void Wait();
  virtual void Run__UNSAFE__();

  // 0 idle, 1 running, 2 finished; the thread writes 2 when its work ends.
  std::atomic<int> m_running{0};
  pthread_t m_thread{};

 private:
  static void* Entry(void* self);
};
