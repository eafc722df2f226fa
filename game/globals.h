#pragma once
#include "runtime/array.h"
#include "runtime/string.h"

// The game's behaviour switches and design sizes, set once at start.
extern int vx_TumblastEndless_HasMusic;
extern int vx_TumblastEndless_DebugMode;
extern float vx_TumblastEndless_rawscrw;
extern float vx_TumblastEndless_rawscrh;
extern float vx_TumblastEndless_jscrw;
extern float vx_TumblastEndless_jscrh;
extern int vx_TumblastEndless_iCadeControls;
extern Array<String> vx_TumblastEndless_CreditText;
extern int vx_TumblastEndless_OnScreenControls;
extern int vx_TumblastEndless_AccelerometerControls;
