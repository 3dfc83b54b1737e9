#include <gmock/gmock.h>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

using ControlsCreationTest = AppFixture;

TEST_F(ControlsCreationTest, StartsStoppedAtSixtySecondsWithoutVariationOnTheLeftButton) {
  TempBundle bundle;
  for (const char* file : {"DEL0.png", "clicgauche.png", "clicdroit.png"}) {
    bundle.AddPicture(file, 48, 48);
  }
  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(iDEL0() && iClicGauche() && iClicDroit());
  EXPECT_EQ(window->cDel()->Backdrop(), iDEL0()) << "the lamp starts off";
  EXPECT_EQ(window->tDelai()->Mode(), 0);
  EXPECT_EQ(window->pbDelai()->Value(), 60);
  EXPECT_EQ(window->pbDelai()->Maximum(), 60);
  EXPECT_EQ(window->lDecompte()->Text(), "60");
  EXPECT_EQ(window->lDelai()->Text(), "060");
  EXPECT_EQ(window->lPlusOuMoins()->Text(), "\u00B1 0");
  EXPECT_EQ(window->sPlusOuMoins()->Value(), 0);

  fw::Ref<fw::SegmentedControlItemProxy> items = window->scCliqueGaucheDroit()->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Item(0)->Icon(), iClicGauche());
  EXPECT_EQ(items->Item(1)->Icon(), iClicDroit());
  EXPECT_TRUE(items->Item(0)->Selected());
  EXPECT_FALSE(items->Item(1)->Selected());
}

TEST_F(ControlsCreationTest, WithoutPicturesBothWindowsOpenAndTheLampStillWorks) {
  if (APictureWasLoaded()) GTEST_SKIP() << "a picture was loaded earlier in this process";
  TempBundle bundle;
  bundle.AddFile("fond.png", "not a picture");
  bundle.AddFile("Cible.png", "");
  bundle.AddPicture("DEL1.png", 48, 48);
  bundle.AddPicture("clicdroit.png", 48, 48);

  fw::Ref<Principale> window = ::Principale();
  for (const char* title : {"BREM", "TARGET"}) ASSERT_TRUE(Shown(title)) << title;
  testing::internal::CaptureStderr();
  window->cDel()->RaiseMouseDown(1, 1);
  window->cDel()->RaiseMouseDown(1, 1);
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::Not(testing::HasSubstr("brem:")));
  EXPECT_FALSE(window->Actif);
}

}  // namespace
