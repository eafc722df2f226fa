#pragma once
// The application base the game derives from, and the framework's calls
// into the host.
#include "host/game.h"
#include "runtime/object.h"

class c_GameDelegate;

// The application: the game derives from it and overrides the hooks the
// delegate calls. The base hooks do nothing.
class c_App : public Object {
 public:
  // Registers the one application and attaches the framework to the host.
  c_App* m_new();

  virtual int p_OnCreate();
  virtual int p_OnSuspend();
  virtual int p_OnResume();
  virtual int p_OnUpdate();
  virtual int p_OnLoading();
  virtual int p_OnRender();
};

extern c_App* vx_app__app;
extern c_GameDelegate* vx_app__delegate;
extern VxGame* vx_app__game;
extern int vx_app__updateRate;

// Updates per second; 0 makes updates follow the renders.
int vx_app_SetUpdateRate(int rate);
// Milliseconds since the host started.
int vx_app_Millisecs();
// The application's saved state, written and read whole: 0 when saved,
// -1 when the file cannot be created, -2 on a short write.
int vx_app_SaveState(String state);
String vx_app_LoadState();
