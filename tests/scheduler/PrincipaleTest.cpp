#include <QScreen>
#include <cstdlib>

#include "scheduler/_wrapper_tDelai.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;
using PrincipaleTest = AppFixture;

TEST_F(PrincipaleTest, OpensOnceCentredFixedAndGrey) {
  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->Title(), "BREM");
  EXPECT_EQ(window->Width(), 115);
  EXPECT_EQ(window->Height(), 250);
  EXPECT_FALSE(window->Resizeable());
  EXPECT_TRUE(window->HasBackColor());
  EXPECT_EQ(window->BackColor(), (fw::Color{0x66, 0x66, 0x66}));
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(std::abs(window->Left() + 115 / 2 - area.center().x()), 1);
  EXPECT_LE(std::abs(window->Top() + 250 / 2 - area.center().y()), 1);

  // What the toolkit shows must agree with the window's own values; its size hints and flags are
  // checked from the outside by the end-to-end tests.
  QWidget* peer = TopLevelTitled("BREM");
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->isVisible());
  EXPECT_EQ(peer->geometry(), QRect(window->Left(), window->Top(), 115, 250));
  EXPECT_EQ(peer->palette().color(QPalette::Window), QColor(0x66, 0x66, 0x66));

  // Building it again would reset the settings and centre it again.
  window->Secondes = 17;
  window->Left(window->Left() + 30);
  const int32_t left = window->Left();
  EXPECT_EQ(::Principale().get(), window.get());
  EXPECT_EQ(window->Secondes, 17);
  EXPECT_EQ(window->Left(), left);
}

TEST_F(PrincipaleTest, StartsWithItsDefaultsAndNoClickPoint) {
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  EXPECT_EQ(window->PositionClic.x, 0.0f);
  EXPECT_EQ(window->PositionClic.y, 0.0f);
  EXPECT_FALSE(window->Actif);
  EXPECT_EQ(window->Secondes, 60);
  EXPECT_EQ(window->PlusMoins, 0);
  EXPECT_EQ(window->HauteurBarTitre, 0);
}

TEST_F(PrincipaleTest, BothWindowsPublishTheirClassRecords) {
  const struct {
    const fw::ClassRecord* record;
    const char* name;
    std::vector<std::string> hooked, shared;
  } windows[] = {{Principale::__Lookup(),
                  "Principale.Principale",
                  {"Layout", "CreateControls", "Close", "Open"},
                  {"kDemarrerArreter", "kDecompte", "kDelaiExecution", "kModifierDelai"}},
                 {target::Cible::__Lookup(),
                  "Cible.Cible",
                  {"Layout", "CreateControls", "Moved", "Open"},
                  {"kCible"}}};
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    EXPECT_EQ(fw::RuntimeFindClass(w.name), w.record);
    EXPECT_EQ(w.record->parent, fw::Window::__Lookup());
    EXPECT_EQ(w.record->hookedEvents, w.hooked);
    for (const std::string& constant : w.shared) {
      ASSERT_NE(w.record->Member(constant), nullptr) << constant;
      EXPECT_TRUE(w.record->Member(constant)->HasAttribute("__Shared")) << constant;
    }
  }
  const fw::ClassRecord* main = Principale::__Lookup();
  ASSERT_TRUE(main->Member("_CreateControls0") && main->Member("PositionClic"));
  EXPECT_TRUE(main->Member("_CreateControls0")->HasAttribute("Hidden"));
  EXPECT_EQ(main->Member("PositionClic")->signature, "t<Principale.Principale.CGPoint>");
}

TEST_F(PrincipaleTest, ClosingItWhileItClicksEndsTheProgramWithZeroAndFreesIt) {
  const std::vector<long> before = Live<Principale, scheduler::_wrapper_tDelai, fw::Delegate>();
  {
    fw::Ref<Principale> window = ::Principale();
    auto timer = fw::RuntimeCast<scheduler::_wrapper_tDelai>(window->tDelai());
    fw::Ref<fw::Canvas> lamp = window->cDel();
    fw::Ref<fw::UpDownArrows> arrows = window->udaSecondes();
    fw::Ref<fw::ProgressBar> bar = window->pbDelai();
    lamp->RaiseMouseDown(24, 24);
    for (int i = 0; i < 3; ++i) timer->_CallAction();
    ASSERT_EQ(bar->Value(), 57);
    sink_.Clear();

    testing::internal::CaptureStderr();
    EXPECT_FALSE(fw::RuntimeQuitRequested());
    EXPECT_TRUE(window->_PeerCloseRequested());
    EXPECT_TRUE(fw::RuntimeQuitRequested());
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_FALSE(fw::_GetImplicitWindow("Principale.Principale"));
    EXPECT_FALSE(window->tDelai());
    EXPECT_FALSE(timer->Window());
    // The toolkit may still deliver what it had queued for the controls the test holds on to.
    for (int i = 0; i < 5; ++i) timer->_CallAction();
    EXPECT_FALSE(lamp->RaiseMouseDown(24, 24));
    lamp->RaiseMouseEnter();
    arrows->RaiseUp();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(sink_.Records().empty()) << "a click after the close";
    EXPECT_EQ(bar->Value(), 57) << "the countdown went on after the close";
    EXPECT_EQ(window->Secondes, 60);
  }
  // Nothing else keeps the window, its timer (whose clock goes with it) or their delegates alive;
  // the framework lets go of a closed window once the event that closed it is over.
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ((Live<Principale, scheduler::_wrapper_tDelai, fw::Delegate>()), before);
  StopRuntime();
  EXPECT_EQ((Live<Principale, scheduler::_wrapper_tDelai, fw::Delegate>()), before)
      << "nothing made a main window again while finalising";
}

}  // namespace
