// The block sheet: coloured blocks, the bomb, wall stones, and the held and
// dissolving versions. Each block has a 48-unit front face at the lower left
// of its 64-unit frame and a 16-unit top and right side at the upper right,
// so blocks drawn column by column, bottom row first, stack into 3-D bricks.
#include "sheets.h"

namespace art {
namespace {

enum class Look { Normal, Held, Dissolving };

// Front face, top side and right side of a block in frame units.
constexpr double F0 = 0, F1 = 48, FT = 16, D = 16;

void facePath(cairo_t* cr, double inset = 0) {
  cairo_rectangle(cr, F0 + inset, FT + inset, F1 - 2 * inset, F1 - 2 * inset);
}

void topPath(cairo_t* cr) {
  cairo_move_to(cr, 0, FT);
  cairo_line_to(cr, D, 0);
  cairo_line_to(cr, F1 + D, 0);
  cairo_line_to(cr, F1, FT);
  cairo_close_path(cr);
}

void rightPath(cairo_t* cr) {
  cairo_move_to(cr, F1, FT);
  cairo_line_to(cr, F1 + D, 0);
  cairo_line_to(cr, F1 + D, F1);
  cairo_line_to(cr, F1, FT + F1);
  cairo_close_path(cr);
}

void silhouettePath(cairo_t* cr) {
  cairo_move_to(cr, 0, FT);
  cairo_line_to(cr, D, 0);
  cairo_line_to(cr, F1 + D, 0);
  cairo_line_to(cr, F1 + D, F1);
  cairo_line_to(cr, F1, FT + F1);
  cairo_line_to(cr, 0, FT + F1);
  cairo_close_path(cr);
}

// The colour of each block type 1..9.
const uint32_t kBlockColours[9] = {
    0xe8383d,  // red
    0xf68a1e,  // orange
    0xf7d230,  // yellow
    0x46c24a,  // green
    0x2ec8d8,  // cyan
    0x3567e0,  // blue
    0x9a4ad8,  // purple
    0xc9d0da,  // silver-white
    0xf6b8d8,  // light rose
};

// One emblem per colour, so colours can be told apart by shape as well.
void emblemPath(cairo_t* cr, int type, double cx, double cy, double r) {
  switch (type) {
    case 0: cairo_new_sub_path(cr); cairo_arc(cr, cx, cy, r * 0.82, 0, 2 * M_PI); break;
    case 1: polygonPath(cr, cx, cy, 4, r, -M_PI / 2); break;
    case 2: starPath(cr, cx, cy, 5, r * 1.05, r * 0.45); break;
    case 3: polygonPath(cr, cx, cy + r * 0.18, 3, r * 1.05); break;
    case 4: polygonPath(cr, cx, cy, 6, r * 0.9, 0); break;
    case 5: roundedRect(cr, cx - r * 0.72, cy - r * 0.72, r * 1.44, r * 1.44, r * 0.2); break;
    case 6: {  // plus
      double a = r * 0.95, b = r * 0.36;
      roundedRect(cr, cx - a, cy - b, 2 * a, 2 * b, b * 0.4);
      roundedRect(cr, cx - b, cy - a, 2 * b, 2 * a, b * 0.4);
      break;
    }
    case 7: starPath(cr, cx, cy, 4, r * 1.05, r * 0.36, -M_PI / 2); break;
    default: {  // heart
      double s = r * 0.95;
      cairo_new_sub_path(cr);
      cairo_move_to(cr, cx, cy + s * 0.9);
      cairo_curve_to(cr, cx - s * 1.3, cy + s * 0.05, cx - s * 0.8, cy - s * 1.05, cx, cy - s * 0.4);
      cairo_curve_to(cr, cx + s * 0.8, cy - s * 1.05, cx + s * 1.3, cy + s * 0.05, cx, cy + s * 0.9);
      cairo_close_path(cr);
    }
  }
}

// Top and right sides plus the outline: the part every block shares.
void drawSides(cairo_t* cr, Rgb base, double topLight, double sideDark) {
  // A solid underlay, so the seams between the faces never let light through.
  silhouettePath(cr);
  setRgb(cr, darken(base, sideDark + 0.1));
  cairo_fill(cr);
  cairo_pattern_t* top = cairo_pattern_create_linear(0, 0, 0, FT);
  addStop(top, 0, lighten(base, topLight + 0.12));
  addStop(top, 1, lighten(base, topLight));
  topPath(cr);
  fillWith(cr, top);

  cairo_pattern_t* side = cairo_pattern_create_linear(F1, 0, F1 + D, 0);
  addStop(side, 0, darken(base, sideDark));
  addStop(side, 1, darken(base, sideDark + 0.16));
  rightPath(cr);
  fillWith(cr, side);

  // Light catches the back edges of the top.
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, D + 0.8, 0.6);
  cairo_line_to(cr, F1 + D - 0.6, 0.6);
  setRgb(cr, lighten(base, 0.7), 0.7);
  cairo_stroke(cr);
}

void drawFace(cairo_t* cr, Rgb base, double lift) {
  Rgb face = lighten(base, lift);
  // Bevel: four trapezoids around an inner panel.
  const double b = 3.5;
  const double x0 = F0, y0 = FT, x1 = F0 + F1, y1 = FT + F1;
  struct Side { double pts[8]; Rgb c; };
  facePath(cr);
  setRgb(cr, face);
  cairo_fill(cr);
  Side sides[4] = {
      {{x0, y0, x1, y0, x1 - b, y0 + b, x0 + b, y0 + b}, lighten(face, 0.45)},
      {{x0, y0, x0 + b, y0 + b, x0 + b, y1 - b, x0, y1}, lighten(face, 0.25)},
      {{x1, y0, x1, y1, x1 - b, y1 - b, x1 - b, y0 + b}, darken(face, 0.22)},
      {{x0, y1, x0 + b, y1 - b, x1 - b, y1 - b, x1, y1}, darken(face, 0.35)},
  };
  for (const Side& s : sides) {
    cairo_move_to(cr, s.pts[0], s.pts[1]);
    for (int i = 2; i < 8; i += 2) cairo_line_to(cr, s.pts[i], s.pts[i + 1]);
    cairo_close_path(cr);
    setRgb(cr, s.c);
    cairo_fill(cr);
  }
  cairo_pattern_t* panel = cairo_pattern_create_linear(0, y0 + b, 0, y1 - b);
  addStop(panel, 0, lighten(face, 0.12));
  addStop(panel, 0.55, face);
  addStop(panel, 1, darken(face, 0.12));
  cairo_rectangle(cr, x0 + b, y0 + b, F1 - 2 * b, F1 - 2 * b);
  fillWith(cr, panel);
}

void drawGloss(cairo_t* cr, double strength) {
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, FT + 4, 0, FT + 26);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.55 * strength);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.04 * strength);
  roundedRect(cr, 5.5, FT + 5, F1 - 11, 19, 6);
  fillWith(cr, gloss);
  // A small sparkle in the upper-left corner of the panel.
  cairo_pattern_t* dot = cairo_pattern_create_radial(9.5, FT + 8.5, 0, 9.5, FT + 8.5, 4.5);
  cairo_pattern_add_color_stop_rgba(dot, 0, 1, 1, 1, 0.95 * strength);
  cairo_pattern_add_color_stop_rgba(dot, 1, 1, 1, 1, 0);
  cairo_arc(cr, 9.5, FT + 8.5, 4.5, 0, 2 * M_PI);
  fillWith(cr, dot);
}

