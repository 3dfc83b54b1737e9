#include "scheduler/ControlDesigns.h"

#include <cstdint>
#include <limits>
#include <string>

namespace scheduler::designs {
namespace {

constexpr int32_t kNoIndex = std::numeric_limits<int32_t>::min();
const std::string kEmpty;

fw::Value Int(int32_t value) {
  return value;
}
fw::Value Text(const char* value) {
  return std::string(value);
}

}  // namespace

const fw::PropertyList& tDelai() {
  static const fw::PropertyList list = {{"Mode", Int(0)}, {"Period", Int(1000)}};
  return list;
}

const fw::PropertyList& pbDelai() {
  static const fw::PropertyList list = {
      {"Name", Text("pbDelai")}, {"Index", Int(kNoIndex)},  {"Left", Int(10)},
      {"Top", Int(85)},          {"Width", Int(95)},        {"Height", Int(20)},
      {"LockLeft", true},        {"LockTop", true},         {"LockRight", false},
      {"LockBottom", false},     {"TabPanelIndex", Int(0)}, {"Visible", true},
      {"AutoDeactivate", true},  {"Enabled", true},         {"Value", Int(60)},
      {"Maximum", Int(60)},      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& lDecompte() {
  static const fw::PropertyList list = {
      {"Name", Text("lDecompte")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(10)},
      {"Top", Int(66)},
      {"Width", Int(95)},
      {"Height", Int(16)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"TabIndex", Int(0)},
      {"Text", Text("60")},
      {"TextAlign", Int(1)},
      {"TextColor", fw::Color{0x66, 0xFF, 0x66}},
      {"Multiline", false},
      {"Enabled", true},
      {"Visible", true},
      {"Selectable", false},
      {"Transparent", true},
      {"HelpTag", kEmpty},
      {"AutoDeactivate", true},
      {"TextFont", Text("System")},
      {"Bold", true},
      {"Italic", false},
      {"Underline", false},
      {"DataSource", kEmpty},
      {"DataField", kEmpty},
      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& cDel() {
  static const fw::PropertyList list = {
      {"Name", Text("cDel")}, {"Index", Int(kNoIndex)},  {"Left", Int(33)},
      {"Top", Int(10)},       {"Width", Int(48)},        {"Height", Int(48)},
      {"LockLeft", true},     {"LockTop", true},         {"LockRight", false},
      {"LockBottom", false},  {"TabPanelIndex", Int(0)}, {"TabIndex", Int(2)},
      {"TabStop", false},     {"Visible", true},         {"AutoDeactivate", true},
      {"Enabled", true},      {"UseFocusRing", true},    {"AcceptFocus", false},
      {"AcceptTabs", false},  {"DoubleBuffer", false},   {"EraseBackground", true},
      {"Transparent", true},  {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& scCliqueGaucheDroit() {
  static const fw::PropertyList list = {
      {"Name", Text("scCliqueGaucheDroit")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(10)},
      {"Top", Int(128)},
      {"Width", Int(90)},
      {"Height", Int(24)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"Visible", true},
      {"Enabled", true},
      {"MacControlStyle", Int(2)},
      {"SelectionType", Int(0)},
      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& sPlusOuMoins() {
  static const fw::PropertyList list = {
      {"Name", Text("sPlusOuMoins")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(10)},
      {"Top", Int(220)},
      {"Width", Int(95)},
      {"Height", Int(22)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"TabIndex", Int(5)},
      {"TabStop", true},
      {"Enabled", true},
      {"Visible", true},
      {"AutoDeactivate", true},
      {"Minimum", Int(0)},
      {"Value", Int(0)},
      {"Maximum", Int(20)},
      {"LineStep", Int(1)},
      {"PageStep", Int(5)},
      {"LiveScroll", true},
      {"TickStyle", Int(2)},
      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& lPlusOuMoins() {
  static const fw::PropertyList list = {
      {"Name", Text("lPlusOuMoins")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(0)},
      {"Top", Int(199)},
      {"Width", Int(115)},
      {"Height", Int(16)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"TabIndex", Int(4)},
      {"Text", Text("\u00B1 0")},
      {"TextAlign", Int(1)},
      {"TextColor", fw::Color{0x19, 0x19, 0x19}},
      {"Multiline", false},
      {"Enabled", true},
      {"Visible", true},
      {"Selectable", false},
      {"Transparent", true},
      {"HelpTag", kEmpty},
      {"AutoDeactivate", true},
      {"TextFont", Text("System")},
      {"Bold", true},
      {"Italic", false},
      {"Underline", false},
      {"DataSource", kEmpty},
      {"DataField", kEmpty},
      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& udaSecondes() {
  static const fw::PropertyList list = {
      {"Name", Text("udaSecondes")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(90)},
      {"Top", Int(168)},
      {"Width", Int(15)},
      {"Height", Int(23)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"TabIndex", Int(3)},
      {"TabStop", true},
      {"InitialParent", kEmpty},
      {"Visible", true},
      {"HelpTag", kEmpty},
      {"AutoDeactivate", true},
      {"Enabled", true},
      {"AcceptFocus", false},
  };
  return list;
}

const fw::PropertyList& sDiviseur() {
  static const fw::PropertyList list = {
      {"Name", Text("sDiviseur")}, {"Index", Int(kNoIndex)},  {"Left", Int(10)},
      {"Top", Int(115)},           {"Width", Int(95)},        {"Height", Int(4)},
      {"LockLeft", true},          {"LockTop", true},         {"LockRight", false},
      {"LockBottom", false},       {"TabPanelIndex", Int(0)}, {"TabIndex", Int(1)},
      {"TabStop", true},           {"InitialParent", kEmpty}, {"Visible", true},
      {"HelpTag", kEmpty},         {"AutoDeactivate", true},  {"Enabled", true},
  };
  return list;
}

const fw::PropertyList& rrCadreDelai() {
  static const fw::PropertyList list = {
      {"Name", Text("rrCadreDelai")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(10)},
      {"Top", Int(168)},
      {"Width", Int(80)},
      {"Height", Int(24)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabIndex", Int(2)},
      {"TabPanelIndex", Int(0)},
      {"Visible", true},
      {"HelpTag", kEmpty},
      {"AutoDeactivate", true},
      {"Enabled", true},
      {"FillColor", fw::Color{0x80, 0x80, 0x80}},
      {"BorderWidth", Int(1)},
      {"BorderColor", fw::Color{0xE6, 0xE6, 0xE6}},
      {"OvalWidth", Int(10)},
      {"OvalHeight", Int(10)},
      {"InitialParent", kEmpty},
  };
  return list;
}

const fw::PropertyList& lDelai() {
  static const fw::PropertyList list = {
      {"Name", Text("lDelai")},
      {"Index", Int(kNoIndex)},
      {"Left", Int(11)},
      {"Top", Int(169)},
      {"Width", Int(78)},
      {"Height", Int(20)},
      {"LockLeft", true},
      {"LockTop", true},
      {"LockRight", false},
      {"LockBottom", false},
      {"TabPanelIndex", Int(0)},
      {"TabIndex", Int(0)},
      {"Text", Text("060")},
      {"TextAlign", Int(1)},
      {"TextColor", fw::Color{0x19, 0x19, 0x19}},
      {"Multiline", false},
      {"Enabled", true},
      {"Visible", true},
      {"Selectable", false},
      {"Transparent", true},
      {"AutoDeactivate", true},
      {"TextFont", Text("System")},
      {"Bold", true},
      {"Italic", false},
      {"Underline", false},
      {"DataSource", kEmpty},
      {"DataField", kEmpty},
      {"InitialParent", Text("rrCadreDelai")},
  };
  return list;
}

}  // namespace scheduler::designs
