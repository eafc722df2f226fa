// Sanitizer builds only, linked into the game executable: its leak scan at
// exit stops every thread with ptrace, and with the software renderer's and
// the audio threads ending around it the scanner itself has crashed, failing
// a test for no fault of the game's. The test programs, which run the same
// game code in their own process, still scan for leaks.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
