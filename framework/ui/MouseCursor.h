#pragma once

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// A pointer shape.
class MouseCursor : public Object {
 public:
  enum class Shape { Standard, FingerPointer };

  static const ClassRecord* __Lookup();
  static Ref<MouseCursor> Make(Shape shape);

  Shape shape = Shape::Standard;
};

// The system's cursors, as System().Cursors() hands them out.
class Cursors : public Object {
 public:
  static const ClassRecord* __Lookup();

  Ref<MouseCursor> FingerPointer() const;
  Ref<MouseCursor> StandardPointer() const;
};

}  // namespace fw
