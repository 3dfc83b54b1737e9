#include "target/Cible.h"

#include "framework/runtime/Int32.h"
#include "framework/runtime/Runtime.h"
#include "framework/text/Text.h"
#include "scheduler/Principale.h"
#include "shell/Localized.h"
#include "shell/Opacity.h"
#include "shell/Pictures.h"

namespace target {
namespace {

// The middle pixel of the 115-pixel square: 57 pixels lie on either side of it.
constexpr int32_t kCentre = 57;

}  // namespace

const fw::PropertyList& Cible::DesignProperties() {
  static const fw::PropertyList list = {
      {"Placement", int32_t{3}},
      {"Width", int32_t{115}},
      {"Height", int32_t{115}},
      {"MinWidth", int32_t{115}},
      {"MinHeight", int32_t{115}},
      {"MaxWidth", int32_t{115}},
      {"MaxHeight", int32_t{115}},
      {"Frame", int32_t{7}},
      {"Composite", false},
      {"HasBackColor", false},
      {"BackColor", fw::Color{255, 255, 255}},
      {"Visible", true},
      {"FullScreen", false},
      {"MenuBarVisible", true},
      {"CloseButton", false},
      {"Resizeable", false},
      {"LiveResize", true},
      {"MaximizeButton", false},
      {"MinimizeButton", false},
      {"FullScreenButton", false},
      {"MacProcID", int32_t{0}},
  };
  return list;
}

std::string Cible::kCible(const std::string& language) {
  return LocalizedConstant("Cible.kCible", "Target", language);
}

void Cible::Layout() {
  Backdrop(iCible());
  Title(kCible(""));
  fw::_SetProperties(this, DesignProperties());
}

void Cible::CreateControls() {}

void Cible::Event_Open() {
  Title(fw::Uppercase(Title()));
  WindowExtensions::Opacity(fw::Ref<fw::Window>(this), 0.5f);
}

void Cible::Event_Moved() {
  fw::Ref<scheduler::Principale> main = ::Principale();
  fw::Checked(main);
  main->PositionClic.x = static_cast<float>(static_cast<double>(fw::AddInt32(Left(), kCentre)));
  main->PositionClic.y = static_cast<float>(static_cast<double>(fw::AddInt32(Top(), kCentre)));
}

const fw::ClassRecord* Cible::__Lookup() {
  static const fw::ClassRecord* record = [] {
    fw::ClassRecord* r =
        fw::RuntimeDefineClass("Cible.Cible", fw::Window::__Lookup(), &fw::RuntimeFactory<Cible>);
    r->attributes = {{"__Scope", "Public"}};
    r->members = {
        fw::PublicMember("Layout", "()"),
        fw::PublicMember("CreateControls", "()"),
        fw::PublicMember("Event_Moved", "()"),
        fw::PublicMember("Event_Open", "()"),
        fw::SharedMember("kCible", "( String ) as String"),
    };
    for (const char* op : {"Layout", "CreateControls", "Event_Moved", "Event_Open"}) {
      r->operations.push_back(op);
    }
    r->hookedEvents = {"Layout", "CreateControls", "Moved", "Open"};
    return r;
  }();
  return record;
}

}  // namespace target

fw::Ref<target::Cible> Cible() {
  fw::Ref<fw::Window> window = fw::_GetImplicitWindow("Cible.Cible");
  if (!window) {
    window = fw::RuntimeCast<fw::Window>(fw::RuntimeNewObject(target::Cible::__Lookup()));
    fw::Checked(window).Constructor();
  }
  return fw::RuntimeCast<target::Cible>(window);
}
