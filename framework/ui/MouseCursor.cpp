#include "framework/ui/MouseCursor.h"

#include "framework/runtime/Runtime.h"

namespace fw {

const ClassRecord* MouseCursor::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("MouseCursor", Object::__Lookup(), &RuntimeFactory<MouseCursor>);
  return record;
}

Ref<MouseCursor> MouseCursor::Make(Shape shape) {
  Ref<MouseCursor> cursor = RuntimeNew<MouseCursor>();
  cursor->shape = shape;
  return cursor;
}

const ClassRecord* Cursors::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Cursors", Object::__Lookup(), &RuntimeFactory<Cursors>);
  return record;
}

Ref<MouseCursor> Cursors::FingerPointer() const {
  static Ref<MouseCursor> cursor = MouseCursor::Make(MouseCursor::Shape::FingerPointer);
  return cursor;
}

Ref<MouseCursor> Cursors::StandardPointer() const {
  static Ref<MouseCursor> cursor = MouseCursor::Make(MouseCursor::Shape::Standard);
  return cursor;
}

}  // namespace fw
