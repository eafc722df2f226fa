#pragma once
// Starting the runtime, and the two entry points the program defines.

extern int argc;
extern const char** argv;

// Starts the runtime: signal handlers, empty collector lists, the program's
// globals, its roots, then its application object.
int vx_std_main(int argument_count, const char** arguments);

// Defined by the program.
void vxInit();
int vxMain();
