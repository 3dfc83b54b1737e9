#include <algorithm>
#include <functional>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// The start-up's steps in order; the objects and delegates made on the way are left out.
const std::string kStartupSteps =
    "RuntimeInit, RuntimePerformInitializers, _RuntimeSetExceptionHelper, "
    "_RuntimeInitExternalClasses, _InitPluginEntrypoints, RuntimeNewObject App, "
    "_RuntimeRegisterAppObject, _RunFrameworkInitialization, Application.Open, late phase, "
    "RuntimeNewObject Principale.Principale, _RuntimeRun, RuntimePerformFinalizers, RuntimeExit";
std::string gSteps;

// Ends the event loop as soon as it is asked to run, so that the run returns.
void RecordAndQuitAtRun(const std::string& step) {
  if ((", " + kStartupSteps + ", ").find(", " + step + ", ") != std::string::npos) {
    gSteps += (gSteps.empty() ? "" : ", ") + step;
  }
  if (step == "_RuntimeRun") fw::Quit(0);
}

class FailingApp : public shell::App {
 public:
  void Constructor() override { fw::RaiseRuntimeException("the application could not start"); }
};

class StartupTest : public RuntimeFixture {
 protected:
  // The runtime starts before anything looks up a class, so that the class records are built in
  // the program's order.
  void SetUp() override {
    StartRuntime();
    gSteps.clear();
    fw::RuntimeSetTraceHook(&RecordAndQuitAtRun);
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
};

TEST_F(StartupTest, RunsTheStartupInOrderWithOneAppAndOneWindow) {
  const std::vector<long> created = Created<shell::App, Principale>();
  const std::vector<long> live = Live<shell::App, Principale>();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(gSteps, kStartupSteps);
  EXPECT_EQ((Created<shell::App, Principale>()),
            (std::vector<long>{created[0] + 1, created[1] + 1}));
  EXPECT_EQ((Live<shell::App, Principale>()), live) << "the finalisers release both";
  EXPECT_EQ(fw::_RuntimeGetExceptionHelper(),
            reinterpret_cast<fw::Ptr>(&fw::_CallFunctionWithExceptionHandling));

  // The framework's classes are built first, then the program's in their registration order.
  const std::vector<std::string> order = fw::RuntimeClassBuildOrder();
  auto position = [&](const std::string& name) {
    return std::find(order.begin(), order.end(), name) - order.begin();
  };
  ASSERT_LT(position("App"), static_cast<long>(order.size()));
  EXPECT_LT(position("App"), position("Principale.Principale"));
  for (const char* framework :
       {"Object", "RuntimeException", "NilObjectException", "IllegalCastException",
        "ThreadAccessingUIException", "Delegate", "Application", "Random", "Window"}) {
    EXPECT_LT(position(framework), position("App")) << framework;
  }
}

TEST_F(StartupTest, TheAppHasARandomizerFromItsOpenEventOn) {
  EXPECT_FALSE(App()) << "no application object before the start-up makes one";
  _EarlyStartup();
  fw::Ref<shell::App> app = App();
  ASSERT_TRUE(app);
  EXPECT_EQ(app.get(), fw::_GetAppObject().get());
  EXPECT_FALSE(app->Randomizer);
  InitFramework();
  EXPECT_TRUE(app->Randomizer);
}

TEST_F(StartupTest, AnExceptionInTheAppConstructorIsReportedAndEndsTheRunWithOne) {
  FactoryOverride failing(shell::App::__Lookup(), &fw::RuntimeFactory<FailingApp>);
  const long windows = Principale::__Lookup()->created.load();
  const long apps = shell::App::__Lookup()->live.load();

  bool windowOpen = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunProgram([&] { windowOpen = !!fw::_GetImplicitWindow("Principale.Principale"); }), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "brem: unhandled RuntimeException: the application could not start\n");
  EXPECT_EQ(Principale::__Lookup()->created.load(), windows);
  EXPECT_FALSE(windowOpen);
  EXPECT_EQ(gSteps.find("_RunFrameworkInitialization"), std::string::npos);
  EXPECT_EQ(gSteps.find("_RuntimeRun"), std::string::npos);
  EXPECT_EQ(shell::App::__Lookup()->live.load(), apps) << "the failed object is released";
}

}  // namespace
