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

// Draws one white icon (frame of "common/icons") centred on (0, 0) in a
// 32-unit box; the buttons reuse these on larger plates.
void iconShape(cairo_t* cr, int frame);

}  // namespace art
