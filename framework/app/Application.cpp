#include "framework/app/Application.h"

#include "framework/runtime/ClassRecord.h"

namespace fw {

const ClassRecord* Application::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Application", Object::__Lookup(), nullptr);
    r->operations = {"AddTrayItem",       "DoEvents",        "NewDocument",
                     "OpenDocument",      "RemoveTrayItem",  "SleepCurrentThread",
                     "YieldToNextThread", "_AddMenuHandler", "_AddPollableObject",
                     "_DependencyList",   "_DoSingleEvent",  "_RemovePollableObject"};
    return r;
  }();
  return record;
}

}  // namespace fw
