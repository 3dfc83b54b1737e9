#pragma once

#include "framework/runtime/Runtime.h"

// Defines the getter and the setter of a property that a framework class keeps in a field. Both
// check that they run on the main thread; the setter stores the value, then runs `after` (which
// shows the value on the widget, or is (void)0).
#define BREM_DEFINE_PROPERTY(Class, Type, Name, field, after) \
  Type Class::Name() const {                                  \
    RuntimeCheckMainThread(#Class "." #Name);                 \
    return field;                                             \
  }                                                           \
  void Class::Name(Type value) {                              \
    RuntimeCheckMainThread(#Class "." #Name);                 \
    field = value;                                            \
    after;                                                    \
  }
