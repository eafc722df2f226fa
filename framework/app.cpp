// The application base: registering the one application with the host,
// and the calls that pass the update rate, clock and saved state on to it.
#include "framework/app.h"

#include "framework/game_delegate.h"
#include "runtime/errors.h"

c_App* vx_app__app;
c_GameDelegate* vx_app__delegate;
VxGame* vx_app__game;
int vx_app__updateRate;

c_App* c_App::m_new() {
  if (vx_app__app) Error(String("App has already been created"));
  gc_assign(vx_app__app, this);
  gc_assign(vx_app__delegate, new c_GameDelegate());
  // From here on the host's main loop runs.
  vx_app__game->SetDelegate(vx_app__delegate);
  return this;
}

int c_App::p_OnCreate() { return 0; }
int c_App::p_OnSuspend() { return 0; }
int c_App::p_OnResume() { return 0; }
int c_App::p_OnUpdate() { return 0; }
int c_App::p_OnLoading() { return 0; }
int c_App::p_OnRender() { return 0; }

int vx_app_SetUpdateRate(int rate) {
  vx_app__updateRate = rate;
  vx_app__game->SetUpdateRate(rate);
  return 0;
}

int vx_app_Millisecs() { return vx_app__game->Millisecs(); }

int vx_app_SaveState(String state) { return vx_app__game->SaveState(state); }

String vx_app_LoadState() { return vx_app__game->LoadState(); }
