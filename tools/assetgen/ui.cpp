// Menu buttons, the white icons, the on-screen pad and the cabinet icon.
#include "sheets.h"

namespace art {
namespace {

void white(cairo_t* cr, double a = 1) { cairo_set_source_rgba(cr, 1, 1, 1, a); }

void circleOutline(cairo_t* cr, double r = 12) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
}

// Thick-stroked paths become fills, so the shadow pass can treat every
// icon as one filled shape.
void strokeToFill(cairo_t* cr, double width) {
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void speaker(cairo_t* cr, double dx) {
  cairo_move_to(cr, dx - 8, -3.5);
  cairo_line_to(cr, dx - 4.5, -3.5);
  cairo_line_to(cr, dx + 0.5, -8);
  cairo_line_to(cr, dx + 0.5, 8);
  cairo_line_to(cr, dx - 4.5, 3.5);
  cairo_line_to(cr, dx - 8, 3.5);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void note(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  cairo_save(cr);
  cairo_translate(cr, -3, 6);
  cairo_scale(cr, 1.3, 1);
  cairo_arc(cr, 0, 0, 3, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, -0.4, -9, 2, 15);
  cairo_fill(cr);
  cairo_move_to(cr, 1.6, -9);
  cairo_curve_to(cr, 5, -7, 7, -5, 6, -1);
  cairo_curve_to(cr, 5.5, -4, 3.5, -5, 1.6, -5);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void waves(cairo_t* cr, double x, int count) {
  for (int i = 0; i < count; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, 0, 4.5 + i * 4, -0.8, 0.8);
  }
  cairo_set_line_width(cr, 2.1);
  cairo_stroke(cr);
}

void gear(cairo_t* cr, double r) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    cairo_arc(cr, 0, 0, r, a - 0.2, a + 0.2);
    cairo_arc(cr, 0, 0, r * 0.72, a + 0.32, a + M_PI / 4 - 0.32);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0, 0, r * 0.32, 2 * M_PI, 0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void trophy(cairo_t* cr) {
  cairo_move_to(cr, -7, -9);
  cairo_line_to(cr, 7, -9);
  cairo_curve_to(cr, 7, -1, 4, 2, 1.5, 2.5);
  cairo_line_to(cr, 1.5, 6);
  cairo_line_to(cr, 5, 8);
  cairo_line_to(cr, 5, 10);
  cairo_line_to(cr, -5, 10);
  cairo_line_to(cr, -5, 8);
  cairo_line_to(cr, -1.5, 6);
  cairo_line_to(cr, -1.5, 2.5);
  cairo_curve_to(cr, -4, 2, -7, -1, -7, -9);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, -7, -4.5, 3.3, M_PI / 2, 3 * M_PI / 2);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 7, -4.5, 3.3, M_PI / 2, -M_PI / 2);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
}

// Two ribbon straps meeting behind a round medal with a star cut out of it.
void medal(cairo_t* cr) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, side * 10.5, -12);
    cairo_line_to(cr, side * 4.5, -12);
    cairo_line_to(cr, side * -1.5, -1);
    cairo_line_to(cr, side * 4.5, -1);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 4, 8.5, 0, 2 * M_PI);
  starPath(cr, 0, 4.6, 5, 5.2, 2.2);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void arrowHead(cairo_t* cr, double x, double y, double angle, double size) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, size, 0);
  cairo_line_to(cr, -size * 0.6, size * 0.8);
  cairo_line_to(cr, -size * 0.6, -size * 0.8);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void iconGlyph(cairo_t* cr, int frame) {
  switch (frame) {
    case 0:  // pause
      circleOutline(cr);
      strokeToFill(cr, 2.4);
      roundedRect(cr, -5.5, -6.5, 4, 13, 1);
      roundedRect(cr, 1.5, -6.5, 4, 13, 1);
      cairo_fill(cr);
      break;
    case 1:  // quit
      circleOutline(cr);
      strokeToFill(cr, 2.4);
      cairo_move_to(cr, -5, -5);
      cairo_line_to(cr, 5, 5);
      cairo_move_to(cr, 5, -5);
      cairo_line_to(cr, -5, 5);
      strokeToFill(cr, 3.2);
      break;
    case 2: {  // restart
      circleOutline(cr);
      strokeToFill(cr, 2.4);
      const double a0 = -M_PI / 2 + 0.7, a1 = 1.5 * M_PI - 0.45;
      cairo_arc(cr, 0, 0, 6.5, a0, a1);
      strokeToFill(cr, 2.6);
      arrowHead(cr, 6.5 * std::cos(a1), 6.5 * std::sin(a1), a1 + M_PI / 2, 4);
      break;
    }
    case 3:  // resume
      circleOutline(cr);
      strokeToFill(cr, 2.4);
      cairo_move_to(cr, -3.5, -7);
      cairo_line_to(cr, 7.5, 0);
      cairo_line_to(cr, -3.5, 7);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 4:  // sound on
      speaker(cr, -2);
      waves(cr, -1, 3);
      break;
    case 5:  // sound off
      speaker(cr, -3);
      cairo_move_to(cr, 3, -4);
      cairo_line_to(cr, 11, 4);
      cairo_move_to(cr, 11, -4);
      cairo_line_to(cr, 3, 4);
      strokeToFill(cr, 2.6);
      break;
    case 6: {  // focus ring: a bold band with four notches
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0, 0, 12.8, 0, 2 * M_PI);
      strokeToFill(cr, 2.2);
      for (int i = 0; i < 4; ++i) arrowHead(cr, 9.8 * std::cos(i * M_PI / 2 + M_PI / 4),
                                            9.8 * std::sin(i * M_PI / 2 + M_PI / 4), i * M_PI / 2 + M_PI / 4 + M_PI,
                                            2.4);
      break;
    }
    case 7:  // music
      note(cr, 0, 0, 1.1);
      break;
    case 8:  // music and effects
      note(cr, -4, 0, 0.9);
      waves(cr, 1, 2);
      break;
    case 9: {  // effects only: a burst
      starPath(cr, 0, 0, 8, 10, 4.5, 0);
      cairo_fill(cr);
      break;
    }
    case 10:  // music only: two beamed notes
      for (int i = 0; i < 2; ++i) {
        cairo_save(cr);
        cairo_translate(cr, -5 + i * 10, 6 - i * 2);
        cairo_scale(cr, 1.3, 1);
        cairo_arc(cr, 0, 0, 2.8, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_rectangle(cr, -3.2 + i * 10, -8 - i * 2 + 1, 1.9, 14);
        cairo_fill(cr);
      }
      cairo_move_to(cr, -3.2, -7);
      cairo_line_to(cr, 8.7, -11);
      cairo_line_to(cr, 8.7, -7.5);
      cairo_line_to(cr, -3.2, -3.5);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 11:  // settings
      gear(cr, 11);
      break;
    case 12:  // home
      cairo_move_to(cr, 0, -11);
      cairo_line_to(cr, 11, -1);
      cairo_line_to(cr, 8, -1);
      cairo_line_to(cr, 8, 10);
      cairo_line_to(cr, 2.5, 10);
      cairo_line_to(cr, 2.5, 3);
      cairo_line_to(cr, -2.5, 3);
      cairo_line_to(cr, -2.5, 10);
      cairo_line_to(cr, -8, 10);
      cairo_line_to(cr, -8, -1);
      cairo_line_to(cr, -11, -1);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case 13:  // badges: a medal on a ribbon
      medal(cr);
      break;
    case 14:  // best scores
      trophy(cr);
      break;
    default:  // information
      circleOutline(cr);
      strokeToFill(cr, 2.4);
      cairo_arc(cr, 0, -6, 1.9, 0, 2 * M_PI);
      cairo_fill(cr);
      roundedRect(cr, -1.7, -2.5, 3.4, 10, 1);
      cairo_fill(cr);
      break;
  }
}

