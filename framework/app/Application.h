#pragma once

#include "framework/runtime/Object.h"

namespace fw {

// The application object. The program subclasses it; the framework delivers its Open event once,
// during _RunFrameworkInitialization.
class Application : public Object {
 public:
  static const ClassRecord* __Lookup();

  virtual void Constructor() {}
  // The Open event. The base class does nothing with it.
  virtual void Event_Open() {}
};

}  // namespace fw
