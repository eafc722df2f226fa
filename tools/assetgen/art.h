// Shared drawing helpers of the asset generator: sheets of frames drawn in
// base units at any pixel scale, colours, fonts, and a fixed random source.
#pragma once
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Rgb {
  double r, g, b;
};

Rgb hex(uint32_t rgb);
Rgb mix(Rgb a, Rgb b, double t);
Rgb lighten(Rgb c, double t);  // towards white
Rgb darken(Rgb c, double t);   // towards black
void setRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// Fills the current path with the pattern, which is used up; keepPath leaves
// the path for a stroke that follows.
void fillWith(cairo_t* cr, cairo_pattern_t* pattern, bool keepPath = false);
// Strokes the current path in one colour.
void strokeWith(cairo_t* cr, double width, Rgb c, double alpha = 1.0);

// Deterministic generator, so every build draws the same speckles.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 0x9e3779b9u) {}
  uint32_t next();
  double unit();                       // [0, 1)
  double range(double lo, double hi);  // [lo, hi)
 private:
  uint32_t state_;
};

// The fonts of the game's lettering, always from the same files so the
// output never depends on what else is installed.
enum class Font { Sans, SansBold, Mono, MonoBold, Serif, SerifBold };
bool loadFonts();
void useFont(cairo_t* cr, Font font, double size, bool hinted = false);
// Path of a text whose ink box is centred on (cx, cy); returns the ink width.
double centredTextPath(cairo_t* cr, const std::string& text, double cx, double cy);
double textWidth(cairo_t* cr, const std::string& text);

// Path helpers in the current user space.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void starPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner,
              double rotation = -M_PI / 2);
void polygonPath(cairo_t* cr, double cx, double cy, int sides, double radius,
                 double rotation = -M_PI / 2);

// Soft shadow of the current path: a few widening translucent strokes.
void softShadow(cairo_t* cr, double dx, double dy, double alpha, double spread);

// A sheet of equally sized frames, laid out in rows as wide as the file.
struct Sheet {
  std::string name;  // base name, e.g. "common/icons"
  int frameW, frameH, frames, columns;
  std::function<void(cairo_t*, int frame)> draw;  // draws one frame in base units
};

// Draws every frame of the sheet at the given scale into the surface it
// returns; each frame is clipped to its own cell.
cairo_surface_t* render(const Sheet& sheet, int scale);
bool writePng(cairo_surface_t* surface, const std::string& path);

}  // namespace art
