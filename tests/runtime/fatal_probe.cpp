// Runs one fatal path of the runtime, chosen by its argument, so that the
// tests can watch the real process: its output streams and exit code.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/game.h"
#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/startup.h"

namespace {

class Probe : public Object {
 public:
  String debug() override { return String("+Probe"); }
};

class ThrowingDelegate : public VxGameDelegate {
 public:
  void StartGame() override { throw new ThrowableObject(); }
};

// Under the sanitizer the address space cannot be capped (its shadow
// memory alone is terabytes of it); its allocator refuses large blocks
// instead, see below.
void LimitAddressSpace() {
#ifndef VX_SANITIZE
  struct rlimit limit = {512L << 20, 512L << 20};
  setrlimit(RLIMIT_AS, &limit);
#endif
}

// Runs out of stack; the volatile buffer keeps every frame real.
int Recurse(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  if (depth == 0) return 0;  // never: keeps the compiler from calling it endless
  return Recurse(depth + 1) + frame[0];
}

}  // namespace

#ifdef VX_SANITIZE
// Blocks past 512 MiB are refused with a null, as a capped address space
// would refuse them, instead of being reported.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=512";
}
#else
// The allocator as this probe sees it: the C library's, behind a lock that a
// crash inside it never lets go of, so that a fatal path that allocates hangs
// (and is ended by the alarm) as it would inside the real one.
extern "C" void* __libc_malloc(size_t size);
extern "C" void __libc_free(void* block);

namespace {
volatile sig_atomic_t crash_in_next_allocation;
volatile sig_atomic_t lock_held;

void WaitForTheLock() {
  for (;;) pause();
}
}  // namespace

extern "C" void* malloc(size_t size) {
  if (lock_held) WaitForTheLock();
  if (crash_in_next_allocation) {
    crash_in_next_allocation = 0;
    lock_held = 1;
    raise(SIGSEGV);
  }
  return __libc_malloc(size);
}

extern "C" void free(void* block) {
  if (lock_held) WaitForTheLock();
  __libc_free(block);
}

static void CrashInsideTheAllocator() {
  alarm(10);
  crash_in_next_allocation = 1;
  // Kept from the optimiser, which may drop an unused block.
  void* volatile block = malloc(16);
  free(block);
}
#endif

int main(int argc, const char** argv) {
  vx_std_main(argc, argv);
  const char* scenario = argc > 1 ? argv[1] : "";
  if (!strcmp(scenario, "error")) Error(String("Image frame outside surface"));
  if (!strcmp(scenario, "quit")) Error(String());
  if (!strcmp(scenario, "print")) {
    const String::Char units[] = {0x141, 'B', 0xFF};
    Print(String(units, 3));
    DebugLog(String("log"));
    return 0;
  }
  if (!strcmp(scenario, "object")) {
    Probe* probe = new Probe();
    printf("%p\n", static_cast<void*>(probe));
    fflush(stdout);
    Error(String("inspect"));
  }
  if (!strcmp(scenario, "segv")) raise(SIGSEGV);
  if (!strcmp(scenario, "fpe")) raise(SIGFPE);
  if (!strcmp(scenario, "ill")) raise(SIGILL);
  if (!strcmp(scenario, "stack")) Recurse(1);
#ifndef VX_SANITIZE
  if (!strcmp(scenario, "segv-in-malloc")) CrashInsideTheAllocator();
#endif
  if (!strcmp(scenario, "die")) VxGame().Die(nullptr);
  if (!strcmp(scenario, "throw")) {
    VxGame game;
    game.SetDelegate(new ThrowingDelegate());
    game.StartGame();
    puts("not reached");
    return 0;
  }
  if (!strcmp(scenario, "oom-array")) {
    LimitAddressSpace();
    Array<int> huge(256 << 20);
    return huge.Length();
  }
  if (!strcmp(scenario, "oom-array-size")) {
    // More bytes than the allocator's size can count.
    Array<int> huge(1 << 30);
    huge[(1 << 30) - 1] = 1;
    return huge.Length();
  }
  if (!strcmp(scenario, "oom-string-replace")) {
    // 65536 units, each replaced by 65537: a length that wraps a 32-bit int
    // round to a mere 65536.
    static unsigned char bytes[65537];
    memset(bytes, 'a', sizeof bytes);
    String source(bytes, 65536);
    String replacement(bytes, 65537);
    return source.Replace(String("a"), replacement).Length();
  }
  if (!strcmp(scenario, "oom-utf8")) {
    // 65536 units, each replaced by 21846 three-byte units: three bytes a
    // unit wrap a 32-bit int round to a mere 131072.
    static String::Char wide[21846];
    for (String::Char& unit : wide) unit = 0x4E00;
    String source(std::string(65536, 'a').c_str());
    String text = source.Replace(String("a"), String(wide, 21846));
    int size = 0;
    unsigned char* bytes = text.ToUtf8(&size);
    return bytes[size - 1];
  }
  if (!strcmp(scenario, "oom-load") && argc > 2) {
    // A file too big for an int to count, read whole.
    FILE* file = fopen(argv[2], "rb");
    return file ? String::Load(file).Length() : 4;
  }
  if (!strcmp(scenario, "oom-string")) {
    LimitAddressSpace();
    static const unsigned char byte = 'x';
    // The representation is allocated before any byte is read.
    String huge(&byte, 1 << 30);
    return huge.Length();
  }
  return 3;
}
