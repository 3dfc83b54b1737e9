#include <gmock/gmock.h>

#include <QWindow>
#include <ostream>
#include <utility>

#include "platform/native/NativeRuntime.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// The click point as integers; the target hands over whole pixels.
std::pair<int, int> ClickPoint() {
  const Principale::CGPoint point = ::Principale()->PositionClic;
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

std::pair<int, int> Centre(target::Cible& cible) {
  return {cible.Left() + 57, cible.Top() + 57};
}

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

using CibleTest = AppFixture;

TEST_F(CibleTest, TheMainWindowOpensOneTargetBelowItPastItsTitleBar) {
  const long created = target::Cible::__Lookup()->created.load();
  fw::Ref<Principale> main = ::Principale();
  fw::Ref<target::Cible> cible = Cible();
  ASSERT_TRUE(cible);
  EXPECT_EQ(Cible().get(), cible.get());
  EXPECT_EQ(main->HauteurBarTitre, 17);
  EXPECT_EQ(cible->Left(), main->Left());
  EXPECT_EQ(cible->Top(), main->Top() + 250 + 17);
  EXPECT_EQ(ClickPoint(), Centre(*cible)) << "placing the target sets the click point";
  int shown = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    shown += widget->windowTitle() == "TARGET" && widget->isVisible();
  }
  EXPECT_EQ(shown, 1);

  // Moving the main window leaves the target where it is; opening it again puts it back below.
  const std::pair<int, int> at{cible->Left(), cible->Top()}, click = ClickPoint();
  main->Left(100);
  main->Top(80);
  QCoreApplication::processEvents();
  EXPECT_EQ(std::make_pair(cible->Left(), cible->Top()), at);
  EXPECT_EQ(ClickPoint(), click);
  main->Event_Open();
  EXPECT_EQ(Cible().get(), cible.get());
  EXPECT_EQ(target::Cible::__Lookup()->created.load(), created + 1);
  EXPECT_EQ(std::make_pair(cible->Left(), cible->Top()), std::make_pair(100, 347));
  EXPECT_EQ(std::make_pair(main->Left(), main->Top()), std::make_pair(100, 80));
  EXPECT_EQ(ClickPoint(), std::make_pair(157, 404));
}

TEST_F(CibleTest, TheClickPointIsTheCentreOfTheTargetWhereverItIsMoved) {
  ::Principale();  // which opens the target
  fw::Ref<target::Cible> cible = Cible();
  QWidget* peer = TopLevelTitled("TARGET");
  ASSERT_NE(peer, nullptr);
  for (const auto& [left, top] : {std::pair{300, 400}, std::pair{-500, -20}}) {
    cible->Left(left);
    cible->Top(top);
    EXPECT_EQ(ClickPoint(), std::make_pair(left + 57, top + 57)) << "set to " << left;
    // The toolkit may put the window elsewhere (the offscreen platform shifts a window at a
    // negative position by 2 pixels); the click point follows the window, not the request.
    QCoreApplication::processEvents();
    EXPECT_EQ(peer->geometry().topLeft(), QPoint(cible->Left(), cible->Top()));
    EXPECT_EQ(ClickPoint(), Centre(*cible));
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

class CibleLookTest : public AppFixture, public testing::WithParamInterface<TitleCase> {};

TEST_P(CibleLookTest, IsAHalfTransparentFixedSquareTitledInCapitals) {
  if (GetParam().localised) fw::SetLocalizedString("Cible.kCible", "", GetParam().localised);
  fw::Ref<target::Cible> unopened = fw::RuntimeNew<target::Cible>();
  unopened->Layout();
  EXPECT_EQ(unopened->Title(), GetParam().localised ? GetParam().localised : "Target")
      << "the design properties must not overwrite the title";

  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(cible->Title(), GetParam().title);
  EXPECT_EQ(cible->Width(), 115);
  EXPECT_EQ(cible->Height(), 115);
  EXPECT_FALSE(cible->Resizeable());
  EXPECT_EQ(cible->Frame(), 7);
  // Its size hints and flags are checked from the outside by the end-to-end tests.
  QWidget* peer = TopLevelTitled(QString::fromUtf8(GetParam().title));
  ASSERT_NE(peer, nullptr) << "the toolkit shows no window titled " << GetParam().title;
  EXPECT_TRUE(peer->isVisible());
  ASSERT_NE(peer->windowHandle(), nullptr);
  // The widget keeps its opacity in 8 bits; the native window must get the exact half.
  EXPECT_DOUBLE_EQ(peer->windowHandle()->opacity(), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Titles, CibleLookTest,
                         testing::Values(TitleCase{"Default", nullptr, "TARGET"},
                                         TitleCase{"German", "Zielfenster", "ZIELFENSTER"},
                                         TitleCase{"NonAscii", "cible \xC3\xA9", "CIBLE \xC3\x89"}),
                         RowName());

TEST_F(CibleTest, AFailedOpacityStopsInTheTargetsOpenAndTheMainWindowStillPlacesIt) {
  FactoryOverride refusing(target::Cible::__Lookup(), &fw::RuntimeFactory<RefusingCible>);
  const long nativeExceptions = native_exception_live_count();
  testing::internal::CaptureStderr();
  fw::Ref<Principale> main = ::Principale();
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              testing::HasSubstr("ObjCException in the Open event: no alpha for this window"));

  fw::Ref<target::Cible> cible = Cible();
  EXPECT_EQ(cible->Title(), "TARGET") << "the title is upper-cased before the transparency";
  EXPECT_EQ(cible->Left(), main->Left());
  EXPECT_EQ(cible->Top(), main->Top() + 250 + 17);
  EXPECT_EQ(ClickPoint(), Centre(*cible));
  for (const char* title : {"BREM", "TARGET"}) ASSERT_TRUE(Shown(title)) << title;
  EXPECT_DOUBLE_EQ(TopLevelTitled("TARGET")->windowOpacity(), 1.0);
  EXPECT_EQ(native_exception_live_count(), nativeExceptions) << "the native exception leaked";
  EXPECT_EQ(native_exception_frame_depth(), 0);
  EXPECT_EQ(fw::RuntimeExit(), 0) << "a failed event does not fail the run";
}

}  // namespace
