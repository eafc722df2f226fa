#include "art.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace art {

Rgb hex(uint32_t rgb) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb lighten(Rgb c, double t) { return mix(c, {1, 1, 1}, t); }
Rgb darken(Rgb c, double t) { return mix(c, {0, 0, 0}, t); }

void setRgb(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void fillWith(cairo_t* cr, cairo_pattern_t* pattern, bool keepPath) {
  cairo_set_source(cr, pattern);
  if (keepPath) {
    cairo_fill_preserve(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_pattern_destroy(pattern);
}

void strokeWith(cairo_t* cr, double width, Rgb c, double alpha) {
  cairo_set_line_width(cr, width);
  setRgb(cr, c, alpha);
  cairo_stroke(cr);
}

uint32_t Random::next() {
  // xorshift32; never zero because the seed mix keeps it odd-ish and non-zero.
  if (state_ == 0) state_ = 0x6d2b79f5u;
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Random::unit() { return (next() >> 8) * (1.0 / 16777216.0); }
double Random::range(double lo, double hi) { return lo + (hi - lo) * unit(); }

namespace {

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
};
constexpr int kFontCount = sizeof kFontFiles / sizeof kFontFiles[0];

FT_Library g_library = nullptr;
cairo_font_face_t* g_faces[kFontCount] = {};

}  // namespace

bool loadFonts() {
  if (FT_Init_FreeType(&g_library) != 0) {
    std::fprintf(stderr, "assetgen: FreeType did not start\n");
    return false;
  }
  for (int i = 0; i < kFontCount; ++i) {
    FT_Face face = nullptr;
    if (FT_New_Face(g_library, kFontFiles[i], 0, &face) != 0) {
      std::fprintf(stderr, "assetgen: cannot open font %s (package fonts-dejavu-core)\n", kFontFiles[i]);
      return false;
    }
    // The faces live as long as the process; cairo keeps its own reference.
    g_faces[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
  }
  return true;
}

void useFont(cairo_t* cr, Font font, double size, bool hinted) {
  cairo_set_font_face(cr, g_faces[static_cast<int>(font)]);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  // Unhinted outlines keep the same shapes at every scale; small text keeps
  // its stems on pixel rows instead.
  cairo_font_options_set_hint_style(options, hinted ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double textWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.width;
}

double centredTextPath(cairo_t* cr, const std::string& text, double cx, double cy) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, cx - e.x_bearing - e.width / 2, cy - e.y_bearing - e.height / 2);
  cairo_text_path(cr, text.c_str());
  return e.width;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = rotation + i * M_PI / points;
    double r = (i % 2 == 0) ? outer : inner;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

void polygonPath(cairo_t* cr, double cx, double cy, int sides, double radius, double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < sides; ++i) {
    double a = rotation + i * 2 * M_PI / sides;
    cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
  }
  cairo_close_path(cr);
}

void softShadow(cairo_t* cr, double dx, double dy, double alpha, double spread) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_translate(cr, dx, dy);
  cairo_append_path(cr, path);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const int steps = 4;
  for (int i = steps; i >= 1; --i) {
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
    cairo_set_line_width(cr, spread * 2.0 * i / steps);
    cairo_stroke_preserve(cr);
  }
  cairo_set_source_rgba(cr, 0, 0, 0, alpha * 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
}

cairo_surface_t* render(const Sheet& sheet, int scale) {
  int rows = (sheet.frames + sheet.columns - 1) / sheet.columns;
  int width = sheet.columns * sheet.frameW * scale;
  int height = rows * sheet.frameH * scale;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < sheet.frames; ++i) {
    cairo_save(cr);
    cairo_translate(cr, (i % sheet.columns) * sheet.frameW * scale, (i / sheet.columns) * sheet.frameH * scale);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, sheet.frameW, sheet.frameH);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    sheet.draw(cr, i);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

bool writePng(cairo_surface_t* surface, const std::string& path) {
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace art
