#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <ostream>
#include <string>
#include <utility>

#include "framework/app/SystemObject.h"
#include "platform/native/NativeRuntime.h"
#include "scheduler/Principale.h"
#include "support/RuntimeFixture.h"
#include "target/Cible.h"

namespace {

using testing::HasSubstr;
using testing::UnorderedElementsAre;

QWidget* TopLevelTitled(const QString& title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == title) return widget;
  }
  return nullptr;
}

// The click point as integers; the target hands over whole pixels.
std::pair<int, int> ClickPoint() {
  const scheduler::Principale::CGPoint point = Principale()->PositionClic;
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

// Makes a class record build another class for as long as it lives.
class FactoryOverride {
 public:
  FactoryOverride(const fw::ClassRecord* record, fw::Object* (*create)())
      : record_(const_cast<fw::ClassRecord*>(record)), saved_(record_->create) {
    record_->create = create;
  }
  ~FactoryOverride() { record_->create = saved_; }
  FactoryOverride(const FactoryOverride&) = delete;
  FactoryOverride& operator=(const FactoryOverride&) = delete;

 private:
  fw::ClassRecord* record_;
  fw::Object* (*saved_)();
};

// A target whose native window refuses to change its transparency.
class RefusingCible : public target::Cible {
 public:
  void Layout() override {
    target::Cible::Layout();
    native_object_add_method(Handle(), sel_registerName("setAlphaValue:"), [](void*, float) {
      native_exception_raise("NativeInternalInconsistencyException", "no alpha for this window");
    });
  }
};

class CibleTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    fw::ClearLocalizedStrings();
  }
  void TearDown() override {
    RuntimeFixture::TearDown();
    fw::ClearLocalizedStrings();
  }
};

TEST_F(CibleTest, EveryCallFindsTheOneTargetThatTheMainWindowOpened) {
  InitFramework();
  const fw::ClassRecord* record = target::Cible::__Lookup();
  const long created = record->created.load();

  Principale();
  fw::Ref<target::Cible> first = Cible();
  fw::Ref<target::Cible> second = Cible();

  ASSERT_TRUE(first);
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(record->created.load(), created + 1);
  int shown = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    shown += widget->windowTitle() == "TARGET" && widget->isVisible();
  }
  EXPECT_EQ(shown, 1) << "the target was built and opened once";
}

TEST_F(CibleTest, TheClickPointIsTheCentreOfTheTargetWhereverItIsMoved) {
  InitFramework();
  fw::Ref<scheduler::Principale> unopened = fw::RuntimeNew<scheduler::Principale>();
  EXPECT_EQ(unopened->PositionClic.x, 0.0f) << "no click point before a target is placed";
  EXPECT_EQ(unopened->PositionClic.y, 0.0f);

  fw::Ref<scheduler::Principale> main = Principale();
  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(ClickPoint(), std::make_pair(cible->Left() + 57, cible->Top() + 57))
      << "placing the target at open already sets the click point";

  QWidget* peer = TopLevelTitled("TARGET");
  ASSERT_NE(peer, nullptr);
  for (const auto& [left, top] : {std::pair{300, 400}, std::pair{-500, -20}}) {
    cible->Left(left);
    cible->Top(top);
    EXPECT_EQ(ClickPoint(), std::make_pair(left + 57, top + 57)) << "set to " << left;
    // The toolkit may put the window somewhere else (the offscreen platform shifts a window at a
    // negative position by 2 pixels); the click point must follow the window, not the request.
    QCoreApplication::processEvents();
    EXPECT_EQ(peer->geometry().topLeft(), QPoint(cible->Left(), cible->Top()));
    EXPECT_EQ(ClickPoint(), std::make_pair(cible->Left() + 57, cible->Top() + 57));
  }

  cible->_PeerMoved(300, 400);
  EXPECT_EQ(ClickPoint(), std::make_pair(357, 457)) << "a move by the user";
  cible->_PeerMoved(-500, -20);
  EXPECT_EQ(ClickPoint(), std::make_pair(-443, 37));
  cible->Top(10);
  EXPECT_EQ(ClickPoint(), std::make_pair(-443, 67)) << "a vertical move keeps x";
}

struct TitleCase {
  const char* name;
  const char* localised;  // nullptr: nothing in the table
  const char* title;
};

void PrintTo(const TitleCase& titles, std::ostream* out) {
  *out << titles.name;
}

