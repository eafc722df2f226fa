// The game font "fonts/quillset" (16-unit cells, glyph c - 32 for character
// c, set at a 7-unit advance and 10-unit lines) and the default font strip.
#include "sheets.h"

namespace art {
namespace {

void glyph(cairo_t* cr, int code, double x, double baseline) {
  char text[2] = {static_cast<char>(code), 0};
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, text);
}

}  // namespace

Sheet quillsetSheet() {
  return {"fonts/quillset", 16, 16, 128, 16, [](cairo_t* cr, int frame) {
            int code = frame + 32;
            if (code <= 32 || code >= 127) return;  // space, and no glyphs past the ASCII range
            // Bold monospace at 10.5 units advances 6.3: each glyph keeps
            // clear of its neighbours at the game's pitch of 7.
            useFont(cr, Font::MonoBold, 10.5, true);
            // The underscore and the bar reach lowest: lifted to keep inside the cell.
            const double x = 5, baseline = (code == '_' || code == '|') ? 11 : 12;
            // A dark drop shadow keeps white or tinted text readable on
            // light backgrounds; black stays black under any tint.
            cairo_save(cr);
            cairo_translate(cr, 0.8, 0.8);
            glyph(cr, code, x, baseline);
            cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
            cairo_fill(cr);
            cairo_restore(cr);
            glyph(cr, code, x, baseline);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_fill(cr);
          }};
}

Sheet oxleFontSheet() {
  // 96 cells of characters 32..127, each with one empty padding column on
  // either side of its 8-pixel glyph area.
  return {"oxle_font", 10, 16, 96, 96, [](cairo_t* cr, int frame) {
            int code = frame + 32;
            if (code == 32) return;
            cairo_rectangle(cr, 1, 0, 8, 16);
            cairo_clip(cr);
            cairo_set_source_rgb(cr, 1, 1, 1);
            if (code == 127) {  // DEL: a solid block
              cairo_rectangle(cr, 2, 3, 6, 10);
              cairo_fill(cr);
              return;
            }
            useFont(cr, Font::Mono, 12, true);
            glyph(cr, code, 1.4, 12);
            cairo_fill(cr);
          }};
}

}  // namespace art
