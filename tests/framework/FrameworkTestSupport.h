#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Control.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "support/RuntimeFixture.h"

using testing::ElementsAre;
using testing::HasSubstr;

// A window that notes its events; its Open can be made to fail halfway.
class TestWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "TestWindow", fw::Window::__Lookup(), &fw::RuntimeFactory<TestWindow>);
    return record;
  }

  bool failInOpen = false;
  std::vector<std::string> events;

  void Layout() override { events.push_back("Layout"); }
  void CreateControls() override { events.push_back("CreateControls"); }
  void Event_Open() override {
    events.push_back("Open");
    if (failInOpen) fw::RaiseNilObjectException("nothing to open");
    events.push_back("Open completed");
  }
  void Event_Close() override { events.push_back("Close"); }
};

inline QWidget* WidgetOf(fw::Control& control) {
  return control._Peer().widget;
}

inline const fw::Color kGrey{0x66, 0x66, 0x66};

// A shown 115x250 grey window, as the program's main window, to put controls on.
class ControlsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    window_ = fw::RuntimeNew<TestWindow>();
    fw::_SetProperties(window_.get(), {{"Width", int32_t{115}},
                                       {"Height", int32_t{250}},
                                       {"HasBackColor", true},
                                       {"BackColor", kGrey},
                                       {"Visible", true}});
    window_->Constructor();
  }
  void TearDown() override {
    window_ = nullptr;
    RuntimeFixture::TearDown();
  }

  // A control made by the window from its design list, then added (and so given its widget).
  template <class T>
  fw::Ref<T> Add(const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height,
                 fw::PropertyList more = {}) {
    fw::Ref<fw::Object> object = window_->__New(T::__Lookup());
    more.insert(more.begin(), {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}});
    fw::_SetProperties(object.get(), more);
    window_->_AddControl(object, name);
    return fw::RuntimeCast<T>(object);
  }

  fw::Ref<TestWindow> window_;
};
