// Event sources served once per update, on the main thread.
#include "framework/async_event.h"

c_Stack* vx_asyncevent__sources;
c_IAsyncEventSource* vx_asyncevent__current;

c_Stack* c_Stack::m_new() { return this; }

c_Stack* c_Stack::m_new2(Array<c_IAsyncEventSource*> data) {
  Array<c_IAsyncEventSource*> copy(data.Length());
  for (int i = 0; i < data.Length(); ++i) copy[i] = data[i];
  gc_assign(m_data, copy);
  m_length = data.Length();
  return this;
}

int c_Stack::p_Length() { return m_length; }

c_IAsyncEventSource* c_Stack::p_Get(int index) { return m_data[index]; }

void c_Stack::mark() {
  Object::mark();
  gc_mark_q(m_data);
}

int vx_asyncevent_UpdateAsyncEvents() {
  if (vx_asyncevent__current || !vx_asyncevent__sources) return 0;
  int i = 0;
  while (i < vx_asyncevent__sources->p_Length()) {
    gc_assign(vx_asyncevent__current, vx_asyncevent__sources->p_Get(i));
    vx_asyncevent__current->p_ServiceEvents();
    // A source that removed itself cleared the current one: the source that
    // took its place is served next.
    if (vx_asyncevent__current) ++i;
  }
  vx_asyncevent__current = nullptr;
  return 0;
}
