#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "scheduler/Principale.h"
#include "shell/App.h"
#include "shell/Startup.h"
#include "support/RuntimeFixture.h"

namespace {

std::vector<std::string>& Steps() {
  static std::vector<std::string> steps;
  return steps;
}

// Records every step; ends the event loop as soon as it is asked to run, so the run returns.
void RecordAndQuitAtRun(const std::string& step) {
  Steps().push_back(step);
  if (step == "_RuntimeRun") fw::Quit(0);
}

// The steps that the program's entry point takes, in its order; returns the exit code.
// beforeFinalizers looks at the program as _Main left it.
int RunProgram(const std::function<void()>& beforeFinalizers = {}) {
  fw::RuntimeInit();
  fw::RuntimePerformInitializers();
  _Main();
  if (beforeFinalizers) beforeFinalizers();
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}

// The program's start-up, step by step.
const std::vector<std::string> kStartupSteps = {"RuntimeInit",
                                                "RuntimePerformInitializers",
                                                "_RuntimeSetExceptionHelper",
                                                "_RuntimeInitExternalClasses",
                                                "_InitPluginEntrypoints",
                                                "RuntimeNewObject App",
                                                "_RuntimeRegisterAppObject",
                                                "_RunFrameworkInitialization",
                                                "Application.Open",
                                                "late phase",
                                                "RuntimeNewObject Principale.Principale",
                                                "_RuntimeRun",
                                                "RuntimePerformFinalizers",
                                                "RuntimeExit"};

class StartupTest : public RuntimeFixture {
 protected:
  // The runtime is started before anything looks up a class, so that the class records are
  // built in the program's order; the tests that run the whole program start it again.
  void SetUp() override {
    StartRuntime();
    Steps().clear();
    fw::RuntimeSetTraceHook(&RecordAndQuitAtRun);
  }

  // The trace without the objects and delegates made on the way.
  static std::vector<std::string> StartupSteps() {
    std::vector<std::string> steps;
    std::copy_if(Steps().begin(), Steps().end(), std::back_inserter(steps),
                 [](const std::string& step) {
                   return std::count(kStartupSteps.begin(), kStartupSteps.end(), step) > 0;
                 });
    return steps;
  }

  static bool Ran(const std::string& step) {
    return std::find(Steps().begin(), Steps().end(), step) != Steps().end();
  }
};

// An application object whose constructor fails.
class FailingApp : public shell::App {
 public:
  void Constructor() override { fw::RaiseRuntimeException("the application could not start"); }
};

// Makes a class record build another class for as long as it lives.
class FactoryOverride {
 public:
  FactoryOverride(const fw::ClassRecord* record, fw::Object* (*create)())
      : record_(const_cast<fw::ClassRecord*>(record)), saved_(record_->create) {
    record_->create = create;
  }
  ~FactoryOverride() { record_->create = saved_; }
  FactoryOverride(const FactoryOverride&) = delete;
  FactoryOverride& operator=(const FactoryOverride&) = delete;

 private:
  fw::ClassRecord* record_;
  fw::Object* (*saved_)();
};

TEST_F(StartupTest, RunsTheStartupInOrderWithOneAppAndOneWindow) {
  const fw::ClassRecord* app = shell::App::__Lookup();
  const fw::ClassRecord* window = scheduler::Principale::__Lookup();
  const long apps = app->created.load(), windows = window->created.load();
  const long liveApps = app->live.load(), liveWindows = window->live.load();

  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(StartupSteps(), kStartupSteps);
  EXPECT_EQ(app->created.load(), apps + 1);
  EXPECT_EQ(window->created.load(), windows + 1);
  EXPECT_EQ(app->live.load(), liveApps) << "the finalisers release the application object";
  EXPECT_EQ(window->live.load(), liveWindows) << "the finalisers release the window";
  EXPECT_EQ(fw::_RuntimeGetExceptionHelper(),
            reinterpret_cast<fw::Ptr>(&fw::_CallFunctionWithExceptionHandling));

  // The framework's classes are built first, then the program's in their registration order.
  const std::vector<std::string> order = fw::RuntimeClassBuildOrder();
  auto position = [&](const std::string& name) {
    return std::find(order.begin(), order.end(), name) - order.begin();
  };
  const auto appPosition = position("App");
  ASSERT_LT(appPosition, static_cast<long>(order.size()));
  EXPECT_LT(appPosition, position("Principale.Principale"));
  for (const char* framework :
       {"Object", "RuntimeException", "NilObjectException", "IllegalCastException",
        "ThreadAccessingUIException", "Delegate", "Application", "Random", "Window"}) {
    EXPECT_LT(position(framework), appPosition) << framework;
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
  EXPECT_EQ(App().get(), app.get());
}

TEST_F(StartupTest, AnExceptionInTheAppConstructorIsReportedAndEndsTheRunWithOne) {
  FactoryOverride failing(shell::App::__Lookup(), &fw::RuntimeFactory<FailingApp>);
  const fw::ClassRecord* window = scheduler::Principale::__Lookup();
  const long windows = window->created.load();
  const long apps = shell::App::__Lookup()->live.load();

  bool windowOpen = true;
  testing::internal::CaptureStderr();
  const int code = RunProgram(
      [&] { windowOpen = static_cast<bool>(fw::_GetImplicitWindow("Principale.Principale")); });
  const std::string reported = testing::internal::GetCapturedStderr();

  EXPECT_EQ(code, 1);
  EXPECT_EQ(reported, "brem: unhandled RuntimeException: the application could not start\n");
  EXPECT_EQ(window->created.load(), windows);
  EXPECT_FALSE(Ran("_RunFrameworkInitialization"));
  EXPECT_FALSE(Ran("_RuntimeRun"));
  EXPECT_FALSE(windowOpen);
  EXPECT_EQ(shell::App::__Lookup()->live.load(), apps) << "the failed object is released";
}

}  // namespace
