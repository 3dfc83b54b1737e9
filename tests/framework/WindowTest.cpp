#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <string>
#include <thread>
#include <vector>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "support/RuntimeFixture.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

// A window that notes its events; its Open can be made to fail halfway.
class ProbeWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "ProbeWindow", fw::Window::__Lookup(), &fw::RuntimeFactory<ProbeWindow>);
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

QWidget* TopLevelTitled(const QString& title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == title) return widget;
  }
  return nullptr;
}

using FrameworkWindowTest = RuntimeFixture;

TEST_F(FrameworkWindowTest, AnExceptionInOpenIsReportedAndTheWindowStillOpensAndShows) {
  InitFramework();
  fw::Ref<ProbeWindow> window = fw::RuntimeNew<ProbeWindow>();
  window->failInOpen = true;
  window->Title("probe");
  window->Visible(true);

  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(window->Constructor());
  const std::string reported = testing::internal::GetCapturedStderr();

  EXPECT_THAT(reported, HasSubstr("NilObjectException in the Open event: nothing to open"));
  EXPECT_THAT(window->events, ElementsAre("Layout", "CreateControls", "Open"));
  EXPECT_TRUE(window->IsOpen());
  EXPECT_EQ(fw::_GetImplicitWindow("ProbeWindow").get(), window.get());
  QWidget* peer = TopLevelTitled("probe");
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->isVisible());
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(FrameworkWindowTest, ClosingRaisesCloseOnceAndForgetsTheWindow) {
  InitFramework();
  fw::Ref<ProbeWindow> window = fw::RuntimeNew<ProbeWindow>();
  window->Constructor();
  ASSERT_TRUE(fw::_GetImplicitWindow("ProbeWindow"));

  EXPECT_TRUE(window->_PeerCloseRequested());
  EXPECT_TRUE(window->_PeerCloseRequested());
  EXPECT_THAT(window->events,
              ElementsAre("Layout", "CreateControls", "Open", "Open completed", "Close"));
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(fw::_GetImplicitWindow("ProbeWindow"));
  EXPECT_FALSE(fw::RuntimeQuitRequested()) << "closing a window alone does not end the program";
}

TEST_F(FrameworkWindowTest, MembersUsedFromAnotherThreadRaiseThreadAccessingUI) {
  fw::Ref<ProbeWindow> window = fw::RuntimeNew<ProbeWindow>();
  std::vector<std::string> raised;
  std::thread worker([&] {
    auto attempt = [&](auto use) {
      try {
        use();
        raised.push_back("nothing");
      } catch (const fw::RaisedException& e) {
        raised.push_back(e.exception()->Class()->name);
      } catch (...) {
        raised.push_back("a foreign exception");
      }
    };
    attempt([&] { (void)window->Left(); });
    attempt([&] { window->Title("from a worker"); });
    attempt([&] { window->Constructor(); });
    attempt([] { fw::_GetImplicitWindow("ProbeWindow"); });
  });
  worker.join();

  EXPECT_THAT(raised, testing::Each(std::string("ThreadAccessingUIException")));
  EXPECT_EQ(raised.size(), 4u);
  EXPECT_EQ(window->Title(), "");
  EXPECT_TRUE(window->events.empty());
  EXPECT_NO_THROW((void)window->Left());
}

TEST_F(FrameworkWindowTest, SetPropertiesAppliesKnownNamesAndRefusesTheRest) {
  fw::Ref<ProbeWindow> window = fw::RuntimeNew<ProbeWindow>();
  fw::_SetProperties(window.get(), {{"Width", int32_t{300}},
                                    {"Title", std::string("set")},
                                    {"Composite", true},
                                    {"MacProcID", int32_t{0}}});
  EXPECT_EQ(window->Width(), 300);
  EXPECT_EQ(window->Title(), "set");
  ASSERT_NE(window->StoredProperty("Composite"), nullptr);
  EXPECT_EQ(*window->StoredProperty("Composite"), fw::Value(true));
  EXPECT_EQ(window->StoredProperty("Width"), nullptr) << "real properties are not store-only";

  auto unknown = RaisedBy([&] { fw::_SetProperties(window.get(), {{"Opacity", 0.5}}); });
  ASSERT_TRUE(unknown);
  EXPECT_THAT(unknown->Message, HasSubstr("Opacity"));

  auto wrongKind = RaisedBy([&] {
    fw::_SetProperties(window.get(), {{"Width", std::string("wide")}});
  });
  ASSERT_TRUE(wrongKind);
  EXPECT_THAT(wrongKind->Message, HasSubstr("Width"));
  EXPECT_EQ(window->Width(), 300);

  auto nil = RaisedBy([] { fw::_SetProperties(nullptr, {}); });
  ASSERT_TRUE(nil);
  EXPECT_TRUE(nil->IsA(fw::NilObjectException::__Lookup()));
}

}  // namespace
