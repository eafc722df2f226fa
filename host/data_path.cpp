// Asset names made into data paths.
#include "host/data_path.h"

String vx_data_FixDataPath(String path) {
  // A scheme: the first "/" follows the first ":" directly.
  int colon = path.Find(String(":"));
  if (colon != -1 && path.Find(String("/")) == colon + 1) return path;
  if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
  return String("quibbo://data/") + path;
}