// A glossy plate for the large buttons, in the lower part of a 64 frame.
void plate(cairo_t* cr, Rgb c) {
  const double x = 4, y = 3, s = 56, r = 13;
  roundedRect(cr, x, y + 2.5, s, s, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  roundedRect(cr, x, y, s, s, r);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + s);
  addStop(g, 0, lighten(c, 0.3));
  addStop(g, 0.5, c);
  addStop(g, 1, darken(c, 0.3));
  fillWith(cr, g, true);
  strokeWith(cr, 1.6, darken(c, 0.6));
  roundedRect(cr, x + 2, y + 2, s - 4, s - 4, r - 2);
  strokeWith(cr, 1.2, lighten(c, 0.55), 0.7);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y + 3, 0, y + 28);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.5);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.05);
  roundedRect(cr, x + 4, y + 3.5, s - 8, 24, r - 4);
  fillWith(cr, gloss);
}

const uint32_t kMini[8] = {0xe8383d, 0xf68a1e, 0xf7d230, 0x46c24a, 0x2ec8d8, 0x3567e0, 0x9a4ad8, 0xc9d0da};

void difficultyButton(cairo_t* cr, int level) {
  static const char* kWords[3] = {"Easy", "Normal", "Hard"};
  static const uint32_t kPlate[3] = {0x38a848, 0xe8901c, 0xd8353a};
  static const int kRows[3][2] = {{4, 0}, {3, 3}, {4, 4}};
  plate(cr, hex(kPlate[level]));
  useFont(cr, Font::SansBold, 11.5);
  cairo_save(cr);
  centredTextPath(cr, kWords[level], 32, 19);
  softShadow(cr, 0.8, 1.2, 0.45, 1.5);
  white(cr);
  cairo_fill(cr);
  cairo_restore(cr);
  // One little brick per colour in play.
  int c = 0;
  for (int row = 0; row < 2; ++row) {
    int n = kRows[level][row];
    double y = kRows[level][1] ? 31 + row * 11 : 36;
    for (int i = 0; i < n; ++i, ++c) {
      double x = 32 - n * 5.5 + i * 11 + 1;
      Rgb b = hex(kMini[c]);
      roundedRect(cr, x - 0.6, y - 0.6, 10.2, 10.2, 2.2);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
      cairo_fill(cr);
      roundedRect(cr, x, y, 9, 9, 1.8);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 9);
      addStop(g, 0, lighten(b, 0.35));
      addStop(g, 1, darken(b, 0.1));
      fillWith(cr, g);
      cairo_rectangle(cr, x + 1.5, y + 1.3, 6, 2.2);
      white(cr, 0.45);
      cairo_fill(cr);
    }
  }
}