class CibleTitleTest : public CibleTest, public testing::WithParamInterface<TitleCase> {};

TEST_P(CibleTitleTest, TheTitleIsTheLocalisedTextUpperCasedByOpen) {
  InitFramework();
  if (GetParam().localised) fw::SetLocalizedString("Cible.kCible", "", GetParam().localised);

  fw::Ref<target::Cible> unopened = fw::RuntimeNew<target::Cible>();
  unopened->Layout();
  EXPECT_EQ(unopened->Title(), GetParam().localised ? GetParam().localised : "Target")
      << "the design properties must not overwrite the title";

  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(cible->Title(), GetParam().title);
  QWidget* peer = TopLevelTitled(QString::fromUtf8(GetParam().title));
  ASSERT_NE(peer, nullptr) << "the toolkit shows no window titled " << GetParam().title;
  EXPECT_TRUE(peer->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Titles, CibleTitleTest,
                         testing::Values(TitleCase{"Default", nullptr, "TARGET"},
                                         TitleCase{"German", "Zielfenster", "ZIELFENSTER"},
                                         TitleCase{"NonAscii", "cible \xC3\xA9", "CIBLE \xC3\x89"}),
                         [](const testing::TestParamInfo<TitleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(CibleTest, TheClassRecordHooksItsFourEventsAndSharesItsTitle) {
  const fw::ClassRecord* record = fw::RuntimeFindClass("Cible.Cible");
  ASSERT_EQ(record, target::Cible::__Lookup());
  EXPECT_EQ(record->parent, fw::Window::__Lookup());
  EXPECT_THAT(record->hookedEvents,
              UnorderedElementsAre("Layout", "CreateControls", "Moved", "Open"));
  const fw::MemberRecord* kCible = record->Member("kCible");
  ASSERT_NE(kCible, nullptr);
  EXPECT_TRUE(kCible->HasAttribute("__Shared"));
}

TEST_F(CibleTest, TheTargetIsAHalfTransparentFixedSquareWithoutButtonsAboveOtherWindows) {
  InitFramework();
  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(cible->Width(), 115);
  EXPECT_EQ(cible->Height(), 115);
  EXPECT_FALSE(cible->Resizeable());
  EXPECT_EQ(cible->Frame(), 7);

  QWidget* peer = TopLevelTitled("TARGET");
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->size(), QSize(115, 115));
  EXPECT_EQ(peer->minimumSize(), QSize(115, 115));
  EXPECT_EQ(peer->maximumSize(), QSize(115, 115));
  const Qt::WindowFlags flags = peer->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  ASSERT_NE(peer->windowHandle(), nullptr);
  // The widget keeps its opacity in 8 bits; the native window must get the exact half.
  EXPECT_DOUBLE_EQ(peer->windowHandle()->opacity(), 0.5);
}

TEST_F(CibleTest, AFailedOpacityStopsInTheTargetsOpenAndTheMainWindowStillPlacesIt) {
  InitFramework();
  FactoryOverride refusing(target::Cible::__Lookup(), &fw::RuntimeFactory<RefusingCible>);
  const long nativeExceptions = native_exception_live_count();

  testing::internal::CaptureStderr();
  fw::Ref<scheduler::Principale> main = Principale();
  const std::string reported = testing::internal::GetCapturedStderr();

  EXPECT_THAT(reported, HasSubstr("ObjCException in the Open event: no alpha for this window"));
  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(cible->Title(), "TARGET") << "the title is upper-cased before the transparency";
  EXPECT_EQ(cible->Left(), main->Left());
  EXPECT_EQ(cible->Top(), main->Top() + 250 + 17);
  EXPECT_EQ(ClickPoint(), std::make_pair(cible->Left() + 57, cible->Top() + 57));
  QWidget* peer = TopLevelTitled("TARGET");
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->isVisible());
  EXPECT_DOUBLE_EQ(peer->windowOpacity(), 1.0);
  ASSERT_NE(TopLevelTitled("BREM"), nullptr);
  EXPECT_TRUE(TopLevelTitled("BREM")->isVisible());
  EXPECT_EQ(native_exception_live_count(), nativeExceptions) << "the native exception leaked";
  EXPECT_EQ(native_exception_frame_depth(), 0);
  EXPECT_EQ(fw::RuntimeExit(), 0) << "a failed event does not fail the run";
}

}  // namespace
