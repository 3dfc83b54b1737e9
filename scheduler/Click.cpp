#include "framework/app/SystemObject.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "platform/events/QuartzEvents.h"
#include "scheduler/Principale.h"

namespace scheduler {
namespace {

::CGPoint ToEventPoint(const Principale::CGPoint& p) {
  return ::CGPoint{p.x, p.y};
}

// One button press and release at a point, each event from a source of its own, both released
// once posted.
void PostClick(const Principale::CGPoint& p, CGEventType down, CGEventType up) {
  for (CGEventType type : {down, up}) {
    CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStatePrivate);
    CGEventRef event = CGEventCreateMouseEvent(source, type, ToEventPoint(p), kCGMouseButtonLeft);
    CGEventPost(kCGHIDEventTap, event);
    CFRelease(event);
    CFRelease(source);
  }
}

}  // namespace

void Principale::Cliquer() {
  CGPoint saved;
  saved.x = static_cast<float>(fw::Checked(fw::System()).MouseX());
  saved.y = static_cast<float>(fw::Checked(fw::System()).MouseY());
  if (BoutonSelectionne(scCliqueGaucheDroit().get()) == 0) {
    ExecuterClicGauche(PositionClic);
  } else {
    ExecuterClicDroit(PositionClic);
  }
  PositionnerPointeur(saved);
}

int32_t Principale::BoutonSelectionne(fw::SegmentedControl* sc) {
  for (int32_t i = 0;; ++i) {
    if (fw::Checked(fw::Checked(sc).Items()).UBound() < i) return 0;
    fw::Ref<fw::SegmentedControlItem> segment = fw::Checked(fw::Checked(sc).Items()).Item(i);
    if (fw::Checked(segment).Selected()) return i;
    fw::RuntimeBackgroundTask();
  }
}

void Principale::ExecuterClicGauche(CGPoint p) {
  PostClick(p, kCGEventLeftMouseDown, kCGEventLeftMouseUp);
}

void Principale::ExecuterClicDroit(CGPoint p) {
  PostClick(p, kCGEventRightMouseDown, kCGEventRightMouseUp);
}

void Principale::PositionnerPointeur(CGPoint p) {
  CGWarpMouseCursorPosition(ToEventPoint(p));
}

}  // namespace scheduler
