#pragma once

#include "framework/app/Application.h"
#include "framework/app/Random.h"
#include "framework/runtime/Ref.h"

namespace shell {

// The application object. It owns the generator that draws the random delays.
class App : public fw::Application {
 public:
  static const fw::ClassRecord* __Lookup();

  // Nil until the application's Open event; never replaced afterwards.
  fw::Ref<fw::Random> Randomizer;

  void Event_Open() override;
  void Constructor() override;
};

}  // namespace shell

// The application object, from the moment the start-up registered it.
fw::Ref<shell::App> App();
