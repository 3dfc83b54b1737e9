#pragma once

#include <string>

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Delegate.h"

namespace fw {

// The plugin classes (the arrows and the segmented control) are reached through one table of
// entry points filled by _InitPluginEntrypoints; they are part of this library, so nothing is
// loaded dynamically.
inline constexpr int kPluginEntrypointCount = 96;

// The entry point registered under a name, or a RuntimeException when the table was not filled
// yet or holds no such entry.
Ptr RuntimePluginEntrypoint(const std::string& name);
// The class record of a plugin class, through its entry point.
const ClassRecord* RuntimePluginClass(const std::string& name);

}  // namespace fw
