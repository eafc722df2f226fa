// Renders every image of the data folder, frame by frame with borders and
// numbers, onto one PNG per resolution, with a few scenes that use the
// images the way the game does (stacked bricks, text at the game's pitch,
// the background pattern at its alpha). For looking at, not for shipping.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Entry {
  const char* name;
  int frameW, frameH, frames;
};

const Entry kImages[] = {
    {"bricks", 64, 64, 40},          {"ring", 128, 128, 1},
    {"parts", 8, 8, 16},             {"menu", 256, 256, 4},
    {"logo", 256, 128, 1},           {"common/Buttons", 64, 64, 16},
    {"common/icons", 32, 32, 16},    {"common/ZUKOLogo", 256, 256, 1},
    {"common/Testcard_Circle", 256, 256, 1}, {"common/dpad", 32, 32, 16},
    {"common/icade", 64, 64, 2},     {"BadgesA", 64, 64, 64},
    {"fonts/quillset", 16, 16, 128},
};

struct Image {
  cairo_surface_t* surface = nullptr;
  int frameW = 0, frameH = 0, frames = 0, columns = 1;
  bool ok() const { return surface != nullptr; }
  void frameOrigin(int i, int* x, int* y) const {
    *x = (i % columns) * frameW;
    *y = (i / columns) * frameH;
  }
};

Image load(const std::string& path, int fw, int fh, int frames) {
  Image img;
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return img;
  }
  img.surface = s;
  img.frameW = fw;
  img.frameH = fh;
  img.frames = frames;
  img.columns = std::max(1, cairo_image_surface_get_width(s) / fw);
  return img;
}

void label(cairo_t* cr, double x, double y, double size, const std::string& text, double r = 1, double g = 1,
           double b = 1) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void checker(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 0.36, 0.36, 0.4);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.3, 0.3, 0.34);
  for (double yy = y; yy < y + h; yy += 8)
    for (double xx = x + (static_cast<int>((yy - y) / 8) % 2) * 8; xx < x + w; xx += 16)
      cairo_rectangle(cr, xx, yy, 8, 8);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Draws frame i of an image with its top-left at (x, y), optionally scaled,
// rotated about its centre and faded; `tint` multiplies the colour as the
// game's renderer does.
void drawFrame(cairo_t* cr, const Image& img, int i, double x, double y, double scale = 1, double alpha = 1,
               const double* tint = nullptr, double rotation = 0) {
  int fx, fy;
  img.frameOrigin(i, &fx, &fy);
  cairo_surface_t* src = img.surface;
  cairo_surface_t* tinted = nullptr;
  if (tint) {
    tinted = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.frameW, img.frameH);
    cairo_surface_flush(src);
    unsigned char* in = cairo_image_surface_get_data(src);
    int inStride = cairo_image_surface_get_stride(src);
    unsigned char* out = cairo_image_surface_get_data(tinted);
    int outStride = cairo_image_surface_get_stride(tinted);
    for (int yy = 0; yy < img.frameH; ++yy)
      for (int xx = 0; xx < img.frameW; ++xx) {
        const unsigned char* p = in + (fy + yy) * inStride + (fx + xx) * 4;
        unsigned char* q = out + yy * outStride + xx * 4;
        q[0] = static_cast<unsigned char>(p[0] * tint[2]);
        q[1] = static_cast<unsigned char>(p[1] * tint[1]);
        q[2] = static_cast<unsigned char>(p[2] * tint[0]);
        q[3] = p[3];
      }
    cairo_surface_mark_dirty(tinted);
    src = tinted;
    fx = fy = 0;
  }
  cairo_save(cr);
  cairo_translate(cr, x + img.frameW * scale / 2, y + img.frameH * scale / 2);
  cairo_rotate(cr, rotation);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -img.frameW / 2.0, -img.frameH / 2.0);
  cairo_rectangle(cr, 0, 0, img.frameW, img.frameH);
  cairo_clip(cr);
  cairo_set_source_surface(cr, src, -fx, -fy);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  if (tinted) cairo_surface_destroy(tinted);
}

