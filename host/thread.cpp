// Threads on POSIX threads: one at a time per object, joined before reuse.
#include "host/thread.h"

VxThread::~VxThread() {
  if (m_running != 0) pthread_join(m_thread, nullptr);
}

void* VxThread::Entry(void* self) {
  VxThread* thread = static_cast<VxThread*>(self);
  thread->Run__UNSAFE__();
  thread->m_running = 2;
  return nullptr;
}

void VxThread::Start() {
  if (m_running == 1) return;
  if (m_running == 2) pthread_join(m_thread, nullptr);
  m_running = 1;
  if (pthread_create(&m_thread, nullptr, Entry, this) != 0) m_running = 0;
}

bool VxThread::IsRunning() { return m_running == 1; }

void VxThread::Wait() {
  if (m_running == 0) return;
  pthread_join(m_thread, nullptr);
  m_running = 0;
}

void VxThread::Run__UNSAFE__() {}
