// Every image of the game, one factory per file.
#pragma once
#include "art.h"

namespace art {

Sheet bricksSheet();
Sheet ringSheet();
Sheet partsSheet();
Sheet menuSheet();
Sheet logoSheet();
Sheet buttonsSheet();
Sheet iconsSheet();
Sheet studioLogoSheet();
Sheet testcardSheet();
Sheet dpadSheet();
Sheet icadeSheet();
Sheet badgesSheet();
Sheet quillsetSheet();
Sheet oxleFontSheet();
// The application icon: one frame in a 16-unit box, so the usual icon sizes
// (48, 64, 128, 256 pixels) are whole scales of it.
Sheet appIconSheet();

// Draws one white icon (frame of "common/icons") centred on (0, 0) in a
// 32-unit box; the buttons reuse these on larger plates.
void iconShape(cairo_t* cr, int frame);
// Draws one resting block (type 0..8, or 9 for the bomb) as in the block
// sheet, in its 64-unit frame; the application icon stacks these.
void blockShape(cairo_t* cr, int type);

}  // namespace art
