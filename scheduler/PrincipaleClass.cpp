#include <cstring>

#include "framework/runtime/Runtime.h"
#include "framework/runtime/Structures.h"
#include "scheduler/Principale.h"

namespace scheduler {
namespace {

constexpr const char* kPointType = "Principale.Principale.CGPoint";

Principale::CGPoint& PositionClicOf(fw::Object& window) {
  return static_cast<Principale&>(window).PositionClic;
}

// The accessors through which introspection reads and writes PositionClic.
const fw::StructureAccessors kPositionClicAccessors = {
    [](const fw::Object& window, void* out) {
      std::memcpy(out, &static_cast<const Principale&>(window).PositionClic,
                  sizeof(Principale::CGPoint));
    },
    [](fw::Object& window, const void* in) {
      std::memcpy(&PositionClicOf(window), in, sizeof(Principale::CGPoint));
    },
    [](const fw::Object& window) -> fw::Ref<fw::Object> {
      return fw::StructureToVariant(
          static_cast<const Principale&>(window).PositionClic.StringValue(true), kPointType);
    },
    [](fw::Object& window, const fw::Ref<fw::Object>& value) {
      fw::VariantStructureTypeCheck(value, kPointType);
      Principale::CGPoint point;
      point.StringValue(true, fw::VariantToString(value));
      kPositionClicAccessors.write(window, &point);
    },
};

}  // namespace

// The class record of the main window: its place among the classes, its table of operations and
// what it publishes to introspection.
const fw::ClassRecord* Principale::__Lookup() {
  static const fw::ClassRecord* record = [] {
    fw::ClassRecord* r = fw::RuntimeDefineClass("Principale.Principale", fw::Window::__Lookup(),
                                                &fw::RuntimeFactory<Principale>);
    r->attributes = {{"__Scope", "Public"}};
    const std::vector<fw::MemberRecord> operations = {
        fw::PublicMember("Layout", "()"),
        fw::PublicMember("CreateControls", "()"),
        fw::HiddenMember("_CreateControls0", "()"),
        fw::PublicMember("tDelai", "() as Timer"),
        fw::PublicMember("pbDelai", "() as ProgressBar"),
        fw::PublicMember("lDecompte", "() as Label"),
        fw::PublicMember("cDel", "() as Canvas"),
        fw::PublicMember("scCliqueGaucheDroit", "() as SegmentedControl"),
        fw::PublicMember("sPlusOuMoins", "() as Slider"),
        fw::PublicMember("lPlusOuMoins", "() as Label"),
        fw::PublicMember("udaSecondes", "() as UpDownArrows"),
        fw::PublicMember("sDiviseur", "() as Separator"),
        fw::PublicMember("rrCadreDelai", "() as RoundRectangle"),
        fw::PublicMember("lDelai", "() as Label"),
        fw::PublicMember("tDelai_Action", "( Timer )"),
        fw::PublicMember("cDel_MouseDown", "( Canvas, Int32, Int32 ) as Boolean"),
        fw::PublicMember("cDel_MouseEnter", "( Canvas )"),
        fw::PublicMember("cDel_MouseExit", "( Canvas )"),
        fw::PublicMember("sPlusOuMoins_ValueChanged", "( Slider )"),
        fw::PublicMember("udaSecondes_Down", "( UpDownArrows )"),
        fw::PublicMember("udaSecondes_Up", "( UpDownArrows )"),
        fw::PublicMember("Event_Close", "()"),
        fw::PublicMember("Event_Open", "()"),
        fw::PublicMember("BoutonSelectionne", "( SegmentedControl ) as Int32"),
        fw::PublicMember("ExecuterClicDroit", "( Principale.Principale.CGPoint )"),
        fw::PublicMember("ExecuterClicGauche", "( Principale.Principale.CGPoint )"),
        fw::PublicMember("PositionnerPointeur", "( Principale.Principale.CGPoint )"),
        fw::PublicMember("Cliquer", "()"),
        fw::PublicMember("AfficherDelai", "()"),
    };
    for (const fw::MemberRecord& op : operations) r->operations.push_back(op.name);
    r->members = operations;
    for (const char* constant :
         {"kDemarrerArreter", "kDecompte", "kDelaiExecution", "kModifierDelai"}) {
      r->members.push_back(fw::SharedMember(constant, "( String ) as String"));
    }
    r->members.push_back(fw::PublicMember("PositionClic", "t<Principale.Principale.CGPoint>"));
    r->members.back().accessors = &kPositionClicAccessors;
    r->members.push_back(fw::PublicMember("Actif", "Boolean"));
    r->members.push_back(fw::PublicMember("Secondes", "Int32"));
    r->members.push_back(fw::PublicMember("PlusMoins", "Int32"));
    r->members.push_back(fw::PublicMember("HauteurBarTitre", "Int32"));
    r->hookedEvents = {"Layout", "CreateControls", "Close", "Open"};
    return r;
  }();
  return record;
}

}  // namespace scheduler
