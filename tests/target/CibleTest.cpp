#include <QWindow>
#include <utility>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// The click point as integers; the target hands over whole pixels.
std::pair<int, int> ClickPoint() {
  const Principale::CGPoint point = ::Principale()->PositionClic;
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

using CibleTest = AppFixture;

TEST_F(CibleTest, TheMainWindowOpensOneTargetBelowItPastItsTitleBar) {
  const long created = target::Cible::__Lookup()->created.load();
  fw::Ref<Principale> main = ::Principale();
  fw::Ref<target::Cible> cible = Cible();
  ASSERT_TRUE(cible);
  main->Left(100);
  main->Top(80);
  main->Event_Open();  // asks for the target three times more
  EXPECT_EQ(Cible().get(), cible.get());
  EXPECT_EQ(target::Cible::__Lookup()->created.load(), created + 1);
  EXPECT_EQ(std::pair(cible->Left(), cible->Top()), std::pair(100, 347));
  EXPECT_EQ(ClickPoint(), std::pair(157, 404)) << "placing the target sets the click point";
}

TEST_F(CibleTest, TheClickPointIsTheCentreOfTheTargetWhereverItIsMoved) {
  ::Principale();  // which opens the target
  fw::Ref<target::Cible> cible = Cible();
  cible->Left(300);
  cible->Top(400);
  EXPECT_EQ(ClickPoint(), std::pair(357, 457));
  cible->_PeerMoved(-500, -20);  // dragged by the user
  EXPECT_EQ(ClickPoint(), std::pair(-443, 37));
}

// A window manager may move a window as it withdraws it (mutter puts it where its frame was);
// the user cannot have moved a hidden window, and the clicks must stay where the user aimed.
TEST_F(CibleTest, AMoveWhileHiddenIsNotTheUsersAndShowPutsTheTargetBack) {
  ::Principale();
  fw::Ref<target::Cible> cible = Cible();
  cible->Left(300);
  cible->Top(400);
  QWidget* peer = TopLevelTitled("TARGET");
  ASSERT_TRUE(peer && peer->isVisible());
  cible->Visible(false);
  // As a window manager moves it: the toolkit reports the move.
  peer->windowHandle()->setPosition(300, 363);
  QCoreApplication::processEvents();
  cible->Show();
  QCoreApplication::processEvents();
  EXPECT_EQ(std::pair(cible->Left(), cible->Top()), std::pair(300, 400));
  EXPECT_EQ(ClickPoint(), std::pair(357, 457));
  EXPECT_EQ(peer->geometry(), QRect(300, 400, 115, 115)) << "shown where the program holds it";
  cible->_PeerMoved(310, 420);  // shown, the user's again
  EXPECT_EQ(ClickPoint(), std::pair(367, 477));
}

TEST_F(CibleTest, TheTitleComesFromTheTableAndIsUpperCasedBeyondAsciiOnceOpen) {
  fw::SetLocalizedString("Cible.kCible", "", "cible \xC3\xA9");
  fw::Ref<target::Cible> unopened = fw::RuntimeNew<target::Cible>();
  unopened->Layout();
  EXPECT_EQ(unopened->Title(), "cible \xC3\xA9");
  EXPECT_EQ(Cible()->Title(), "CIBLE \xC3\x89");
  EXPECT_TRUE(Shown(QString::fromUtf8("CIBLE \xC3\x89")));
}

}  // namespace