// Text through the game font: glyph c - 32, advance 7, line height 10.
void gameText(cairo_t* cr, const Image& font, double x, double y, int level, double size, const std::string& text,
              const double* tint, double alpha = 1) {
  double adv = 7 * level * size, lh = 10 * level * size;
  double px = x, py = y;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    // A real newline or the game's two-character break (backslash, n).
    bool escaped = ch == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
    if (ch == '\n' || escaped) {
      if (escaped) ++i;
      px = x;
      py += lh;
      continue;
    }
    int c = static_cast<unsigned char>(ch) - 32;
    if (c >= 0 && c < font.frames)
      drawFrame(cr, font, c, px - font.frameW * size / 2, py - font.frameH * size / 2, size, alpha, tint);
    px += adv;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: contactsheet DATA_FOLDER LEVEL(1|2|4) OUT.png\n");
    return 2;
  }
  std::string data = argv[1];
  int level = std::atoi(argv[2]);
  const char* suffix = level == 4 ? "-hd2" : level == 2 ? "-hd" : "";
  const double sheetW = 2000 * std::max(1, level / 2) + 200;
  const double pad = 10, gap = 8;

  std::vector<Image> images;
  for (const Entry& e : kImages)
    images.push_back(load(data + "/" + e.name + suffix + ".png", e.frameW * level, e.frameH * level, e.frames));

  // First pass measures, second pass draws.
  cairo_surface_t* sheet = nullptr;
  cairo_t* cr = nullptr;
  double height = 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {
      sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(sheetW), static_cast<int>(height));
      cr = cairo_create(sheet);
      cairo_set_source_rgb(cr, 0.12, 0.12, 0.15);
      cairo_paint(cr);
    }
    double y = pad;
    for (size_t k = 0; k < images.size(); ++k) {
      const Image& img = images[k];
      if (cr) label(cr, pad, y + 22, 22, std::string(kImages[k].name) + suffix + (img.ok() ? "" : "  (MISSING)"));
      y += 32;
      if (!img.ok()) continue;
      double cellW = img.frameW + gap, cellH = img.frameH + 18 + gap;
      int perRow = std::max(1, static_cast<int>((sheetW - 2 * pad) / cellW));
      for (int i = 0; i < img.frames; ++i) {
        double x = pad + (i % perRow) * cellW, fy = y + (i / perRow) * cellH;
        if (!cr) continue;
        checker(cr, x, fy, img.frameW, img.frameH);
        drawFrame(cr, img, i, x, fy);
        cairo_rectangle(cr, x - 0.5, fy - 0.5, img.frameW + 1, img.frameH + 1);
        cairo_set_source_rgb(cr, 0.9, 0.75, 0.2);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        label(cr, x, fy + img.frameH + 13, 11, std::to_string(i), 0.8, 0.8, 0.8);
      }
      y += ((img.frames + perRow - 1) / perRow) * cellH + pad;
    }

    // Scenes, drawn at the game's 1 virtual unit = `level` pixels.
    const Image& bricks = images[0];
    const Image& ring = images[1];
    const Image& parts = images[2];
    const Image& menu = images[3];
    const Image& font = images[12];
    double u = level;
    double boardW = 10 * 48 * u + 48 * u, boardH = 11 * 48 * u + 16 * u;
    double sceneH = std::max(boardH, 480 * u) + 40;
    if (cr && bricks.ok()) {
      label(cr, pad, y + 22, 22, "scenes");
      double ox = pad, oy = y + 32;
      cairo_rectangle(cr, ox, oy, boardW + 900 * u, sceneH);
      // The play screen's standard background: grey, flashing on blasts.
      cairo_set_source_rgb(cr, 60 / 255.0, 60 / 255.0, 60 / 255.0);
      cairo_fill(cr);
      // A board corner: walls at x 0 and 9, floor from row 8, some blocks.
      static const char* kRows[] = {
          "W........W", "W........W", "W..1.....W", "W.12...4.W", "W.123.a44W",
          "W5123.6A7W", "W8x2356789", "WBBBBBBBBW", "WBBBBBBBBW", "WBBBBBBBBW"};
      int rows = 10;
      int heldX = 2, heldY = 4;
      for (int x = 0; x < 10; ++x)
        for (int yy = rows - 1; yy >= 0; --yy) {
          char c = kRows[yy][x];
          int frame = -1;
          if (c == 'W' || c == 'B') frame = ((3 * yy + x) % 10) + 10;
          else if (c >= '1' && c <= '9') frame = c - '1';
          else if (c == 'x') frame = 9;
          else if (c == 'a') frame = 30;
          else if (c == 'A') frame = 35;
          if (x == heldX && yy == heldY && frame >= 0) frame += 20;
          if (frame < 0) continue;
          double cx = ox + 40 * u + x * 48 * u, cy = oy + 24 * u + yy * 48 * u;
          drawFrame(cr, bricks, frame, cx - 32 * u, cy - 32 * u, 1, frame >= 30 ? 0.7 : 1);
        }
      if (ring.ok()) {
        double cx = ox + 40 * u + heldX * 48 * u - 8 * u, cy = oy + 24 * u + heldY * 48 * u + 8 * u;
        drawFrame(cr, ring, 0, cx - 64 * u, cy - 64 * u, 1, 1, nullptr, 0.3);
        // The held bomb's three rings, in the top row.
        double bx = ox + 40 * u + 6 * 48 * u - 8 * u, by = oy + 24 * u + 0 * 48 * u + 8 * u + 40 * u;
        drawFrame(cr, bricks, 29, bx + 8 * u - 32 * u, by - 8 * u - 32 * u);
        const double red[3] = {1, 0, 0};
        drawFrame(cr, ring, 0, bx - 64 * u, by - 64 * u, 1, 1, red, 0.5);
        drawFrame(cr, ring, 0, bx - 64 * 1.3 * u, by - 64 * 1.3 * u, 1.3, 1, red, -0.5);
        drawFrame(cr, ring, 0, bx - 64 * 1.6 * u, by - 64 * 1.6 * u, 1.6, 1, nullptr, 0.9);
      }
      if (parts.ok())
        for (int i = 0; i < 16; ++i)
          drawFrame(cr, parts, i, ox + 330 * u + (i % 8) * 14 * u, oy + 140 * u + (i / 8) * 14 * u, 1,
                    1 - i * 0.03, nullptr, i * 0.7);
      // The background pattern: three times its size at 20 %, in a window.
      double wx = ox + boardW + 20, wy = oy;
      if (menu.ok()) {
        cairo_save(cr);
        cairo_rectangle(cr, wx, wy, 640 * u / 2, 480 * u / 2);
        cairo_clip(cr);
        cairo_set_source_rgb(cr, 60 / 255.0, 60 / 255.0, 60 / 255.0);
        cairo_paint(cr);
        double s = 3 * 0.5;
        drawFrame(cr, menu, 0, wx + 160 * u - menu.frameW * s / 2, wy + 120 * u - menu.frameH * s / 2, s, 0.2,
                  nullptr, 0.4);
        cairo_restore(cr);
        label(cr, wx, wy + 480 * u / 2 + 16, 13, "menu frame 0 at 3x, 20 %, half scale, on (60,60,60)");
      }
      if (font.ok()) {
        const double white[3] = {1, 1, 1}, green[3] = {100 / 255.0, 1, 100 / 255.0},
                     orange[3] = {1, 200 / 255.0, 100 / 255.0}, pink[3] = {1, 180 / 255.0, 180 / 255.0};
        double tx = wx + 16 * u, ty = wy + 480 * u / 2 + 50 * u;
        gameText(cr, font, tx, ty, level, 1,
                 "The quick brown fox jumps over the lazy dog.\nTHE QUICK BROWN FOX JUMPS 0123456789\n"
                 "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~  Top 10",
                 white);
        gameText(cr, font, tx, ty + 44 * u, level, 1.5, "Highscore\n    1234560\n      98700", orange);
        gameText(cr, font, tx + 150 * u, ty + 44 * u, level, 2, "00012345", green);
        gameText(cr, font, tx, ty + 120 * u, level, 4, "GAME OVER", pink);
      }
    }
    y += sceneH + 50;

    // Three screens as the game lays them out at 640 x 480, settled: the
    // standard background first (grey, with the pattern at 20 %), then the
    // screen's own drawing.
    const Image& logo = images[4];
    const Image& buttons = images[5];
    const Image& icons = images[6];
    const Image& studio = images[7];
    const Image& testcard = images[8];
    const double w = 640, h = 480;
    auto rgb = [](double r, double g, double b) { return std::vector<double>{r / 255, g / 255, b / 255}; };
    for (int screen = 0; screen < 3; ++screen) {
      if (!logo.ok() || !buttons.ok() || !icons.ok()) continue;
      if (!cr) {
        y += 480 * u + 82;
        continue;
      }
      static const char* kTitles[3] = {"title screen", "pause overlay", "credits box"};
      label(cr, pad, y + 22, 22, std::string(kTitles[screen]) + ", 640 x 480");
      double ox = pad, oy = y + 32;
      auto at = [&](const Image& img, int frame, double cx, double cy, double size, double alpha = 1,
                    const std::vector<double>& tint = {}, double rot = 0) {
        if (!img.ok()) return;
        drawFrame(cr, img, frame, ox + cx * u - img.frameW * size / 2, oy + cy * u - img.frameH * size / 2, size,
                  alpha, tint.empty() ? nullptr : tint.data(), rot);
      };
      auto rect = [&](double x, double yy, double rw, double rh, const std::vector<double>& c, double a) {
        cairo_rectangle(cr, ox + x * u, oy + yy * u, rw * u, rh * u);
        cairo_set_source_rgba(cr, c[0], c[1], c[2], a);
        cairo_fill(cr);
      };
      auto circle = [&](double x, double yy, double r, const std::vector<double>& c) {
        cairo_arc(cr, ox + x * u, oy + yy * u, std::max(0.0, r) * u, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, c[0], c[1], c[2]);
        cairo_fill(cr);
      };
      // The game's text layout: align 1 centres on x, lines 1 centres on y.
      auto text = [&](double x, double yy, const std::string& t, double align, double lines, double size,
                      const std::vector<double>& tint, double alpha = 1) {
        if (!font.ok()) return;
        size_t n = t.size();
        double adv = 7 * size, lh = 10 * size;
        gameText(cr, font, ox + (x - adv * (n - 1) * align * 0.5) * u, oy + (yy - lh * (lines - 1) * 0.5) * u,
                 level, size, t, tint.data(), alpha);
      };
      cairo_save(cr);
      cairo_rectangle(cr, ox, oy, w * u, h * u);
      cairo_clip(cr);
      rect(0, 0, w, h, rgb(60, 60, 60), 1);
      at(menu, 0, w / 2, h / 2, 3, 0.2, {}, 0.3);
      if (screen == 0) {
        at(logo, 0, w * 0.4, h * 0.2, 1);
        rect(w - 140, 0, 140, h, rgb(0, 0, 0), 0.4);
        at(icons, 4, 32, h / 2, 2, 1, rgb(50, 250, 50));
        text(w - 120, 60, "Top 10\\n      12340\\n       9850\\n       7200\\n       4410", 0, 0, 1.5,
             rgb(255, 200, 100));
        text(w - 120, h * 0.5 + 20, "Last 10\\n       4410\\n        880", 0, 0, 1.5, rgb(200, 255, 100));
        for (int k = 0; k < 3; ++k) {
          at(buttons, k, w * (0.2 + 0.2 * k), h * 0.7, 1.5);
          if (k == 1) at(buttons, 15, w * 0.4, h * 0.7, 1.5, 0.75);
        }
        at(studio, 0, w - 70, h - 40, 0.5);
      } else if (screen == 1) {
        // Under the overlay: the pause button and the score.
        at(icons, 0, 16, 16, 1);
        text(w * 0.5, 32, "00012345", 1, 1, 2, rgb(100, 255, 100));
        double c = w * 0.5, p = h * 0.5;
        rect(0, 0, w, h, rgb(0, 0, 0), p / (h * 0.8));
        rect(c - 128, p - 64, 256, 8, rgb(255, 255, 10), 0.6);
        rect(c - 140, p - 52, 280, 104, rgb(255, 150, 10), 0.7);
        rect(c - 128, p + 56, 256, 8, rgb(10, 150, 255), 0.6);
        at(icons, 1, c - 140, p - 64, 2, 1, rgb(255, 50, 50));
        at(icons, 3, c, p, 2, 1, rgb(50, 50, 250));
        at(icons, 4, c + 140, p - 64, 2, 1, rgb(50, 250, 50));
        at(icons, 6, c, p, 2.5, 1, rgb(255, 255, 100));
      } else {
        double cell = std::max(w / 12, h / 12), s = cell;
        int N = static_cast<int>(w / cell), M = static_cast<int>(h / cell);
        double left = w / 2 - cell * N / 2, top = h / 2 - cell * M / 2;
        auto clamp = [](double v) { return std::min(255.0, std::max(0.0, std::trunc(v))); };
        for (int x = 0; x <= N; ++x)
          for (int yy = 0; yy <= M; ++yy) {
            double cx = left + cell * x - s / 2, cy = top + cell * yy - s / 2;
            bool frame = x == 0 || yy == 0 || x == N || yy == M;
            rect(cx, cy, s + 1, s + 1, frame ? rgb(0, 0, 0) : rgb(255, 255, 255), 1);
            if (!frame) {
              if (yy == M - 1 && x > 3 && x < N - 3)
                rect(cx - 6, cy + 2, s + 24, s - 4, rgb(128, 128, 128), 1);
              else if (yy == M - 1 && x == N - 3)
                rect(cx + (x > 3 ? -6 : 2), cy + 2, s + 4, s - 4, rgb(128, 128, 128), 1);
              else
                rect(cx + 2, cy + 2, s - 4, s - 4, rgb(128, 128, 128), 1);
              continue;
            }
            if ((x == 0 || x == N) && (yy == 0 || yy == M)) continue;
            double vx = (x - 1) * 512.0 / (N - 2), vy = (yy - 1) * 512.0 / (M - 2);
            if (yy == 0) rect(cx + 8, cy, s - 16, s, rgb(clamp(vx), clamp(512 - vx), 0), 1);
            else if (yy == M) {
              double g = clamp(255.0 * (x - 1) / (N - 2));
              rect(cx + 8, cy, s - 16, s, rgb(g, g, g), 1);
            } else if (x == 0) rect(cx, cy + 8, s, s - 16, rgb(0, clamp(512 - vy), clamp(vy)), 1);
            else rect(cx, cy + 8, s, s - 16, rgb(clamp(512 - vy), 0, clamp(vy)), 1);
          }
        at(testcard, 0, w / 2, h / 2, 1);
        static const char* kLines[8] = {"-=-=-", "", "Developed using", "Quibbo", "", "-=-=-", "", "Graphics"};
        for (int i = -3; i <= 4; ++i) {
          double o = -6 + 16 * i, a = 1 - std::min(1.0, std::max(0.0, std::abs(o) / 40 - 0.3));
          text(w / 2 + 24, h / 2 + o, kLines[i + 3], 0.8, 0.8, 1, rgb(255, 255, 255), a);
        }
        at(logo, 0, w / 2, top + cell * (M - 1), 0.4);
        const double dials[4][2] = {{left + 1.5 * cell, top + 1.5 * cell},
                                    {left + (N - 1.5) * cell, top + 1.5 * cell},
                                    {left + 1.5 * cell, top + (M - 1.5) * cell},
                                    {left + (N - 1.5) * cell, top + (M - 1.5) * cell}};
        static const char* kFigures[2][3] = {{" 1280", " 960", " 60"}, {" 640", " 480", " 60"}};
        for (int d = 0; d < 4; ++d) {
          circle(dials[d][0], dials[d][1], s, rgb(255, 255, 255));
          circle(dials[d][0], dials[d][1], s - 3, rgb(128, 128, 128));
          if (d < 2)
            for (int i = 0; i < 3; ++i) text(dials[d][0], dials[d][1] - 16 + 16 * i, kFigures[d][i], 0.8, 0.8, 1, rgb(255, 255, 255));
        }
        at(buttons, 12, dials[2][0], dials[2][1], 1);
        at(studio, 0, dials[3][0], dials[3][1], 0.3);
      }
      cairo_restore(cr);
      y += 480 * u + 82;
    }
    height = y;
  }
  cairo_destroy(cr);
  cairo_status_t st = cairo_surface_write_to_png(sheet, argv[3]);
  cairo_surface_destroy(sheet);
  for (Image& img : images)
    if (img.surface) cairo_surface_destroy(img.surface);
  return st == CAIRO_STATUS_SUCCESS ? 0 : 1;
}
