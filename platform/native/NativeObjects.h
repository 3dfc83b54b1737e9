#pragma once

#include "platform/native/NativeRuntime.h"

// What a message send needs from the object table, copied out under its lock so the method can
// run without holding it.
struct NativeMethodLookup {
  bool live;                 // the receiver is a live native object
  NativeFloatMethod method;  // null when the object does not answer the selector
  void* context;
};

NativeMethodLookup native_object_lookup(id object, SEL sel);
