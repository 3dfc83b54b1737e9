#include "framework/runtime/PluginTable.h"

#include <array>
#include <utility>

#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "platform/native/NativeRuntime.h"

namespace fw {
namespace {

struct Entry {
  const char* name = nullptr;
  Ptr address = nullptr;
};

std::array<Entry, kPluginEntrypointCount> gTable;
bool gReady = false;

// The plugin entry points this library provides, in table order.
std::array<Entry, kPluginEntrypointCount> PluginEntries() { return {}; }

}  // namespace

void _InitPluginEntrypoints() {
  RuntimeTrace("_InitPluginEntrypoints");
  gTable = PluginEntries();
  gReady = true;
}

void _RuntimeInitExternalClasses() {
  RuntimeTrace("_RuntimeInitExternalClasses");
  // The one external class is the native window, which answers this selector.
  sel_registerName("setAlphaValue:");
}

bool RuntimePluginTableReady() { return gReady; }

Ptr RuntimePluginEntrypoint(const std::string& name) {
  if (!gReady) RaiseRuntimeException("the plugin table is used before _InitPluginEntrypoints");
  for (const Entry& entry : gTable) {
    if (entry.name && name == entry.name) return entry.address;
  }
  RaiseRuntimeException("no plugin entry point named " + name);
}

}  // namespace fw
