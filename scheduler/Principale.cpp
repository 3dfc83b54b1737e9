#include "scheduler/Principale.h"

#include "framework/runtime/Int32.h"
#include "framework/runtime/Runtime.h"
#include "shell/Pictures.h"
#include "target/Cible.h"

namespace scheduler {

const fw::PropertyList& Principale::DesignProperties() {
  static const fw::PropertyList list = {
      {"Placement", int32_t{2}},
      {"Width", int32_t{115}},
      {"Height", int32_t{250}},
      {"MinWidth", int32_t{115}},
      {"MinHeight", int32_t{250}},
      {"MaxWidth", int32_t{115}},
      {"MaxHeight", int32_t{250}},
      {"Frame", int32_t{7}},
      {"Composite", false},
      {"HasBackColor", true},
      {"BackColor", fw::Color{0x66, 0x66, 0x66}},
      {"Title", std::string("BREM")},
      {"Visible", true},
      {"FullScreen", false},
      {"MenuBarVisible", true},
      {"CloseButton", true},
      {"Resizeable", false},
      {"LiveResize", false},
      {"MaximizeButton", false},
      {"MinimizeButton", true},
      {"FullScreenButton", false},
      {"MacProcID", int32_t{0}},
  };
  return list;
}

void Principale::Layout() {
  fw::_SetProperties(this, DesignProperties());
}

void Principale::CreateControls() {
  _CreateControls0();
}

void Principale::Event_Close() {
  fw::Quit(0);
}

void Principale::Event_Open() {
  HauteurBarTitre = 17;
  Backdrop(iFond());
  // The first call creates and opens the target window; the later ones find it.
  fw::Checked(::Cible()).Show();
  fw::Checked(::Cible()).Left(Left());
  fw::Ref<target::Cible> cible = ::Cible();
  fw::Checked(cible);
  // Window managers draw title bars of their own heights: the target's goes just below the
  // main window's frame, as the window manager reports the two frames.
  const auto mainFrame = _FrameWidths();
  const auto targetFrame = cible->_FrameWidths();
  if (mainFrame && targetFrame) {
    HauteurBarTitre = fw::AddInt32(mainFrame->bottom, targetFrame->top);
  }
  const int32_t top = Top();
  const int32_t height = Height();
  cible->Top(fw::AddInt32(fw::AddInt32(top, height), HauteurBarTitre));
}

}  // namespace scheduler

fw::Ref<scheduler::Principale> Principale() {
  fw::Ref<fw::Window> window = fw::_GetImplicitWindow("Principale.Principale");
  if (!window) {
    window = fw::RuntimeCast<fw::Window>(fw::RuntimeNewObject(scheduler::Principale::__Lookup()));
    fw::Checked(window).Constructor();
  }
  return fw::RuntimeCast<scheduler::Principale>(window);
}
