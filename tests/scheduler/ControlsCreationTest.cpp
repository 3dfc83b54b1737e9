#include <map>

#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/Separator.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

const std::map<std::string, std::string> kDefaultHelpTags = {
    {"pbDelai", "Countdown before execution"},
    {"cDel", "Start or stop execution"},
    {"sPlusOuMoins", "Modify the delay by a variation"},
    {"lDelai", "Delay in seconds before execution"},
    {"lDecompte", ""},
    {"lPlusOuMoins", ""},
    {"udaSecondes", ""},
    {"sDiviseur", ""},
    {"rrCadreDelai", ""}};

std::map<std::string, std::string> HelpTagsOfANewWindow() {
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  window->_CreateControls0();
  std::map<std::string, std::string> tags;
  for (const auto& [name, text] : kDefaultHelpTags) {
    tags[name] = fw::RuntimeCast<fw::Control>(window->_ControlByName(name))->HelpTag();
  }
  window->_ReleaseControls();
  return tags;
}

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
  EXPECT_EQ(window->tDelai()->Period(), 1000);
  EXPECT_EQ(window->pbDelai()->Value(), 60);
  EXPECT_EQ(window->pbDelai()->Maximum(), 60);
  EXPECT_EQ(window->lDecompte()->Text(), "60");
  EXPECT_EQ(window->lDelai()->Text(), "060");
  EXPECT_EQ(window->lPlusOuMoins()->Text(), "\u00B1 0");
  EXPECT_EQ(window->sPlusOuMoins()->Value(), 0);
  EXPECT_EQ(window->sPlusOuMoins()->Minimum(), 0);
  EXPECT_EQ(window->sPlusOuMoins()->Maximum(), 20);

  fw::Ref<fw::SegmentedControlItemProxy> items = window->scCliqueGaucheDroit()->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Item(0)->Icon(), iClicGauche());
  EXPECT_EQ(items->Item(1)->Icon(), iClicDroit());
  for (int32_t i : {0, 1}) {
    EXPECT_EQ(items->Item(i)->Width(), 45) << i;
    EXPECT_EQ(items->Item(i)->Title(), "") << i;
    EXPECT_EQ(items->Item(i)->Selected(), i == 0) << i;
  }
}

TEST_F(ControlsCreationTest, WithoutPicturesBothWindowsOpenWithEveryControlHooked) {
  if (APictureWasLoaded()) GTEST_SKIP() << "a picture was loaded earlier in this process";
  TempBundle bundle;
  bundle.AddFile("fond.png", "not a picture");
  bundle.AddFile("Cible.png", "");
  bundle.AddPicture("DEL1.png", 48, 48);
  bundle.AddPicture("clicdroit.png", 48, 48);

  fw::Ref<Principale> window = ::Principale();
  for (const char* title : {"BREM", "TARGET"}) ASSERT_TRUE(Shown(title)) << title;
  Cible()->Left(300);
  Cible()->Top(400);
  EXPECT_EQ(std::pair(window->PositionClic.x, window->PositionClic.y), std::pair(357.0f, 457.0f));

  ASSERT_TRUE(window->tDelai() && window->pbDelai() && window->lDecompte() && window->cDel() &&
              window->scCliqueGaucheDroit() && window->sPlusOuMoins() && window->lPlusOuMoins() &&
              window->udaSecondes() && window->sDiviseur() && window->rrCadreDelai() &&
              window->lDelai());
  const std::pair<const char*, int32_t> hooks[] = {
      {"tDelai", 0},        {"cDel", 21},        {"cDel", 11},       {"cDel", 12},
      {"sPlusOuMoins", 20}, {"udaSecondes", 16}, {"udaSecondes", 15}};
  for (const auto& [control, event] : hooks) {
    const fw::Control::Registration* hook = Hook(*window, control, event);
    ASSERT_NE(hook, nullptr) << control << " " << event;
    EXPECT_TRUE(hook->stub && hook->delegate) << control << " " << event;
  }
}

TEST_F(ControlsCreationTest, HelpTextsAreTheDefaultsUnlessTheTableHasTheWindowsKeys) {
  EXPECT_EQ(HelpTagsOfANewWindow(), kDefaultHelpTags);
  std::map<std::string, std::string> expected = kDefaultHelpTags;
  for (const auto& [control, key] :
       {std::pair{"pbDelai", "kDecompte"}, std::pair{"cDel", "kDemarrerArreter"},
        std::pair{"sPlusOuMoins", "kModifierDelai"}, std::pair{"lDelai", "kDelaiExecution"}}) {
    fw::SetLocalizedString(std::string("Principale.") + key, "", std::string("text of ") + key);
    expected[control] = std::string("text of ") + key;
  }
  EXPECT_EQ(HelpTagsOfANewWindow(), expected);
}

}  // namespace
