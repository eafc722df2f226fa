#include "sheets.h"
namespace art {
static void nothing(cairo_t*, int) {}
Sheet logoSheet() { return {"logo", 256, 128, 1, 1, nothing}; }
Sheet buttonsSheet() { return {"common/Buttons", 64, 64, 16, 4, nothing}; }
Sheet iconsSheet() { return {"common/icons", 32, 32, 16, 16, nothing}; }
Sheet studioLogoSheet() { return {"common/ZUKOLogo", 256, 256, 1, 1, nothing}; }
Sheet testcardSheet() { return {"common/Testcard_Circle", 256, 256, 1, 1, nothing}; }
Sheet dpadSheet() { return {"common/dpad", 32, 32, 16, 16, nothing}; }
Sheet icadeSheet() { return {"common/icade", 64, 64, 2, 2, nothing}; }
Sheet badgesSheet() { return {"BadgesA", 64, 64, 64, 8, nothing}; }
void iconShape(cairo_t*, int) {}
}
