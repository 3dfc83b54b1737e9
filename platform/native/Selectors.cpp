#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/native/NativeRuntime.h"

struct objc_selector {
  std::string name;
};

namespace {

struct SelectorTable {
  std::mutex mutex;
  // Keyed by a view of the selector's own name, which never moves because selectors are held by
  // pointer and never removed.
  std::unordered_map<std::string_view, std::unique_ptr<objc_selector>> selectors;
};

// Never destroyed: selectors are held in statics of other libraries that may still be used while
// this library's statics are torn down at exit.
SelectorTable& selector_table() {
  static SelectorTable* table = new SelectorTable;
  return *table;
}

}  // namespace

SEL sel_registerName(const char* name) {
  if (name == nullptr) {
    native_exception_raise(NativeInvalidArgumentException, "sel_registerName: null selector name");
  }
  SelectorTable& table = selector_table();
  std::lock_guard lock(table.mutex);
  auto found = table.selectors.find(name);
  if (found != table.selectors.end()) return found->second.get();
  auto selector = std::make_unique<objc_selector>(objc_selector{name});
  const std::string_view key = selector->name;
  return table.selectors.emplace(key, std::move(selector)).first->second.get();
}

const char* sel_getName(SEL sel) {
  return sel == nullptr ? "<null selector>" : sel->name.c_str();
}