void selectionOverlay(cairo_t* cr) {
  // Drawn at three-quarter alpha over the chosen button.
  roundedRect(cr, 4, 4, 56, 56, 14);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgba(cr, 1, 0.85, 0.2, 0.45);
  cairo_stroke(cr);
  roundedRect(cr, 4, 4, 56, 56, 14);
  cairo_set_line_width(cr, 2.6);
  cairo_set_source_rgb(cr, 1, 0.95, 0.55);
  cairo_stroke(cr);
  cairo_pattern_t* sheen = cairo_pattern_create_radial(32, 31, 18, 32, 31, 34);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 0.8, 0);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 0.8, 0.35);
  roundedRect(cr, 4, 3, 56, 56, 13);
  fillWith(cr, sheen);
  const double corners[4][2] = {{9.5, 9.5}, {54.5, 9.5}, {9.5, 54.5}, {54.5, 54.5}};
  for (const auto& p : corners) {
    starPath(cr, p[0], p[1], 4, 6, 1.3, 0);
    cairo_set_source_rgb(cr, 1, 1, 0.85);
    cairo_fill(cr);
  }
}

void creditsEmblem(cairo_t* cr) {
  cairo_arc(cr, 32, 33.5, 27, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, 5, 0, 59);
  addStop(rim, 0, hex(0xfff0a0));
  addStop(rim, 0.5, hex(0xe0a820));
  addStop(rim, 1, hex(0x8a5a08));
  cairo_arc(cr, 32, 32, 27, 0, 2 * M_PI);
  fillWith(cr, rim);
  cairo_pattern_t* disc = cairo_pattern_create_radial(28, 26, 2, 32, 32, 22);
  addStop(disc, 0, hex(0x4a6ad0));
  addStop(disc, 1, hex(0x18245a));
  cairo_arc(cr, 32, 32, 22, 0, 2 * M_PI);
  fillWith(cr, disc);
  // Three tumbling bricks.
  const struct { double x, y, a; uint32_t c; } bricks[3] = {
      {25, 39, -0.08, 0xe8383d}, {39, 39, 0.06, 0x46c24a}, {32, 25, 0.3, 0xf7d230}};
  for (const auto& b : bricks) {
    cairo_save(cr);
    cairo_translate(cr, b.x, b.y);
    cairo_rotate(cr, b.a);
    roundedRect(cr, -6.5, -6.5, 13, 13, 2.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -6.5, 0, 6.5);
    addStop(g, 0, lighten(hex(b.c), 0.4));
    addStop(g, 1, darken(hex(b.c), 0.15));
    fillWith(cr, g, true);
    strokeWith(cr, 0.9, darken(hex(b.c), 0.6));
    cairo_rectangle(cr, -4, -4.5, 8, 2.5);
    white(cr, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_arc(cr, 32, 32, 22, 0, 2 * M_PI);
  strokeWith(cr, 1.2, hex(0x5a3a04));
}

void spareButton(cairo_t* cr, int frame) {
  struct Spare { int icon; uint32_t colour; };
  static const Spare kSpares[16] = {
      {}, {}, {}, {3, 0x30a040}, {0, 0x3070d0}, {12, 0x5070a0}, {2, 0xe07a20}, {14, 0xd8a020},
      {11, 0x607080}, {4, 0x20a0a0}, {15, 0x8048c0}, {1, 0xc83038}, {}, {13, 0xe0508a}, {7, 0x2090c8}, {}};
  plate(cr, hex(kSpares[frame].colour));
  cairo_save(cr);
  cairo_translate(cr, 32, 31);
  cairo_scale(cr, 1.35, 1.35);
  iconShape(cr, kSpares[frame].icon);
  cairo_restore(cr);
}

// The on-screen pad: translucent discs with white marks.
void padDisc(cairo_t* cr, bool pressed) {
  cairo_arc(cr, 16, 16, 13.8, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(13, 11, 1, 16, 16, 14);
  if (pressed) {
    cairo_pattern_add_color_stop_rgba(g, 0, 0.75, 0.85, 1, 0.85);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.25, 0.4, 0.7, 0.75);
  } else {
    cairo_pattern_add_color_stop_rgba(g, 0, 0.45, 0.48, 0.55, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.1, 0.11, 0.14, 0.6);
  }
  fillWith(cr, g, true);
  cairo_set_line_width(cr, 1.2);
  white(cr, 0.6);
  cairo_stroke(cr);
}

void dpadFrame(cairo_t* cr, int frame) {
  if (frame < 8) {  // up, right, down, left; then the same pressed
    padDisc(cr, frame >= 4);
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_rotate(cr, (frame % 4) * M_PI / 2 - M_PI / 2);
    cairo_move_to(cr, 9, 0);
    cairo_line_to(cr, -4.8, 6.4);
    cairo_line_to(cr, -4.8, -6.4);
    cairo_close_path(cr);
    white(cr, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
  } else if (frame == 8) {  // hub
    padDisc(cr, false);
    cairo_arc(cr, 16, 16, 5, 0, 2 * M_PI);
    white(cr, 0.8);
    cairo_fill(cr);
  } else if (frame < 13) {  // face buttons
    static const char* kNames[4] = {"A", "B", "X", "Y"};
    static const uint32_t kTints[4] = {0x40d060, 0xe04848, 0x4878e8, 0xf0c830};
    cairo_arc(cr, 16, 16, 14, 0, 2 * M_PI);
    setRgb(cr, hex(kTints[frame - 9]), 0.7);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.4);
    white(cr, 0.75);
    cairo_stroke(cr);
    useFont(cr, Font::SansBold, 15);
    centredTextPath(cr, kNames[frame - 9], 16, 16);
    white(cr);
    cairo_fill(cr);
  } else if (frame == 13) {  // the pad's base ring
    cairo_arc(cr, 16, 16, 13.2, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.5);
    white(cr, 0.5);
    cairo_stroke(cr);
    cairo_arc(cr, 16, 16, 9, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    white(cr, 0.35);
    cairo_stroke(cr);
  } else {  // start, select
    roundedRect(cr, 3, 10, 26, 12, 6);
    cairo_set_source_rgba(cr, 0.15, 0.16, 0.2, 0.65);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.1);
    white(cr, 0.6);
    cairo_stroke(cr);
    useFont(cr, Font::SansBold, frame == 14 ? 6.5 : 5.8);
    centredTextPath(cr, frame == 14 ? "START" : "SELECT", 16, 16);
    white(cr);
    cairo_fill(cr);
  }
}

void icadeFrame(cairo_t* cr, bool on) {
  Rgb body = on ? hex(0xc8303a) : hex(0x5a5e68);
  // Cabinet side profile: marquee, screen, control deck.
  cairo_move_to(cr, 14, 4);
  cairo_line_to(cr, 50, 4);
  cairo_line_to(cr, 50, 60);
  cairo_line_to(cr, 14, 60);
  cairo_line_to(cr, 14, 44);
  cairo_line_to(cr, 10, 38);
  cairo_line_to(cr, 14, 34);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(10, 0, 50, 0);
  addStop(g, 0, lighten(body, 0.25));
  addStop(g, 1, darken(body, 0.3));
  fillWith(cr, g, true);
  strokeWith(cr, 1.5, darken(body, 0.6));
  roundedRect(cr, 17, 7, 30, 7, 1.5);  // marquee
  setRgb(cr, on ? hex(0xffe060) : hex(0x80848c));
  cairo_fill(cr);
  roundedRect(cr, 18, 17, 28, 17, 2);  // screen
  if (on) {
    cairo_pattern_t* s = cairo_pattern_create_radial(32, 25, 2, 32, 25, 18);
    addStop(s, 0, hex(0x9af0ff));
    addStop(s, 1, hex(0x1860a0));
    fillWith(cr, s);
    const uint32_t cs[3] = {0xe8383d, 0xf7d230, 0x46c24a};
    for (int i = 0; i < 3; ++i) {
      cairo_rectangle(cr, 24 + i * 6, 27, 5, 5);
      setRgb(cr, hex(cs[i]));
      cairo_fill(cr);
    }
  } else {
    setRgb(cr, hex(0x202228));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 14, 38, 36, 5);  // control deck
  setRgb(cr, darken(body, 0.45));
  cairo_fill(cr);
  cairo_move_to(cr, 22, 38);  // joystick
  cairo_line_to(cr, 22, 33);
  strokeWith(cr, 1.6, hex(0x303030));
  cairo_arc(cr, 22, 32, 2.4, 0, 2 * M_PI);
  setRgb(cr, on ? hex(0xff4040) : hex(0x8a8a8a));
  cairo_fill(cr);
  for (int i = 0; i < 2; ++i) {
    cairo_arc(cr, 34 + i * 7, 37, 1.8, 0, 2 * M_PI);
    setRgb(cr, on ? hex(i ? 0x40a0ff : 0xffd040) : hex(0x9a9a9a));
    cairo_fill(cr);
  }
}

}  // namespace

void iconShape(cairo_t* cr, int frame) {
  // Shadow first (black is unchanged by the game's tint), then the white art.
  cairo_push_group(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  iconGlyph(cr, frame);
  cairo_pattern_t* art = cairo_pop_group(cr);
  cairo_save(cr);
  for (int i = 3; i >= 1; --i) {
    cairo_save(cr);
    cairo_translate(cr, 0.3 * i, 0.4 * i);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.16);
    cairo_mask(cr, art);
    cairo_restore(cr);
  }
  cairo_restore(cr);
  cairo_set_source(cr, art);
  cairo_paint(cr);
  cairo_pattern_destroy(art);
}

Sheet iconsSheet() {
  return {"common/icons", 32, 32, 16, 16, [](cairo_t* cr, int frame) {
            cairo_translate(cr, 16, 16);
            iconShape(cr, frame);
          }};
}

Sheet buttonsSheet() {
  return {"common/Buttons", 64, 64, 16, 4, [](cairo_t* cr, int frame) {
            if (frame < 3)
              difficultyButton(cr, frame);
            else if (frame == 12)
              creditsEmblem(cr);
            else if (frame == 15)
              selectionOverlay(cr);
            else
              spareButton(cr, frame);
          }};
}

Sheet dpadSheet() { return {"common/dpad", 32, 32, 16, 16, dpadFrame}; }

Sheet icadeSheet() {
  return {"common/icade", 64, 64, 2, 2, [](cairo_t* cr, int frame) { icadeFrame(cr, frame == 1); }};
}

}  // namespace art
