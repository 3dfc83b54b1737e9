#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"

// Starts the runtime as the program's entry point does and gives it back finalised, so that the
// tests of one binary can also run one after another in a single process.
class RuntimeFixture : public ::testing::Test {
 protected:
  void SetUp() override { StartRuntime(); }
  void TearDown() override { StopRuntime(); }

  static void StartRuntime() {
    fw::RuntimeInit();
    fw::RuntimePerformInitializers();
  }

  // Safe to call again after a test ran the finalisers itself.
  static void StopRuntime() {
    fw::RuntimeSetTraceHook(nullptr);
    fw::RuntimePerformFinalizers();
  }

  // Fills the plugin table and creates the toolkit's application, which windows need; no late
  // phase.
  static void InitFramework() {
    fw::_InitPluginEntrypoints();
    fw::_RunFrameworkInitialization(nullptr);
  }
};

// The framework exception that fn raised, or nil when it returned.
template <class F>
fw::Ref<fw::RuntimeException> RaisedBy(F&& fn) {
  try {
    std::forward<F>(fn)();
  } catch (const fw::RaisedException& raised) {
    return raised.exception();
  }
  return nullptr;
}
