#include "scheduler/_wrapper_tDelai.h"

#include "framework/runtime/Runtime.h"
#include "shell/Localized.h"

namespace scheduler {

const fw::ClassRecord* _wrapper_tDelai::__Lookup() {
  static const fw::ClassRecord* record = [] {
    fw::ClassRecord* r = fw::RuntimeDefineClass("Principale._wrapper_tDelai", fw::Timer::__Lookup(),
                                                &fw::RuntimeFactory<_wrapper_tDelai>);
    r->attributes = {{"__Scope", "Private"}};
    r->operations.insert(r->operations.end(),
                         {"_SetWindow", "Window", "_Index", "_SetIndex", "Constructor"});
    r->members = {
        fw::SharedMember("kDemarrerArreter", "( String ) as String"),
        fw::SharedMember("kDecompte", "( String ) as String"),
        fw::SharedMember("kDelaiExecution", "( String ) as String"),
        fw::SharedMember("kModifierDelai", "( String ) as String"),
        fw::HiddenMember("_SetWindow", "( Window )"),
        fw::PublicMember("Window", "() as Window"),
        fw::HiddenMember("_Index", "() as Int32"),
        fw::HiddenMember("_SetIndex", "( Int32 )"),
        fw::PublicMember("Constructor", "()"),
        fw::PublicMember("Index", "Int32"),
        fw::PrivateMember("ownerWindow", "Window"),
    };
    return r;
  }();
  return record;
}

void _wrapper_tDelai::_SetWindow(fw::Ref<fw::Window> w) {
  ownerWindow = std::move(w);
}

fw::Ref<fw::Window> _wrapper_tDelai::Window() {
  return ownerWindow;
}

int32_t _wrapper_tDelai::_Index() {
  return Index;
}

void _wrapper_tDelai::_SetIndex(int32_t i) {
  Index = i;
}

void _wrapper_tDelai::Constructor() {}

std::string _wrapper_tDelai::kDemarrerArreter(const std::string& language) {
  return LocalizedConstant("Principale.tDelai.kDemarrerArreter", "Start or stop execution",
                           language);
}

std::string _wrapper_tDelai::kDecompte(const std::string& language) {
  return LocalizedConstant("Principale.tDelai.kDecompte", "Countdown before execution", language);
}

std::string _wrapper_tDelai::kDelaiExecution(const std::string& language) {
  return LocalizedConstant("Principale.tDelai.kDelaiExecution", "Delay in seconds before execution",
                           language);
}

std::string _wrapper_tDelai::kModifierDelai(const std::string& language) {
  return LocalizedConstant("Principale.tDelai.kModifierDelai", "Modify the delay by a variation",
                           language);
}

}  // namespace scheduler
