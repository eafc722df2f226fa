// Sanitizer builds only: a library, once loaded, stays mapped until the
// process ends. A leak report from inside one that GLFW loads and unloads
// (the OpenGL driver) then names it, and its suppression can match.
extern "C" int dlclose(void*) { return 0; }
