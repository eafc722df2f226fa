#include "game/globals.h"

int vx_TumblastEndless_HasMusic;
int vx_TumblastEndless_DebugMode;
float vx_TumblastEndless_rawscrw;
float vx_TumblastEndless_rawscrh;
float vx_TumblastEndless_jscrw;
float vx_TumblastEndless_jscrh;
int vx_TumblastEndless_iCadeControls;
Array<String> vx_TumblastEndless_CreditText;
int vx_TumblastEndless_OnScreenControls;
int vx_TumblastEndless_AccelerometerControls;
