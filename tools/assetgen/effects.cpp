// The held-block ring, the blast particles and the background patterns.
#include "sheets.h"

namespace art {
namespace {

void ring(cairo_t* cr) {
  const double c = 64;
  // Soft halo so the marker reads on bright and dark blocks alike.
  cairo_pattern_t* halo = cairo_pattern_create_radial(c, c, 30, c, c, 56);
  cairo_pattern_add_color_stop_rgba(halo, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(halo, 0.45, 1, 1, 1, 0.28);
  cairo_pattern_add_color_stop_rgba(halo, 1, 1, 1, 1, 0);
  cairo_arc(cr, c, c, 56, 0, 2 * M_PI);
  fillWith(cr, halo);

  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_set_line_width(cr, 6);
  cairo_arc(cr, c, c, 40, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 3.5);
  cairo_arc(cr, c, c, 40, 0, 2 * M_PI);
  cairo_stroke(cr);

  // Three sweeping arcs with arrow heads: the spin is plain to see.
  for (int i = 0; i < 3; ++i) {
    double a0 = i * 2 * M_PI / 3, a1 = a0 + 1.25;
    cairo_set_line_width(cr, 3.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_arc(cr, c + 0.6, c + 0.8, 48, a0, a1);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_arc(cr, c, c, 48, a0, a1);
    cairo_stroke(cr);
    double hx = c + 48 * std::cos(a1 + 0.12), hy = c + 48 * std::sin(a1 + 0.12);
    double tx = -std::sin(a1), ty = std::cos(a1);  // direction of travel
    double nx = std::cos(a1), ny = std::sin(a1);
    cairo_move_to(cr, hx + tx * 4, hy + ty * 4);
    cairo_line_to(cr, hx - tx * 3 + nx * 5, hy - ty * 3 + ny * 5);
    cairo_line_to(cr, hx - tx * 3 - nx * 5, hy - ty * 3 - ny * 5);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  // Inner ticks.
  for (int i = 0; i < 12; ++i) {
    double a = i * M_PI / 6;
    double r0 = i % 3 == 0 ? 30 : 33;
    cairo_move_to(cr, c + r0 * std::cos(a), c + r0 * std::sin(a));
    cairo_line_to(cr, c + 36 * std::cos(a), c + 36 * std::sin(a));
  }
  cairo_set_line_width(cr, 1.8);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
  cairo_stroke(cr);
}

const uint32_t kSparkColours[4] = {0xffffff, 0xfff2a8, 0xb8f4ff, 0xffc8e6};

void particle(cairo_t* cr, int frame) {
  const double c = 4;
  Rgb col = hex(kSparkColours[frame % 4]);
  if (frame < 4) {  // glowing sparks
    cairo_pattern_t* g = cairo_pattern_create_radial(c, c, 0, c, c, 3.3);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
    addStop(g, 0.35, col, 0.95);
    addStop(g, 1, col, 0);
    cairo_arc(cr, c, c, 3.3, 0, 2 * M_PI);
    fillWith(cr, g);
  } else if (frame < 8) {  // four-pointed twinkles
    cairo_pattern_t* g = cairo_pattern_create_radial(c, c, 0, c, c, 2.5);
    addStop(g, 0, col, 0.7);
    addStop(g, 1, col, 0);
    cairo_arc(cr, c, c, 2.5, 0, 2 * M_PI);
    fillWith(cr, g);
    starPath(cr, c, c, 4, 3.3, 0.6, frame % 2 ? M_PI / 4 : 0);
    setRgb(cr, lighten(col, 0.5));
    cairo_fill(cr);
  } else if (frame < 12) {  // glassy shards
    Random rnd(700 + frame);
    Rgb shard = hex(frame % 2 ? 0xd8ecff : 0xfff0d0);
    double pts[6];
    double turn = rnd.range(0, 2 * M_PI);
    for (int i = 0; i < 3; ++i) {
      double a = turn + i * 2 * M_PI / 3 + rnd.range(-0.5, 0.5);
      double r = rnd.range(2.1, 2.9);
      pts[2 * i] = c + r * std::cos(a);
      pts[2 * i + 1] = c + r * std::sin(a);
    }
    cairo_move_to(cr, pts[0], pts[1]);
    cairo_line_to(cr, pts[2], pts[3]);
    cairo_line_to(cr, pts[4], pts[5]);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(pts[0], pts[1], pts[4], pts[5]);
    addStop(g, 0, {1, 1, 1}, 1);
    addStop(g, 1, darken(shard, 0.15), 0.85);
    fillWith(cr, g, true);
    cairo_set_line_width(cr, 0.45);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_stroke(cr);
  } else if (frame < 14) {  // little stars
    starPath(cr, c, c, 5, 2.9, 1.25);
    setRgb(cr, frame == 12 ? hex(0xffe066) : hex(0xffffff));
    cairo_fill_preserve(cr);
    strokeWith(cr, 0.4, frame == 12 ? hex(0xc89010) : hex(0xa0b4d0), 0.8);
  } else if (frame == 14) {  // a smoke-ring puff
    cairo_arc(cr, c, c, 2.4, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_stroke(cr);
  } else {  // a diamond glint
    polygonPath(cr, c, c, 4, 3.2);
    cairo_pattern_t* g = cairo_pattern_create_linear(c - 3, c - 3, c + 3, c + 3);
    addStop(g, 0, {1, 1, 1});
    addStop(g, 1, hex(0xa8e8ff));
    fillWith(cr, g);
  }
}

// The backgrounds are drawn at three times their size behind every screen,
// turning slowly: fading them out towards the corners means no edge of the
// square ever shows.
void cornerFade(cairo_t* cr) {
  cairo_pattern_t* fade = cairo_pattern_create_radial(128, 128, 108, 128, 128, 124);
  cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
}

void grey(cairo_t* cr, double v, double a = 1) { cairo_set_source_rgba(cr, v, v, v, a); }

// Tumbling blocks: the quilt pattern of stacked cubes, in soft greys. Five
// cubes across and six rows down repeat exactly across the 256-unit square.
void tumblingBlocks(cairo_t* cr) {
  const double w = 256.0 / 5, a = 256.0 / 9;  // cube width, half-height of its outline
  grey(cr, 0.55);
  cairo_paint(cr);
  for (int j = -1; j <= 7; ++j)
    for (int i = -1; i <= 6; ++i) {
      double cx = i * w + ((j & 1) ? w / 2 : 0), cy = j * 1.5 * a;
      double L = cx - w / 2, R = cx + w / 2;
      struct Face { double p[8]; double v0, v1; };
      Face faces[3] = {
          {{cx, cy - a, R, cy - a / 2, cx, cy, L, cy - a / 2}, 0.86, 0.76},
          {{L, cy - a / 2, cx, cy, cx, cy + a, L, cy + a / 2}, 0.64, 0.57},
          {{cx, cy, R, cy - a / 2, R, cy + a / 2, cx, cy + a}, 0.47, 0.41},
      };
      for (const Face& f : faces) {
        cairo_move_to(cr, f.p[0], f.p[1]);
        for (int k = 2; k < 8; k += 2) cairo_line_to(cr, f.p[k], f.p[k + 1]);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(f.p[0], f.p[1], f.p[4], f.p[5]);
        cairo_pattern_add_color_stop_rgb(g, 0, f.v0, f.v0, f.v0);
        cairo_pattern_add_color_stop_rgb(g, 1, f.v1, f.v1, f.v1);
        fillWith(cr, g, true);
        cairo_set_line_width(cr, 1.2);
        grey(cr, 1, 0.22);
        cairo_stroke(cr);
      }
    }
}

void ripples(cairo_t* cr) {
  cairo_pattern_t* g = cairo_pattern_create_radial(128, 128, 0, 128, 128, 128);
  for (int i = 0; i <= 16; ++i) {
    double v = 0.5 + 0.3 * std::cos(i * M_PI);
    cairo_pattern_add_color_stop_rgb(g, i / 16.0, v, v, v);
  }
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
}

void sunburst(cairo_t* cr) {
  grey(cr, 0.45);
  cairo_paint(cr);
  for (int i = 0; i < 24; i += 2) {
    double a0 = i * M_PI / 12, a1 = (i + 1) * M_PI / 12;
    cairo_move_to(cr, 128, 128);
    cairo_arc(cr, 128, 128, 190, a0, a1);
    cairo_close_path(cr);
  }
  cairo_pattern_t* g = cairo_pattern_create_radial(128, 128, 0, 128, 128, 180);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.95, 0.95);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.65, 0.65, 0.65);
  fillWith(cr, g);
}

void bubbles(cairo_t* cr) {
  grey(cr, 0.4);
  cairo_paint(cr);
  Random rnd(31);
  for (int i = 0; i < 60; ++i) {
    double x = rnd.range(0, 256), y = rnd.range(0, 256), r = rnd.range(6, 26);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.8, 0.85, 0.85, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.85, 0.85, 0.85, 0);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    fillWith(cr, g);
  }
}

}  // namespace

Sheet ringSheet() {
  return {"ring", 128, 128, 1, 1, [](cairo_t* cr, int) { ring(cr); }};
}

Sheet partsSheet() { return {"parts", 8, 8, 16, 16, particle}; }

Sheet menuSheet() {
  return {"menu", 256, 256, 4, 2, [](cairo_t* cr, int frame) {
            cairo_push_group(cr);
            switch (frame) {
              case 0: tumblingBlocks(cr); break;
              case 1: ripples(cr); break;
              case 2: sunburst(cr); break;
              default: bubbles(cr); break;
            }
            cairo_pop_group_to_source(cr);
            cornerFade(cr);
          }};
}

}  // namespace art
