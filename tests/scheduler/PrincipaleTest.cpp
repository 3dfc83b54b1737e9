#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/app/Random.h"
#include "scheduler/Principale.h"
#include "support/RuntimeFixture.h"

namespace {

using scheduler::Principale;

QWidget* TopLevelTitled(const QString& title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == title) return widget;
  }
  return nullptr;
}

class PrincipaleTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
  }
};

TEST_F(PrincipaleTest, OpensCentredFixedAndGreyOnTopOfOtherWindows) {
  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->Width(), 115);
  EXPECT_EQ(window->Height(), 250);
  EXPECT_EQ(window->Title(), "BREM");
  EXPECT_FALSE(window->Resizeable());
  EXPECT_TRUE(window->HasBackColor());
  EXPECT_EQ(window->BackColor(), (fw::Color{0x66, 0x66, 0x66}));

  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(std::abs(window->Left() + 115 / 2 - area.center().x()), 1);
  EXPECT_LE(std::abs(window->Top() + 250 / 2 - area.center().y()), 1);

  // What the toolkit shows must agree with the window's own values.
  QWidget* peer = TopLevelTitled("BREM");
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->isVisible());
  EXPECT_EQ(peer->geometry(), QRect(window->Left(), window->Top(), 115, 250));
  EXPECT_EQ(peer->minimumSize(), QSize(115, 250));
  EXPECT_EQ(peer->maximumSize(), QSize(115, 250));
  EXPECT_EQ(peer->palette().color(QPalette::Window), QColor(0x66, 0x66, 0x66));
  EXPECT_TRUE(peer->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(peer->windowFlags() & Qt::WindowMaximizeButtonHint);

  const std::vector<std::pair<std::string, fw::Value>> stored = {{"Composite", false},
                                                                 {"MenuBarVisible", true},
                                                                 {"LiveResize", false},
                                                                 {"MacProcID", int32_t{0}}};
  for (const auto& [name, value] : stored) {
    const fw::Value* read = window->StoredProperty(name);
    ASSERT_NE(read, nullptr) << name;
    EXPECT_EQ(*read, value) << name;
  }
}

TEST_F(PrincipaleTest, ASecondCallGivesTheSameWindowUntouched) {
  const fw::ClassRecord* cls = Principale::__Lookup();
  fw::Ref<Principale> first = ::Principale();
  const long created = cls->created.load();
  first->Secondes = 17;
  first->Left(first->Left() + 30);
  const int32_t left = first->Left();

  fw::Ref<Principale> second = ::Principale();
  EXPECT_EQ(second.get(), first.get());
  EXPECT_EQ(cls->created.load(), created);
  EXPECT_EQ(second->Secondes, 17);
  EXPECT_EQ(second->Left(), left) << "building it again would centre it again";
}

TEST_F(PrincipaleTest, ClosingTheWindowEndsTheProgramWithZero) {
  fw::Ref<Principale> window = ::Principale();
  EXPECT_FALSE(fw::RuntimeQuitRequested());
  EXPECT_TRUE(window->_PeerCloseRequested());
  EXPECT_TRUE(fw::RuntimeQuitRequested());
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_FALSE(fw::_GetImplicitWindow("Principale.Principale"));
}

TEST_F(PrincipaleTest, StartsWithItsDefaults) {
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  EXPECT_EQ(window->PositionClic.x, 0.0f);
  EXPECT_EQ(window->PositionClic.y, 0.0f);
  EXPECT_FALSE(window->Actif);
  EXPECT_EQ(window->Secondes, 60);
  EXPECT_EQ(window->PlusMoins, 0);
  EXPECT_EQ(window->HauteurBarTitre, 0);
}

TEST_F(PrincipaleTest, PublishesItsClassRecord) {
  const fw::ClassRecord* cls = Principale::__Lookup();
  EXPECT_EQ(cls->name, "Principale.Principale");
  EXPECT_EQ(cls->parent, fw::Window::__Lookup());
  EXPECT_EQ(cls->hookedEvents,
            (std::vector<std::string>{"Layout", "CreateControls", "Close", "Open"}));

  const fw::MemberRecord* controls = cls->Member("_CreateControls0");
  ASSERT_NE(controls, nullptr);
  EXPECT_TRUE(controls->HasAttribute("Hidden"));
  for (const char* constant :
       {"kDemarrerArreter", "kDecompte", "kDelaiExecution", "kModifierDelai"}) {
    const fw::MemberRecord* member = cls->Member(constant);
    ASSERT_NE(member, nullptr) << constant;
    EXPECT_TRUE(member->HasAttribute("__Shared")) << constant;
  }
  const fw::MemberRecord* point = cls->Member("PositionClic");
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->signature, "t<Principale.Principale.CGPoint>");
}

TEST_F(PrincipaleTest, CheckCastPassesNilTheClassAndItsParentsOnly) {
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  EXPECT_EQ(fw::RuntimeCheckCast(nullptr, fw::Window::__Lookup()), nullptr);
  EXPECT_EQ(fw::RuntimeCheckCast(window.get(), Principale::__Lookup()), window.get());
  EXPECT_EQ(fw::RuntimeCheckCast(window.get(), fw::Window::__Lookup()), window.get());
  EXPECT_EQ(fw::RuntimeCheckCast(window.get(), fw::Object::__Lookup()), window.get());

  fw::Ref<fw::Random> random = fw::RuntimeNew<fw::Random>();
  auto raised = RaisedBy([&] { fw::RuntimeCheckCast(random.get(), fw::Window::__Lookup()); });
  ASSERT_TRUE(raised);
  EXPECT_TRUE(raised->IsA(fw::IllegalCastException::__Lookup()));
}

}  // namespace
