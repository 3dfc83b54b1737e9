#include <functional>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// Ends the event loop as soon as it is asked to run, so that the run returns.
void QuitAtRun(const std::string& step) {
  if (step == "_RuntimeRun") fw::Quit(0);
}

class FailingApp : public shell::App {
 public:
  void Constructor() override { fw::RaiseRuntimeException("the application could not start"); }
};

class StartupTest : public RuntimeFixture {
 protected:
  // The runtime starts before anything looks up a class, as in the program.
  void SetUp() override {
    StartRuntime();
    fw::RuntimeSetTraceHook(&QuitAtRun);
  }

  // The entry point's steps; `meanwhile` sees the program as _Main left it. Gives the exit code.
  static int RunProgram(const std::function<void()>& meanwhile = [] {}) {
    fw::RuntimeInit();
    fw::RuntimePerformInitializers();
    _Main();
    meanwhile();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
  }

  static long WindowsMade() { return Principale::__Lookup()->created.load(); }
};

TEST_F(StartupTest, RunsWithOneAppAndOneWindowAndEndsWithZero) {
  const long apps = shell::App::__Lookup()->created.load(), windows = WindowsMade();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(shell::App::__Lookup()->created.load(), apps + 1);
  EXPECT_EQ(WindowsMade(), windows + 1);
}

TEST_F(StartupTest, AnExceptionInTheAppConstructorIsReportedAndEndsTheRunWithOne) {
  FactoryOverride failing(shell::App::__Lookup(), &fw::RuntimeFactory<FailingApp>);
  const long windows = WindowsMade();
  bool windowOpen = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunProgram([&] { windowOpen = !!fw::_GetImplicitWindow("Principale.Principale"); }), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "brem: unhandled RuntimeException: the application could not start\n");
  EXPECT_FALSE(windowOpen);
  EXPECT_EQ(WindowsMade(), windows);
}

}  // namespace
