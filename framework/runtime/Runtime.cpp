#include "framework/runtime/Runtime.h"

#include <vector>

#include "framework/app/Application.h"
#include "framework/app/Random.h"
#include "framework/app/SystemObject.h"
#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/RuntimeState.h"
#include "framework/runtime/Startup.h"
#include "framework/runtime/Structures.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowRegistry.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Control.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "framework/ui/controls/SegmentedControlItemProxy.h"
#include "framework/ui/controls/Separator.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"

namespace fw {
namespace internal {

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

}  // namespace internal

namespace {

std::vector<ClassInitializer>& ProgramInitializers() {
  static std::vector<ClassInitializer> initializers;
  return initializers;
}

RuntimeTraceHook gTraceHook = nullptr;

}  // namespace

void RuntimeInit() {
  RuntimeTrace("RuntimeInit");
  internal::State() = internal::RuntimeState{};
  internal::State().mainThread = std::this_thread::get_id();
}

void RuntimeRegisterInitializers(std::initializer_list<ClassInitializer> initializers) {
  ProgramInitializers().assign(initializers.begin(), initializers.end());
}

void RuntimePerformInitializers() {
  RuntimeTrace("RuntimePerformInitializers");
  // The framework's own classes first, parents before children.
  const ClassInitializer framework[] = {
      &Object::__Lookup,
      &RuntimeException::__Lookup,
      &NilObjectException::__Lookup,
      &FailedCastException::__Lookup,
      &ThreadAccessingUIException::__Lookup,
      &ObjCException::__Lookup,
      &Delegate::__Lookup,
      &Variant::__Lookup,
      &Application::__Lookup,
      &Random::__Lookup,
      &SystemObject::__Lookup,
      &Picture::__Lookup,
      &FolderItem::__Lookup,
      &Window::__Lookup,
      &MouseCursor::__Lookup,
      &Cursors::__Lookup,
      &Control::__Lookup,
      &Timer::__Lookup,
      &ProgressBar::__Lookup,
      &Label::__Lookup,
      &Separator::__Lookup,
      &RoundRectangle::__Lookup,
      &Canvas::__Lookup,
      &Slider::__Lookup,
      &UpDownArrows::__Lookup,
      &SegmentedControlItem::__Lookup,
      &SegmentedControlItemProxy::__Lookup,
      &SegmentedControl::__Lookup,
  };
  for (ClassInitializer init : framework) init();
  for (ClassInitializer init : ProgramInitializers()) init();
}

void RuntimePerformFinalizers() {
  RuntimeTrace("RuntimePerformFinalizers");
  internal::ReleaseAllWindows();
  internal::ReleaseAppObject();
  internal::DestroyToolkit();
}

int32_t RuntimeExit() {
  RuntimeTrace("RuntimeExit");
  const internal::RuntimeState& state = internal::State();
  if (state.startupFailed && state.exitCode == 0) return 1;
  return state.exitCode;
}

Object* RuntimeAdoptNew(Object* object, const ClassRecord* cls) {
  object->class_ = cls;
  auto* record = const_cast<ClassRecord*>(cls);
  record->created.fetch_add(1, std::memory_order_relaxed);
  record->live.fetch_add(1, std::memory_order_relaxed);
  return object;
}

Ref<Object> RuntimeNewObject(const ClassRecord* cls) {
  if (!cls) RaiseNilObjectException("RuntimeNewObject was given no class");
  if (!cls->create) RaiseFailedCastException("class " + cls->name + " cannot be instantiated");
  RuntimeTrace("RuntimeNewObject " + cls->name);
  return Ref<Object>(RuntimeAdoptNew(cls->create(), cls));
}

Object* RuntimeCheckCast(Object* object, const ClassRecord* cls) {
  if (!object || object->IsA(cls)) return object;
  RaiseFailedCastException("an object of class " + object->Class()->name +
                           " is not an instance of " + cls->name);
}

bool RuntimeOnMainThread() {
  return std::this_thread::get_id() == internal::State().mainThread;
}

void RuntimeCheckMainThread(const char* member) {
  if (!RuntimeOnMainThread()) RaiseThreadAccessingUIException(member);
}

void Quit(int32_t code) {
  RuntimeTrace("Quit");
  internal::State().quitRequested = true;
  internal::State().exitCode = code;
  internal::ExitEventLoop(code);
}

bool RuntimeQuitRequested() {
  return internal::State().quitRequested;
}

void RuntimeSetTraceHook(RuntimeTraceHook hook) {
  gTraceHook = hook;
}

void RuntimeTrace(const std::string& step) {
  if (gTraceHook) gTraceHook(step);
}

}  // namespace fw
