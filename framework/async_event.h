#pragma once
// Event sources served once per update, and the list that holds them.
#include "runtime/object.h"

// Something that has events to deliver on the main thread once per update.
class c_IAsyncEventSource : public gc_interface {
 public:
  virtual int p_ServiceEvents() = 0;
};

// A growable list of event sources.
class c_Stack : public Object {
 public:
  c_Stack* m_new();
  c_Stack* m_new2(Array<c_IAsyncEventSource*> data);
  virtual int p_Length();
  // No bounds test.
  virtual c_IAsyncEventSource* p_Get(int index);
  void mark() override;

  Array<c_IAsyncEventSource*> m_data;
  int m_length = 0;
};

extern c_Stack* vx_asyncevent__sources;
extern c_IAsyncEventSource* vx_asyncevent__current;

// Serves every registered source once; does nothing when already running.
int vx_asyncevent_UpdateAsyncEvents();

