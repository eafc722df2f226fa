// The title lettering, the studio emblem, the test-card circle and the
// badge medals.
#include "sheets.h"

namespace art {
namespace {

const uint32_t kLetterColours[8] = {0xe8383d, 0xf68a1e, 0xf7d230, 0x46c24a,
                                    0x2ec8d8, 0x3567e0, 0x9a4ad8, 0xe8383d};

void glossyFill(cairo_t* cr, Rgb c, double top, double bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
  addStop(g, 0, lighten(c, 0.55));
  addStop(g, 0.45, lighten(c, 0.1));
  addStop(g, 0.5, c);
  addStop(g, 1, darken(c, 0.3));
  fillWith(cr, g, true);
}

void logo(cairo_t* cr) {
  const char* word = "Tumblast";
  const double size = 45;
  useFont(cr, Font::SansBold, size);
  // Lay the letters out tightly and centre the word.
  double adv[8], total = 0;
  for (int i = 0; i < 8; ++i) {
    char s[2] = {word[i], 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    adv[i] = e.x_advance - 1.5;
    total += adv[i];
  }
  double x = 128 - total / 2, baseline = 64;
  struct Letter { cairo_path_t* path; Rgb c; };
  std::vector<Letter> letters;
  for (int i = 0; i < 8; ++i) {
    char s[2] = {word[i], 0};
    cairo_save(cr);
    double bob = (i % 2 ? -2.5 : 2.0);
    cairo_translate(cr, x + adv[i] / 2, baseline - 18 + bob);
    cairo_rotate(cr, (i % 2 ? 0.07 : -0.07));
    cairo_move_to(cr, -adv[i] / 2, 18);
    cairo_text_path(cr, s);
    cairo_restore(cr);
    letters.push_back({cairo_copy_path(cr), hex(kLetterColours[i])});
    cairo_new_path(cr);
    x += adv[i];
  }
  // Shadow, then a thick dark outline under all letters, then the letters.
  for (const Letter& l : letters) {
    cairo_append_path(cr, l.path);
    cairo_save(cr);
    cairo_translate(cr, 2, 3);
    cairo_new_path(cr);
    cairo_append_path(cr, l.path);
    cairo_set_line_width(cr, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
  }
  for (const Letter& l : letters) {
    cairo_append_path(cr, l.path);
    strokeWith(cr, 6.5, hex(0x1a1640));
  }
  for (const Letter& l : letters) {
    cairo_append_path(cr, l.path);
    cairo_set_line_width(cr, 3.2);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_stroke_preserve(cr);
    glossyFill(cr, l.c, baseline - 38, baseline);
    cairo_new_path(cr);
    // A shine across the upper half of each letter.
    cairo_save(cr);
    cairo_append_path(cr, l.path);
    cairo_clip(cr);
    cairo_move_to(cr, 0, baseline - 40);
    cairo_line_to(cr, 256, baseline - 40);
    cairo_line_to(cr, 256, baseline - 24);
    cairo_curve_to(cr, 170, baseline - 20, 90, baseline - 26, 0, baseline - 20);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  for (Letter& l : letters) cairo_path_destroy(l.path);

  // The subtitle on a ribbon.
  const double ry = 92;
  auto ribbon = [&](double inset) {
    cairo_move_to(cr, 58 + inset, ry - 12 + inset);
    cairo_curve_to(cr, 100, ry - 17 + inset, 156, ry - 17 + inset, 198 - inset, ry - 12 + inset);
    cairo_line_to(cr, 198 - inset, ry + 12 - inset);
    cairo_curve_to(cr, 156, ry + 7 - inset, 100, ry + 7 - inset, 58 + inset, ry + 12 - inset);
    cairo_close_path(cr);
  };
  for (int side = 0; side < 2; ++side) {  // folded ends
    double sx = side ? 198 : 58, dir = side ? 1 : -1;
    cairo_move_to(cr, sx - dir * 4, ry - 6);
    cairo_line_to(cr, sx + dir * 22, ry - 6);
    cairo_line_to(cr, sx + dir * 15, ry + 5);
    cairo_line_to(cr, sx + dir * 22, ry + 16);
    cairo_line_to(cr, sx - dir * 4, ry + 16);
    cairo_close_path(cr);
    setRgb(cr, hex(0x5a2a8a));
    cairo_fill_preserve(cr);
    strokeWith(cr, 1.5, hex(0x1a1640));
  }
  ribbon(0);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, ry - 16, 0, ry + 12);
  addStop(band, 0, hex(0xb070f0));
  addStop(band, 1, hex(0x6a30a8));
  fillWith(cr, band, true);
  strokeWith(cr, 2, hex(0x1a1640));
  ribbon(2.5);
  strokeWith(cr, 0.9, hex(0xffd860), 0.9);
  useFont(cr, Font::SansBold, 16);
  const char* sub = "Ridazoz";
  double w = 0, gaps = 2.2;
  for (int i = 0; sub[i]; ++i) {
    char s[2] = {sub[i], 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    w += e.x_advance + (sub[i + 1] ? gaps : 0);
  }
  double sx = 128 - w / 2;
  cairo_text_extents_t ref;
  cairo_text_extents(cr, "R", &ref);
  double sb = ry - 3 - ref.y_bearing / 2 - ref.height / 2 + 2.5;
  for (int i = 0; sub[i]; ++i) {
    char s[2] = {sub[i], 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    cairo_move_to(cr, sx, sb);
    cairo_text_path(cr, s);
    sx += e.x_advance + gaps;
  }
  softShadow(cr, 0.8, 1.2, 0.5, 1.2);
  setRgb(cr, hex(0xfff4d0));
  cairo_fill(cr);

  // Sparkles.
  const double stars[4][3] = {{20, 22, 6}, {238, 18, 5}, {232, 58, 3.5}, {26, 66, 3.5}};
  for (const auto& s : stars) {
    starPath(cr, s[0], s[1], 4, s[2], s[2] * 0.25, 0);
    cairo_set_source_rgba(cr, 1, 1, 0.85, 0.95);
    cairo_fill(cr);
  }
}

void studioLogo(cairo_t* cr) {
  // The menu shows the emblem at half size 40 units above the bottom edge:
  // kept within the middle two thirds of its frame, it is never cut off.
  cairo_translate(cr, 128, 128);
  cairo_scale(cr, 0.66, 0.66);
  cairo_translate(cr, -128, -128);
  const double c = 128;
  cairo_arc(cr, c + 2, c + 4, 120, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, 8, 0, 248);
  addStop(rim, 0, hex(0xfff2b0));
  addStop(rim, 0.45, hex(0xe8b030));
  addStop(rim, 1, hex(0x8a5808));
  cairo_arc(cr, c, c, 120, 0, 2 * M_PI);
  fillWith(cr, rim);
  cairo_pattern_t* disc = cairo_pattern_create_radial(c - 30, c - 40, 10, c, c, 108);
  addStop(disc, 0, hex(0x3a4ab8));
  addStop(disc, 0.6, hex(0x1c1e6a));
  addStop(disc, 1, hex(0x0e0c38));
  cairo_arc(cr, c, c, 107, 0, 2 * M_PI);
  fillWith(cr, disc);
  cairo_arc(cr, c, c, 107, 0, 2 * M_PI);
  strokeWith(cr, 2, hex(0x5a3a04));
  // A ring of stars inside the rim.
  for (int i = 0; i < 24; ++i) {
    double a = i * M_PI / 12;
    starPath(cr, c + 97 * std::cos(a), c + 97 * std::sin(a), 5, 3.2, 1.3, a);
    setRgb(cr, hex(0xffe080), 0.8);
    cairo_fill(cr);
  }
  // The bolt mark.
  cairo_move_to(cr, c + 10, 40);
  cairo_line_to(cr, c - 22, 86);
  cairo_line_to(cr, c - 2, 86);
  cairo_line_to(cr, c - 12, 116);
  cairo_line_to(cr, c + 24, 70);
  cairo_line_to(cr, c + 4, 70);
  cairo_close_path(cr);
  softShadow(cr, 2, 3, 0.5, 3);
  cairo_pattern_t* bolt = cairo_pattern_create_linear(0, 40, 0, 116);
  addStop(bolt, 0, hex(0xfff7c0));
  addStop(bolt, 1, hex(0xf0a020));
  fillWith(cr, bolt, true);
  strokeWith(cr, 2, hex(0x7a4400));
  // The name.
  useFont(cr, Font::SansBold, 58);
  centredTextPath(cr, "ZUKO", c, 150);
  softShadow(cr, 2, 3, 0.5, 3);
  cairo_set_line_width(cr, 5);
  setRgb(cr, hex(0x0a0828));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* name = cairo_pattern_create_linear(0, 128, 0, 172);
  addStop(name, 0, hex(0xffffff));
  addStop(name, 1, hex(0xa8c8ff));
  fillWith(cr, name);
  useFont(cr, Font::SansBold, 17);
  const char* games = "G A M E S";
  centredTextPath(cr, games, c, 195);
  setRgb(cr, hex(0xffd860));
  cairo_fill(cr);
  // Gloss over the upper half of the disc.
  cairo_save(cr);
  cairo_arc(cr, c, c, 107, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 21, 0, 120);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.28);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
  cairo_save(cr);
  cairo_translate(cr, c, 60);
  cairo_scale(cr, 1.25, 0.6);
  cairo_arc(cr, 0, 0, 80, 0, 2 * M_PI);
  cairo_restore(cr);
  fillWith(cr, gloss);
  cairo_restore(cr);
}

void testcard(cairo_t* cr) {
  const double c = 128, R = 124;
  cairo_save(cr);
  cairo_arc(cr, c, c, R, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 0.42, 0.42, 0.44);
  cairo_paint(cr);
  // Grid.
  for (int i = 0; i <= 16; ++i) {
    cairo_move_to(cr, i * 16, 0);
    cairo_line_to(cr, i * 16, 256);
    cairo_move_to(cr, 0, i * 16);
    cairo_line_to(cr, 256, i * 16);
  }
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_stroke(cr);
  // Colour bars above.
  const uint32_t bars[8] = {0xf0f0f0, 0xf0e020, 0x20e0e0, 0x20d030, 0xe030e0, 0xe02020, 0x2030e0, 0x101010};
  for (int i = 0; i < 8; ++i) {
    cairo_rectangle(cr, 32 + i * 24, 20, 24, 50);
    setRgb(cr, hex(bars[i]));
    cairo_fill(cr);
  }
  // Grey steps and a frequency grating below.
  for (int i = 0; i < 8; ++i) {
    double v = i / 7.0;
    cairo_rectangle(cr, 32 + i * 24, 188, 24, 24);
    cairo_set_source_rgb(cr, v, v, v);
    cairo_fill(cr);
  }
  for (int band = 0; band < 4; ++band) {
    double w = 3.0 - band * 0.6;
    for (double x = 48 + band * 40; x < 48 + band * 40 + 38; x += 2 * w) {
      cairo_rectangle(cr, x, 214, w, 24);
    }
  }
  cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
  cairo_fill(cr);
  // The dark middle, where the credits scroll.
  roundedRect(cr, 20, 74, 216, 110, 10);
  cairo_set_source_rgba(cr, 0.03, 0.03, 0.08, 0.88);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
  cairo_stroke(cr);
  cairo_move_to(cr, c, 74);
  cairo_line_to(cr, c, 82);
  cairo_move_to(cr, c, 176);
  cairo_line_to(cr, c, 184);
  cairo_move_to(cr, 20, c);
  cairo_line_to(cr, 28, c);
  cairo_move_to(cr, 228, c);
  cairo_line_to(cr, 236, c);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Rim with ticks.
  cairo_arc(cr, c, c, R - 3.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 7);
  cairo_set_source_rgb(cr, 0.06, 0.06, 0.08);
  cairo_stroke(cr);
  for (int i = 0; i < 72; ++i) {
    double a = i * M_PI / 36, r0 = i % 6 == 0 ? R - 7 : R - 5;
    cairo_move_to(cr, c + r0 * std::cos(a), c + r0 * std::sin(a));
    cairo_line_to(cr, c + (R - 1) * std::cos(a), c + (R - 1) * std::sin(a));
  }
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_stroke(cr);
  cairo_arc(cr, c, c, R - 0.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
  cairo_stroke(cr);
}

// Badge medals: 8 colours times 8 symbols, on four medal shapes.
const uint32_t kMedal[8] = {0xd8a028, 0xb8c0cc, 0xc07838, 0x3a9ad8, 0x48b850, 0xd84848, 0x9058d0, 0x28b8b0};

void medalShape(cairo_t* cr, int shape, double cx, double cy, double r) {
  switch (shape) {
    case 0: cairo_new_sub_path(cr); cairo_arc(cr, cx, cy, r, 0, 2 * M_PI); break;
    case 1: polygonPath(cr, cx, cy, 6, r * 1.05, 0); break;
    case 2: {  // scalloped rosette
      cairo_new_sub_path(cr);
      for (int i = 0; i < 16; ++i) {
        double a = i * M_PI / 8;
        cairo_arc(cr, cx + r * 0.88 * std::cos(a), cy + r * 0.88 * std::sin(a), r * 0.2, a - M_PI / 2, a + M_PI / 2);
      }
      cairo_close_path(cr);
      break;
    }
    default:  // shield
      cairo_new_sub_path(cr);
      cairo_move_to(cr, cx - r * 0.9, cy - r * 0.85);
      cairo_line_to(cr, cx + r * 0.9, cy - r * 0.85);
      cairo_curve_to(cr, cx + r * 0.95, cy + r * 0.2, cx + r * 0.5, cy + r * 0.75, cx, cy + r * 1.05);
      cairo_curve_to(cr, cx - r * 0.5, cy + r * 0.75, cx - r * 0.95, cy + r * 0.2, cx - r * 0.9, cy - r * 0.85);
      cairo_close_path(cr);
  }
}

void badgeSymbol(cairo_t* cr, int symbol) {
  // Drawn in white around (0, 0) within about 11 units.
  switch (symbol) {
    case 0: starPath(cr, 0, 1, 5, 11, 4.6); cairo_fill(cr); break;
    case 1:  // bolt
      cairo_move_to(cr, 3, -11);
      cairo_line_to(cr, -6, 1);
      cairo_line_to(cr, -0.5, 1);
      cairo_line_to(cr, -3, 11);
      cairo_line_to(cr, 6, -2);
      cairo_line_to(cr, 0.5, -2);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 2:  // heart
      cairo_move_to(cr, 0, 9);
      cairo_curve_to(cr, -13, 0, -8, -11, 0, -4);
      cairo_curve_to(cr, 8, -11, 13, 0, 0, 9);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 3:  // crown
      cairo_move_to(cr, -10, 7);
      cairo_line_to(cr, -11, -6);
      cairo_line_to(cr, -5, 0);
      cairo_line_to(cr, 0, -9);
      cairo_line_to(cr, 5, 0);
      cairo_line_to(cr, 11, -6);
      cairo_line_to(cr, 10, 7);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 4:  // flame
      cairo_move_to(cr, 0, -11);
      cairo_curve_to(cr, 9, -3, 9, 4, 7, 7);
      cairo_curve_to(cr, 4, 11, -4, 11, -7, 7);
      cairo_curve_to(cr, -9, 3, -6, -1, -3, -4);
      cairo_curve_to(cr, -3, 0, -1, 1, 0, 1);
      cairo_curve_to(cr, 1, -3, -1, -7, 0, -11);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 5:  // a stack of bricks
      for (int i = 0; i < 3; ++i) {
        double x = i == 2 ? -4.5 : -9.5 + i * 10, y = i == 2 ? -8.5 : 0.5;
        roundedRect(cr, x, y, 9, 8.5, 1.5);
      }
      cairo_fill(cr);
      break;
    case 6:  // target
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0, 0, 9.5, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0, 0, 5, 0, 2 * M_PI);
      cairo_set_line_width(cr, 2.4);
      cairo_stroke(cr);
      cairo_arc(cr, 0, 0, 1.8, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    default:  // clock
      cairo_arc(cr, 0, 0, 9.5, 0, 2 * M_PI);
      cairo_set_line_width(cr, 2.4);
      cairo_stroke(cr);
      cairo_move_to(cr, 0, -6.5);
      cairo_line_to(cr, 0, 0);
      cairo_line_to(cr, 4.5, 3);
      cairo_set_line_width(cr, 2.2);
      cairo_stroke(cr);
      break;
  }
}

void badge(cairo_t* cr, int frame) {
  const double cx = 32, cy = 27, r = 21;
  Rgb metal = hex(kMedal[frame / 8]);
  int symbol = frame % 8, shape = (frame + frame / 8) % 4;
  if (frame == 0) {
    metal = hex(0xb8c0cc);
    shape = 0;
  }
  // Ribbon tails.
  Rgb ribbon = hex(kMedal[(frame / 8 + 3) % 8]);
  for (int side = 0; side < 2; ++side) {
    double d = side ? 1 : -1;
    cairo_move_to(cr, cx + d * 4, cy + 8);
    cairo_line_to(cr, cx + d * 15, cy + 10);
    cairo_line_to(cr, cx + d * 19, 62);
    cairo_line_to(cr, cx + d * 13, 58);
    cairo_line_to(cr, cx + d * 8, 62);
    cairo_close_path(cr);
    setRgb(cr, side ? darken(ribbon, 0.2) : ribbon);
    cairo_fill_preserve(cr);
    strokeWith(cr, 1, darken(ribbon, 0.55));
  }
  medalShape(cr, shape, cx + 1, cy + 2, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  medalShape(cr, shape, cx, cy, r);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
  addStop(g, 0, lighten(metal, 0.6));
  addStop(g, 0.5, metal);
  addStop(g, 1, darken(metal, 0.4));
  fillWith(cr, g, true);
  strokeWith(cr, 1.3, darken(metal, 0.6));
  // Inner field.
  cairo_pattern_t* field = cairo_pattern_create_radial(cx - 4, cy - 5, 1, cx, cy, 16);
  addStop(field, 0, darken(metal, 0.05));
  addStop(field, 1, darken(metal, 0.45));
  cairo_arc(cr, cx, cy, 15.5, 0, 2 * M_PI);
  fillWith(cr, field, true);
  strokeWith(cr, 1, lighten(metal, 0.5), 0.8);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  if (frame == 0) {
    // The test badge: a test-card quartered field and a tick.
    const uint32_t q[4] = {0xe02020, 0xf0e020, 0x20c0e0, 0x20c040};
    for (int i = 0; i < 4; ++i) {
      cairo_move_to(cr, 0, 0);
      cairo_arc(cr, 0, 0, 13.5, i * M_PI / 2, (i + 1) * M_PI / 2);
      cairo_close_path(cr);
      setRgb(cr, hex(q[i]));
      cairo_fill(cr);
    }
    cairo_move_to(cr, -7, 0);
    cairo_line_to(cr, -2, 5.5);
    cairo_line_to(cr, 8, -6);
    cairo_set_line_width(cr, 5);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.12);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.6);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_stroke(cr);
  } else {
    cairo_push_group(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_scale(cr, 0.95, 0.95);
    badgeSymbol(cr, symbol);
    cairo_pattern_t* art = cairo_pop_group(cr);
    cairo_save(cr);
    cairo_translate(cr, 0.8, 1.1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_mask(cr, art);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 1, 0.98, 0.92);
    cairo_mask(cr, art);
    cairo_pattern_destroy(art);
  }
  cairo_restore(cr);
  // Shine.
  cairo_save(cr);
  medalShape(cr, shape, cx, cy, r);
  cairo_clip(cr);
  cairo_save(cr);
  cairo_translate(cr, cx - 6, cy - 11);
  cairo_scale(cr, 1.4, 0.7);
  cairo_arc(cr, 0, 0, 9, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

Sheet logoSheet() { return {"logo", 256, 128, 1, 1, [](cairo_t* cr, int) { logo(cr); }}; }
Sheet studioLogoSheet() {
  return {"common/ZUKOLogo", 256, 256, 1, 1, [](cairo_t* cr, int) { studioLogo(cr); }};
}
Sheet testcardSheet() {
  return {"common/Testcard_Circle", 256, 256, 1, 1, [](cairo_t* cr, int) { testcard(cr); }};
}
Sheet badgesSheet() { return {"BadgesA", 64, 64, 64, 8, badge}; }

}  // namespace art
