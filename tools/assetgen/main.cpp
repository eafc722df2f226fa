// Draws every image of the game into the data folder given on the command
// line: each image afresh at 1x, 2x and 4x ("", "-hd", "-hd2"), plus the
// default font strip and the window icon. Given an icon theme folder as
// well, it also draws the application icon there at the desktop's sizes.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sheets.h"

namespace {

bool makeDirs(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (mkdir(part.c_str(), 0755) != 0) {
        struct stat st;
        if (stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
      }
    }
  }
  return true;
}

bool emit(const art::Sheet& sheet, int scale, const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && !makeDirs(path.substr(0, slash))) {
    std::fprintf(stderr, "assetgen: cannot create the folder of %s\n", path.c_str());
    return false;
  }
  cairo_surface_t* surface = art::render(sheet, scale);
  bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && art::writePng(surface, path);
  cairo_surface_destroy(surface);
  if (!ok) std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: assetgen DATA_FOLDER [ICON_THEME_FOLDER]\n");
    return 2;
  }
  std::string out = argv[1];
  if (!art::loadFonts()) return 1;

  const std::vector<art::Sheet> sheets = {
      art::bricksSheet(),  art::ringSheet(),       art::partsSheet(),    art::menuSheet(),
      art::logoSheet(),    art::buttonsSheet(),    art::iconsSheet(),    art::studioLogoSheet(),
      art::testcardSheet(), art::dpadSheet(),      art::icadeSheet(),    art::badgesSheet(),
      art::quillsetSheet(),
  };
  static const struct { int scale; const char* suffix; } kLevels[] = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};
  for (const art::Sheet& sheet : sheets)
    for (const auto& level : kLevels)
      if (!emit(sheet, level.scale, out + "/" + sheet.name + level.suffix + ".png")) return 1;
  // The default font comes in one size only.
  if (!emit(art::oxleFontSheet(), 1, out + "/oxle_font.png")) return 1;

  const art::Sheet icon = art::appIconSheet();
  if (!emit(icon, 64 / icon.frameW, out + "/appicon.png")) return 1;
  if (argc == 3) {
    for (int size : {48, 64, 128, 256}) {
      std::string folder = std::string(argv[2]) + "/" + std::to_string(size) + "x" + std::to_string(size);
      if (!emit(icon, size / icon.frameW, folder + "/apps/tumblast.png")) return 1;
    }
  }
  return 0;
}
