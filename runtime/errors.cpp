#include "runtime/errors.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* dbg_info;
String dbg_exstack;
int dbg_suspend;
int dbg_stepmode;

namespace {

// Writes the low byte of every unit plus a newline in one call.
void WriteLine(FILE* stream, const String& text) {
  char* bytes = text.ToCString<char>();
  int length = text.Length();
  bytes[length] = '\n';
  fwrite(bytes, 1, length + 1, stream);
  fflush(stream);
  free(bytes);
}

}  // namespace

void Print(const String& text) { WriteLine(stdout, text); }

void DebugLog(const String& text) { WriteLine(stdout, text); }

void Error(const String& text) {
  if (!text.Length()) exit(0);
  char* message = text.ToCString<char>();
  dbg_error(message);
}

String dbg_stacktrace() {
  if (!dbg_info || !*dbg_info) return String();
  return String(dbg_info) + String("\n");
}

void dbg_print(const String& text) { WriteLine(stderr, text); }

void dbg_error(const char* message) {
  for (;;) {
    Print(String("Quibbo Runtime Error : ") + String(message));
    Print(dbg_stacktrace());
    dbg_stop();
  }
}

void dbg_stop() {
  fprintf(stderr, "{{~~%s~~}}\n", dbg_info);
  dbg_print(String());
  for (;;) {
    char line[256];
    if (!fgets(line, sizeof line, stdin)) exit(-1);
    char* newline = strchr(line, '\n');
    if (!newline) exit(-1);
    *newline = 0;
    switch (line[0]) {
      case '?':
        continue;
      case '@': {
        void* p = nullptr;
        sscanf(line + 1, "%p", &p);
        // The address comes from outside: only a live collected object is
        // asked for its text, anything else reads as null.
        gc_object* found = p ? gc_find_object(p) : nullptr;
        Object* object = found ? dynamic_cast<Object*>(found) : nullptr;
        dbg_print(object ? object->debug() : String());
        continue;
      }
      case 'e':
        dbg_suspend = 1;
        dbg_stepmode = 'e';
        return;
      case 'l':
        dbg_suspend = 0;
        dbg_stepmode = 'l';
        return;
      case 'q':
        exit(0);
      case 'r':
        dbg_suspend = 0;
        dbg_stepmode = 0;
        return;
      case 's':
        dbg_suspend = 1;
        dbg_stepmode = 's';
        return;
      default:
        printf("????? %s ?????", line);
        fflush(stdout);
        exit(-1);
    }
  }
}

// Thrown by dbg_throw: carries its message.
class DebugException : public ThrowableObject {
 public:
  explicit DebugException(const char* text) : message(text) {}
  String debug() override { return String("+DebugException\n") + message + String("\n"); }
  String message;
};

void dbg_throw(const char* message) {
  dbg_exstack = dbg_stacktrace();
  throw static_cast<ThrowableObject*>(new DebugException(message));
}

void sighandler(int signal_number) {
  const char* message = "Unknown signal";
  switch (signal_number) {
    case SIGILL: message = "Illegal instruction"; break;
    case SIGFPE: message = "Floating point exception"; break;
    case SIGSEGV: message = "Memory access violation"; break;
  }
  dbg_error(message);
}
