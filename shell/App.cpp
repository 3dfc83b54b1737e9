#include "shell/App.h"

#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"

namespace shell {

const fw::ClassRecord* App::__Lookup() {
  static const fw::ClassRecord* record = [] {
    fw::ClassRecord* r =
        fw::RuntimeDefineClass("App", fw::Application::__Lookup(), &fw::RuntimeFactory<App>);
    r->operations.insert(r->operations.end(), {"Event_Open", "Constructor"});
    r->hookedEvents = {"Open"};
    r->members = {
        fw::PublicMember("Event_Open", "()"),
        fw::PublicMember("Constructor", "()"),
        fw::PublicMember("Randomizer", "Random"),
    };
    return r;
  }();
  return record;
}

void App::Event_Open() {
  Randomizer = fw::RuntimeNew<fw::Random>();
}

void App::Constructor() {}

}  // namespace shell

fw::Ref<shell::App> App() {
  return fw::RuntimeCast<shell::App>(fw::_GetAppObject());
}
