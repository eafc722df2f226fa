// GLFW's key numbers mapped onto the framework's Windows-style key codes.
#include "host/key_codes.h"

#include <GLFW/glfw3.h>

int TransKey(int key) {
  if (key >= '0' && key <= '9') return key;
  if (key >= 'A' && key <= 'Z') return key;
  if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F12) return VX_KEY_F1 + (key - GLFW_KEY_F1);
  switch (key) {
    case ' ': return VX_KEY_SPACE;
    case '\'':
    case '"': return 222;
    case ',': return 188;
    case '-': return 189;
    case '.': return 190;
    case '/': return 191;
    case ';': return 186;
    case '=': return 187;
    case '[': return 219;
    case '\\': return 220;
    case ']': return 221;
    case '`':
    case '~': return 192;
    case GLFW_KEY_ESCAPE: return VX_KEY_ESCAPE;
    case GLFW_KEY_UP: return VX_KEY_UP;
    case GLFW_KEY_DOWN: return VX_KEY_DOWN;
    case GLFW_KEY_LEFT: return VX_KEY_LEFT;
    case GLFW_KEY_RIGHT: return VX_KEY_RIGHT;
    case GLFW_KEY_LEFT_SHIFT: return 160;
    case GLFW_KEY_RIGHT_SHIFT: return 161;
    case GLFW_KEY_LEFT_CONTROL: return 162;
    case GLFW_KEY_RIGHT_CONTROL: return 163;
    case GLFW_KEY_TAB: return VX_KEY_TAB;
    case GLFW_KEY_ENTER: return VX_KEY_ENTER;
    case GLFW_KEY_BACKSPACE: return VX_KEY_BACKSPACE;
    case GLFW_KEY_INSERT: return VX_KEY_INSERT;
    case GLFW_KEY_DELETE: return VX_KEY_DELETE;
    case GLFW_KEY_PAGE_UP: return VX_KEY_PAGEUP;
    case GLFW_KEY_PAGE_DOWN: return VX_KEY_PAGEDOWN;
    case GLFW_KEY_HOME: return VX_KEY_HOME;
    case GLFW_KEY_END: return VX_KEY_END;
  }
  return 0;
}

int KeyToChar(int key) {
  switch (key) {
    case VX_KEY_BACKSPACE:
    case VX_KEY_TAB:
    case VX_KEY_ENTER:
    case VX_KEY_ESCAPE:
      return key;
    case VX_KEY_PAGEUP:
    case VX_KEY_PAGEDOWN:
    case VX_KEY_END:
    case VX_KEY_HOME:
    case VX_KEY_LEFT:
    case VX_KEY_UP:
    case VX_KEY_RIGHT:
    case VX_KEY_DOWN:
    case VX_KEY_INSERT:
      return key | 0x10000;
    case VX_KEY_DELETE:
      return 127;
  }
  return 0;
}

int KeyCallbackCode(int key) {
  switch (key) {
    case GLFW_KEY_LEFT_SHIFT:
    case GLFW_KEY_RIGHT_SHIFT:
      return VX_KEY_SHIFT;
    case GLFW_KEY_LEFT_CONTROL:
    case GLFW_KEY_RIGHT_CONTROL:
      return VX_KEY_CONTROL;
  }
  return TransKey(key);
}
