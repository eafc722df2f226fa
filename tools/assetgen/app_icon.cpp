// The application icon for the desktop menu and the window: four of the
// game's own blocks stacked two by two, the bomb among them.
#include "sheets.h"

namespace art {

Sheet appIconSheet() {
  return {"appicon", 16, 16, 1, 1, [](cairo_t* cr, int) {
            // Two columns of two blocks span 112 block units; they fill the
            // icon with a small margin for the shadow.
            const double fit = 15.0 / 112;
            cairo_translate(cr, 0.5, 0.5);
            cairo_scale(cr, fit, fit);
            // Left column bottom first, then the right one: each block covers
            // the sides of the ones behind it.
            const struct { int column, row, type; } kStack[] = {
                {0, 0, 0}, {0, 1, 2}, {1, 0, 5}, {1, 1, 9}};
            for (const auto& block : kStack) {
              cairo_save(cr);
              cairo_translate(cr, block.column * 48, (1 - block.row) * 48);
              blockShape(cr, block.type);
              cairo_restore(cr);
            }
          }};
}

}  // namespace art
