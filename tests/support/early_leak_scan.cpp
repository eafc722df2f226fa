// Sanitizer builds only, linked into every test program: the leak scan runs
// once the tests are done, while the software renderer's and the audio's
// threads still idle. At exit those threads end around the scan, which
// stops every thread with ptrace and has then crashed itself, failing a
// test for no fault of the code. The scan runs once; exit does not repeat it.
#include <gtest/gtest.h>
#include <sanitizer/lsan_interface.h>

namespace {

class LeakScanAfterTheTests : public ::testing::Environment {
 public:
  void TearDown() override { __lsan_do_leak_check(); }
};

::testing::Environment* const kLeakScan = ::testing::AddGlobalTestEnvironment(new LeakScanAfterTheTests);

}  // namespace
