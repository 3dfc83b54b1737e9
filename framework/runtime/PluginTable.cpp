#include "framework/runtime/PluginTable.h"

#include <array>
#include <utility>

#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "framework/ui/controls/SegmentedControlItemProxy.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "platform/native/NativeRuntime.h"

namespace fw {
namespace {

struct Entry {
  const char* name = nullptr;
  Ptr address = nullptr;
};

std::array<Entry, kPluginEntrypointCount> gTable;
bool gReady = false;

template <const ClassRecord* (*Lookup)()>
Ptr ClassEntry() {
  return reinterpret_cast<Ptr>(Lookup);
}

// The plugin entry points this library provides, in table order; the rest of the table is empty.
std::array<Entry, kPluginEntrypointCount> PluginEntries() {
  return {{
      {"UpDownArrows", ClassEntry<&UpDownArrows::__Lookup>()},
      {"SegmentedControl", ClassEntry<&SegmentedControl::__Lookup>()},
      {"SegmentedControlItem", ClassEntry<&SegmentedControlItem::__Lookup>()},
      {"_SegmentedControlItemProxy", ClassEntry<&SegmentedControlItemProxy::__Lookup>()},
  }};
}

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

const ClassRecord* RuntimePluginClass(const std::string& name) {
  return FunctionFromPtr<const ClassRecord*()>(RuntimePluginEntrypoint(name))();
}

Ptr RuntimePluginEntrypoint(const std::string& name) {
  if (!gReady) RaiseRuntimeException("the plugin table is used before _InitPluginEntrypoints");
  for (const Entry& entry : gTable) {
    if (entry.name && name == entry.name) return entry.address;
  }
  RaiseRuntimeException("no plugin entry point named " + name);
}

}  // namespace fw
