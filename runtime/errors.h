#pragma once
// Exceptions, printing and fatal errors: the program's error statement and
// the debugger prompt that a fatal error opens.
#include "runtime/object.h"
#include "runtime/string.h"

// Base of the program's exceptions; the host ends the process on one that
// escapes from a call into the program.
class ThrowableObject : public Object {};

extern const char* dbg_info;
extern String dbg_exstack;
extern int dbg_suspend;
extern int dbg_stepmode;

// One line on standard output, one byte (the low 8 bits) per code unit.
void Print(const String& text);
void DebugLog(const String& text);
// The program's error statement: an empty text quits with exit code 0,
// anything else is a fatal error.
[[noreturn]] void Error(const String& text);

[[noreturn]] void dbg_error(const char* message);
String dbg_stacktrace();
void dbg_print(const String& text);
void dbg_stop();
[[noreturn]] void dbg_throw(const char* message);
[[noreturn]] void sighandler(int signal_number);
