#pragma once
// Logout, shutdown and a closed terminal ask the game to end with SIGTERM or
// SIGHUP; the main loop turns that into a close request.

// Catches SIGTERM and SIGHUP (a SIGHUP ignored from the start, as under
// nohup, stays ignored).
void vx_CatchEndSignals();

// True once for each request to end that arrived since the last call.
bool vx_TakeEndSignal();