void drawEmblem(cairo_t* cr, int type, Rgb base) {
  const double cx = 24, cy = 40, r = 10.5;
  // Pressed into the face: a light rim below right, a dark one above left.
  cairo_save(cr);
  cairo_translate(cr, 0.9, 1.0);
  emblemPath(cr, type, cx, cy, r);
  setRgb(cr, lighten(base, 0.55), 0.75);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, -0.7, -0.8);
  emblemPath(cr, type, cx, cy, r);
  setRgb(cr, darken(base, 0.5), 0.7);
  cairo_fill(cr);
  cairo_restore(cr);
  emblemPath(cr, type, cx, cy, r);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
  addStop(fill, 0, darken(base, 0.24));
  addStop(fill, 1, lighten(base, 0.12));
  fillWith(cr, fill);
}

void outline(cairo_t* cr, Rgb base, double alpha = 0.85) {
  silhouettePath(cr);
  cairo_move_to(cr, 0, FT);
  cairo_line_to(cr, F1, FT);
  cairo_line_to(cr, F1 + D, 0);
  cairo_move_to(cr, F1, FT);
  cairo_line_to(cr, F1, FT + F1);
  strokeWith(cr, 1.3, darken(base, 0.68), alpha);
}

void drawBomb(cairo_t* cr, Look look) {
  Rgb steel = hex(0x4a5160);
  if (look == Look::Held) steel = lighten(steel, 0.22);
  drawSides(cr, steel, 0.25, 0.35);
  drawFace(cr, steel, 0.0);
  // Rivets in the face corners.
  for (int i = 0; i < 4; ++i) {
    double x = (i % 2) ? 42.5 : 5.5, y = FT + ((i / 2) ? 42.5 : 5.5);
    cairo_pattern_t* rv = cairo_pattern_create_radial(x - 0.6, y - 0.6, 0, x, y, 1.8);
    addStop(rv, 0, hex(0xe6eaf0));
    addStop(rv, 1, hex(0x2a2f38));
    cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
    fillWith(cr, rv);
  }
  // Hazard ring behind the bomb.
  cairo_arc(cr, 24, 42, 17, 0, 2 * M_PI);
  setRgb(cr, hex(0xf2b705), 0.9);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_arc(cr, 24, 42, 17, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_set_line_width(cr, 4);
  setRgb(cr, hex(0x1b1d22), 0.85);
  for (int i = -6; i <= 6; ++i) {
    cairo_move_to(cr, 24 + i * 7 - 20, 42 + 20);
    cairo_line_to(cr, 24 + i * 7 + 20, 42 - 20);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_arc(cr, 24, 42, 17, 0, 2 * M_PI);
  strokeWith(cr, 1.2, hex(0x1b1d22));
  // The bomb.
  cairo_pattern_t* ball = cairo_pattern_create_radial(19.5, 37, 1, 24, 43, 13);
  addStop(ball, 0, hex(0x8a94a8));
  addStop(ball, 0.35, hex(0x2c313c));
  addStop(ball, 1, hex(0x08090c));
  cairo_arc(cr, 24, 43, 12.5, 0, 2 * M_PI);
  fillWith(cr, ball);
  cairo_save(cr);
  cairo_translate(cr, 31.5, 33.5);
  cairo_rotate(cr, M_PI / 4);
  roundedRect(cr, -3.5, -3, 7, 5, 1);
  setRgb(cr, hex(0x5b6270));
  cairo_fill(cr);
  cairo_restore(cr);
  // Fuse and spark.
  cairo_move_to(cr, 33, 31.5);
  cairo_curve_to(cr, 35, 27, 38, 28, 39, 24);
  strokeWith(cr, 1.6, hex(0xd9c7a0));
  cairo_pattern_t* glow = cairo_pattern_create_radial(39.5, 23.5, 0, 39.5, 23.5, 6.5);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.8, 1);
  cairo_pattern_add_color_stop_rgba(glow, 0.4, 1, 0.65, 0.1, 0.8);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.3, 0, 0);
  cairo_arc(cr, 39.5, 23.5, 6.5, 0, 2 * M_PI);
  fillWith(cr, glow);
  starPath(cr, 39.5, 23.5, 4, 4.5, 1.2, 0.3);
  cairo_set_source_rgb(cr, 1, 1, 0.9);
  cairo_fill(cr);
  drawGloss(cr, look == Look::Held ? 0.9 : 0.5);
  outline(cr, steel);
}

