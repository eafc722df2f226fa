#pragma once
// Asset names made into data paths.
#include "runtime/string.h"

// Plain asset names become "quibbo://data/" names; names that already carry
// a scheme, or start with "./" or "/", are kept.
String vx_data_FixDataPath(String path);
