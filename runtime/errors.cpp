// Printing, the fatal-error report and the debugger prompt it ends in.
#include "runtime/errors.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* dbg_info;
String dbg_exstack;
int dbg_suspend;
int dbg_stepmode;

namespace {

// Set while a fatal signal is reported. The signal may have stopped the
// process inside the allocator or the C library's streams, so the report
// and the prompt use neither, and leaving skips the exit handlers.
volatile sig_atomic_t in_signal;

// Writes the low byte of every unit plus a newline in one call.
void WriteLine(FILE* stream, const String& text) {
  char* bytes = text.ToCString<char>();
  int length = text.Length();
  bytes[length] = '\n';
  fwrite(bytes, 1, length + 1, stream);
  fflush(stream);
  free(bytes);
}

// Straight to the file descriptor: no heap, no stream lock.
void WriteRaw(int fd, const char* text) {
  size_t left = strlen(text);
  while (left) {
    ssize_t n = write(fd, text, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text += n;
    left -= static_cast<size_t>(n);
  }
}

[[noreturn]] void Leave(int code) {
  if (in_signal) _exit(code);
  exit(code);
}

// One line of standard input without its newline, read a byte at a time so
// that nothing past it is taken; false at the end of input or when the line
// does not fit.
bool ReadCommand(char* line, size_t size) {
  size_t used = 0;
  for (;;) {
    char c;
    ssize_t n = read(0, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    if (c == '\n') break;
    if (used + 2 > size) return false;
    line[used++] = c;
  }
  line[used] = 0;
  return true;
}

}  // namespace

void Print(const String& text) { WriteLine(stdout, text); }

void DebugLog(const String& text) { WriteLine(stdout, text); }

void Error(const String& text) {
  if (!text.Length()) exit(0);
  char* message = text.ToCString<char>();
  // What the program printed so far comes before the report.
  fflush(stdout);
  dbg_error(message);
}

String dbg_stacktrace() {
  if (!dbg_info || !*dbg_info) return String();
  return String(dbg_info) + String("\n");
}

void dbg_print(const String& text) { WriteLine(stderr, text); }

void dbg_error(const char* message) {
  for (;;) {
    WriteRaw(1, "Quibbo Runtime Error : ");
    WriteRaw(1, message);
    WriteRaw(1, "\n");
    // The stack trace, then the line that ends it.
    if (dbg_info && *dbg_info) {
      WriteRaw(1, dbg_info);
      WriteRaw(1, "\n");
    }
    WriteRaw(1, "\n");
    dbg_stop();
  }
}

void dbg_stop() {
  WriteRaw(2, "{{~~");
  WriteRaw(2, dbg_info ? dbg_info : "(null)");
  WriteRaw(2, "~~}}\n\n");
  for (;;) {
    char line[256];
    if (!ReadCommand(line, sizeof line)) Leave(-1);
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
        Leave(0);
      case 'r':
        dbg_suspend = 0;
        dbg_stepmode = 0;
        return;
      case 's':
        dbg_suspend = 1;
        dbg_stepmode = 's';
        return;
      default:
        WriteRaw(1, "????? ");
        WriteRaw(1, line);
        WriteRaw(1, " ?????");
        Leave(-1);
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
  in_signal = 1;
  const char* message = "Unknown signal";
  switch (signal_number) {
    case SIGILL: message = "Illegal instruction"; break;
    case SIGFPE: message = "Floating point exception"; break;
    case SIGSEGV: message = "Memory access violation"; break;
  }
  dbg_error(message);
}