void drawBlock(cairo_t* cr, int type, Look look) {
  if (type == 9) {
    drawBomb(cr, look);
  } else {
    Rgb base = hex(kBlockColours[type]);
    drawSides(cr, base, 0.32, 0.28);
    drawFace(cr, base, look == Look::Held ? 0.22 : 0.0);
    drawEmblem(cr, type, look == Look::Held ? lighten(base, 0.22) : base);
    drawGloss(cr, look == Look::Held ? 1.0 : 0.75);
    outline(cr, base);
  }
  if (look == Look::Held) {
    // A bright rim and an inner glow say "this one is in your hand".
    cairo_pattern_t* glow = cairo_pattern_create_radial(24, 40, 14, 24, 40, 34);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0.4);
    facePath(cr);
    fillWith(cr, glow);
    facePath(cr, 1.6);
    cairo_set_line_width(cr, 2.4);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_stroke(cr);
    topPath(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_fill(cr);
    starPath(cr, 41, FT + 7, 4, 5.5, 1.1, 0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_fill(cr);
  }
}

void drawDissolving(cairo_t* cr, int type) {
  Rgb base = type == 9 ? hex(0xffa040) : hex(kBlockColours[type]);
  Rgb hot = lighten(base, 0.5);
  cairo_push_group(cr);
  drawSides(cr, hot, 0.35, 0.12);
  drawFace(cr, hot, 0.1);
  // Inner glow, as if the block were burning from the inside out.
  cairo_pattern_t* glow = cairo_pattern_create_radial(24, 40, 0, 24, 40, 30);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(glow, 0.45, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
  facePath(cr);
  fillWith(cr, glow);
  // The block shatters: cracks run from a point near the centre out to the
  // edges of the face, a few of them forking.
  Random rnd(900 + type);
  cairo_save(cr);
  facePath(cr, 1);
  cairo_clip(cr);
  const double ox = 22 + rnd.range(-2, 2), oy = 38 + rnd.range(-2, 2);
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3 + rnd.range(-0.35, 0.35);
    double x = ox, y = oy;
    cairo_move_to(cr, x, y);
    for (int k = 0; k < 4; ++k) {
      double aa = a + rnd.range(-0.3, 0.3), step = rnd.range(6, 10);
      x += std::cos(aa) * step;
      y += std::sin(aa) * step;
      cairo_line_to(cr, x, y);
      if (k == 1 && i % 2 == 0) {  // a fork
        double fa = aa + (rnd.unit() < 0.5 ? -0.7 : 0.7);
        cairo_line_to(cr, x + std::cos(fa) * 9, y + std::sin(fa) * 9);
        cairo_move_to(cr, x, y);
      }
    }
  }
  cairo_path_t* cracks = cairo_copy_path(cr);
  strokeWith(cr, 1.9, darken(base, 0.45), 0.7);
  cairo_append_path(cr, cracks);
  cairo_set_line_width(cr, 0.7);
  cairo_set_source_rgba(cr, 1, 1, 0.95, 1);
  cairo_stroke(cr);
  cairo_path_destroy(cracks);
  cairo_restore(cr);
  // Sparkles lifting off.
  for (int i = 0; i < 4; ++i) {
    double x = rnd.range(6, 58), y = rnd.range(4, 58);
    starPath(cr, x, y, 4, rnd.range(2.5, 4.5), 0.7, 0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
  }
  outline(cr, base, 0.5);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.82);
}

// Wall and floor stones: ten slabs of one stone, cut and weathered
// differently so long walls do not look stamped.
void drawStone(cairo_t* cr, int index) {
  static const uint32_t kStone[10] = {0x6d717b, 0x737069, 0x676d76, 0x6f7479, 0x706a66,
                                      0x6a7078, 0x75726c, 0x666a73, 0x6e6f74, 0x716d6a};
  Rgb base = hex(kStone[index]);
  Random rnd(400 + index * 17);
  drawSides(cr, base, 0.22, 0.3);

  // The face: one slab, two half-slabs, or four cobbles.
  int cut = index % 3;
  struct R { double x, y, w, h; };
  std::vector<R> pieces;
  if (cut == 0) {
    pieces.push_back({0, FT, 48, 48});
  } else if (cut == 1) {
    double split = (index % 2) ? 20 : 28;
    pieces.push_back({0, FT, 48, split});
    pieces.push_back({0, FT + split, 48, 48 - split});
  } else {
    double sx = (index % 2) ? 22 : 26;
    pieces.push_back({0, FT, sx, 24});
    pieces.push_back({sx, FT, 48 - sx, 24});
    pieces.push_back({0, FT + 24, 48 - sx, 24});
    pieces.push_back({48 - sx, FT + 24, sx, 24});
  }
  cairo_rectangle(cr, 0, FT, 48, 48);
  setRgb(cr, darken(base, 0.55));
  cairo_fill(cr);
  for (const R& p : pieces) {
    Rgb c = mix(base, hex(0x7a7d86), rnd.range(-0.3, 0.5));
    double m = 0.7;
    cairo_pattern_t* g = cairo_pattern_create_linear(p.x, p.y, p.x + p.w * 0.4, p.y + p.h);
    addStop(g, 0, lighten(c, 0.16));
    addStop(g, 1, darken(c, 0.14));
    roundedRect(cr, p.x + m, p.y + m, p.w - 2 * m, p.h - 2 * m, 2.5);
    fillWith(cr, g);
    // Soft bevel: light above left, shade below right.
    roundedRect(cr, p.x + m + 0.8, p.y + m + 0.8, p.w - 2 * m - 1.6, p.h - 2 * m - 1.6, 2);
    strokeWith(cr, 1.2, lighten(c, 0.35), 0.35);
    cairo_move_to(cr, p.x + m + 1.5, p.y + p.h - m - 0.6);
    cairo_line_to(cr, p.x + p.w - m - 0.6, p.y + p.h - m - 0.6);
    cairo_line_to(cr, p.x + p.w - m - 0.6, p.y + m + 1.5);
    setRgb(cr, darken(c, 0.4), 0.45);
    cairo_stroke(cr);
  }
  // Grain: flecks of lighter and darker mineral.
  for (int i = 0; i < 70; ++i) {
    double x = rnd.range(1.5, 46.5), y = rnd.range(FT + 1.5, 62.5);
    double r = rnd.range(0.25, 1.0);
    bool light = rnd.unit() < 0.5;
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    if (light)
      cairo_set_source_rgba(cr, 1, 1, 1, rnd.range(0.08, 0.22));
    else
      cairo_set_source_rgba(cr, 0, 0, 0, rnd.range(0.1, 0.25));
    cairo_fill(cr);
  }
  for (int i = 0; i < 12; ++i) {
    double x = rnd.range(D + 2, 62), y = rnd.range(1.5, 14.5);
    cairo_arc(cr, x - (y / FT) * 0, y, rnd.range(0.25, 0.8), 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, rnd.range(0.08, 0.2));
    cairo_fill(cr);
  }
  // A crack on some stones, a chipped corner on others.
  if (index % 4 == 1 || index == 6) {
    double x = rnd.range(8, 40), y = FT + 1;
    cairo_move_to(cr, x, y);
    while (y < FT + rnd.range(24, 46)) {
      x += rnd.range(-4, 4);
      y += rnd.range(3, 6);
      cairo_line_to(cr, x, y);
    }
    cairo_set_line_width(cr, 1.1);
    setRgb(cr, darken(base, 0.6), 0.8);
    cairo_stroke_preserve(cr);
    cairo_translate(cr, 0.7, 0.7);
    strokeWith(cr, 0.5, lighten(base, 0.4), 0.4);
    cairo_translate(cr, -0.7, -0.7);
  }
  if (index % 5 == 2) {
    cairo_move_to(cr, 48, FT + 34);
    cairo_line_to(cr, 41, FT + 48);
    cairo_line_to(cr, 48, FT + 48);
    cairo_close_path(cr);
    setRgb(cr, darken(base, 0.3));
    cairo_fill(cr);
  }
  // Lichen on a few, for colour.
  if (index == 3 || index == 8) {
    for (int i = 0; i < 9; ++i) {
      double x = rnd.range(3, 20), y = rnd.range(FT + 30, 61);
      cairo_arc(cr, x, y, rnd.range(0.8, 2.2), 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.55, 0.68, 0.35, 0.45);
      cairo_fill(cr);
    }
  }
  outline(cr, base, 0.75);
}

}  // namespace

void blockShape(cairo_t* cr, int type) { drawBlock(cr, type, Look::Normal); }

Sheet bricksSheet() {
  return {"bricks", 64, 64, 40, 10, [](cairo_t* cr, int frame) {
            if (frame < 10)
              drawBlock(cr, frame, Look::Normal);
            else if (frame < 20)
              drawStone(cr, frame - 10);
            else if (frame < 30)
              drawBlock(cr, frame - 20, Look::Held);
            else
              drawDissolving(cr, frame - 30);
          }};
}

}  // namespace art
