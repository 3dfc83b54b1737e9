#include <QApplication>
#include <algorithm>
#include <functional>
#include <thread>

#include "FrameworkTestSupport.h"

namespace {

using FrameworkWindowTest = RuntimeFixture;

TEST_F(FrameworkWindowTest, AnExceptionInOpenIsReportedAndTheWindowStillOpensAndCloses) {
  InitFramework();
  fw::Ref<TestWindow> window = fw::RuntimeNew<TestWindow>();
  window->failInOpen = true;
  window->Title("probe");
  window->Visible(true);
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(window->Constructor());
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              HasSubstr("NilObjectException in the Open event: nothing to open"));
  EXPECT_TRUE(window->IsOpen());
  EXPECT_EQ(fw::_GetImplicitWindow("TestWindow").get(), window.get());
  EXPECT_TRUE(std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* widget) {
    return widget->windowTitle() == "probe" && widget->isVisible();
  }));

  EXPECT_TRUE(window->_PeerCloseRequested());
  EXPECT_TRUE(window->_PeerCloseRequested());
  EXPECT_THAT(window->events, ElementsAre("Layout", "CreateControls", "Open", "Close"));
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(fw::_GetImplicitWindow("TestWindow"));
  EXPECT_FALSE(fw::RuntimeQuitRequested()) << "closing a window alone does not end the program";
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(FrameworkWindowTest, MembersUsedFromAnotherThreadRaiseThreadAccessingUI) {
  fw::Ref<TestWindow> window = fw::RuntimeNew<TestWindow>();
  const std::vector<std::function<void()>> uses = {
      [&] { (void)window->Left(); }, [&] { window->Title("from a worker"); },
      [&] { window->Constructor(); }, [] { fw::_GetImplicitWindow("TestWindow"); }};
  std::vector<std::string> raised;
  std::thread([&] {
    for (const auto& use : uses) {
      fw::Ref<fw::RuntimeException> e = RaisedBy(use);
      raised.push_back(e ? e->Class()->name : "nothing");
    }
  }).join();

  EXPECT_EQ(raised, std::vector<std::string>(4, "ThreadAccessingUIException"));
  EXPECT_EQ(window->Title(), "");
  EXPECT_TRUE(window->events.empty());
}

TEST_F(FrameworkWindowTest, SetPropertiesAppliesKnownNamesAndRefusesTheRest) {
  fw::Ref<TestWindow> window = fw::RuntimeNew<TestWindow>();
  fw::_SetProperties(window.get(),
                     {{"Width", int32_t{300}}, {"Title", std::string("set")}, {"Composite", true}});
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
