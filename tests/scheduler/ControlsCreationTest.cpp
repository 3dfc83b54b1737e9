#include <map>
#include <tuple>

#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/Separator.h"
#include "scheduler/ControlDesigns.h"
#include "scheduler/_wrapper_tDelai.h"
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

TEST_F(ControlsCreationTest, EachDesignListHasItsEntriesOnce) {
  namespace d = scheduler::designs;
  const std::tuple<const char*, const fw::PropertyList&, size_t> designs[] = {
      {"tDelai", d::tDelai(), 2},
      {"pbDelai", d::pbDelai(), 17},
      {"lDecompte", d::lDecompte(), 29},
      {"cDel", d::cDel(), 23},
      {"sPlusOuMoins", d::sPlusOuMoins(), 24},
      {"scCliqueGaucheDroit", d::scCliqueGaucheDroit(), 16},
      {"lPlusOuMoins", d::lPlusOuMoins(), 29},
      {"udaSecondes", d::udaSecondes(), 19},
      {"sDiviseur", d::sDiviseur(), 18},
      {"rrCadreDelai", d::rrCadreDelai(), 22},
      {"lDelai", d::lDelai(), 28}};
  for (const auto& [control, list, entries] : designs) {
    EXPECT_EQ(list.size(), entries) << control;
    EXPECT_EQ((std::map<std::string, fw::Value>(list.begin(), list.end()).size()), list.size())
        << control << " sets a property twice";
  }
}

TEST_F(ControlsCreationTest, StartsStoppedAtSixtySecondsWithoutVariationOnTheLeftButton) {
  TempBundle bundle;
  for (const char* file :
       {"fond.png", "Cible.png", "DEL0.png", "DEL1.png", "clicgauche.png", "clicdroit.png"}) {
    bundle.AddPicture(file, 48, 48);
  }
  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(iFond() && iCible() && iDEL0() && iClicGauche() && iClicDroit());
  EXPECT_EQ(window->Backdrop(), iFond());
  EXPECT_EQ(Cible()->Backdrop(), iCible());
  EXPECT_EQ(window->cDel()->Backdrop(), iDEL0()) << "the lamp starts off";

  fw::Ref<fw::Timer> timer = window->tDelai();
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->Class()->name, "Principale._wrapper_tDelai");
  EXPECT_EQ(timer->Mode(), 0);
  EXPECT_EQ(timer->Period(), 1000);
  EXPECT_EQ(window->pbDelai()->Value(), 60);
  EXPECT_EQ(window->pbDelai()->Maximum(), 60);
  EXPECT_EQ(window->lDecompte()->Text(), "60");
  EXPECT_EQ(window->lDelai()->Text(), "060");
  EXPECT_EQ(window->lDelai()->InitialParent(), "rrCadreDelai");
  EXPECT_EQ(window->lPlusOuMoins()->Text(), "\u00B1 0");
  EXPECT_EQ(window->sPlusOuMoins()->Value(), 0);
  EXPECT_EQ(window->sPlusOuMoins()->Minimum(), 0);
  EXPECT_EQ(window->sPlusOuMoins()->Maximum(), 20);

  fw::Ref<fw::SegmentedControl> buttons = window->scCliqueGaucheDroit();
  EXPECT_EQ(buttons->SelectionType(), 0);
  EXPECT_EQ(buttons->MacControlStyle(), 2);
  EXPECT_EQ(buttons->Width(), 90);
  fw::Ref<fw::SegmentedControlItemProxy> items = buttons->Items();
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
  fw::Ref<target::Cible> cible = Cible();
  EXPECT_FALSE(window->Backdrop());
  EXPECT_FALSE(cible->Backdrop());
  for (const char* title : {"BREM", "TARGET"}) ASSERT_TRUE(Shown(title)) << title;
  cible->Left(300);
  cible->Top(400);
  EXPECT_EQ(window->PositionClic.x, 357.0f);
  EXPECT_EQ(window->PositionClic.y, 457.0f);

  ASSERT_TRUE(window->tDelai() && window->pbDelai() && window->lDecompte() && window->cDel() &&
              window->scCliqueGaucheDroit() && window->sPlusOuMoins() && window->lPlusOuMoins() &&
              window->udaSecondes() && window->sDiviseur() && window->rrCadreDelai() &&
              window->lDelai());
  EXPECT_FALSE(window->cDel()->Backdrop());
  fw::Ref<fw::SegmentedControlItemProxy> items = window->scCliqueGaucheDroit()->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_FALSE(items->Item(0)->Icon());
  EXPECT_TRUE(items->Item(1)->Icon());
  const std::pair<const char*, int32_t> hooks[] = {
      {"tDelai", 0},        {"cDel", 21},        {"cDel", 11},       {"cDel", 12},
      {"sPlusOuMoins", 20}, {"udaSecondes", 16}, {"udaSecondes", 15}};
  for (const auto& [control, event] : hooks) {
    const fw::Control::Registration* hook = Hook(*window, control, event);
    ASSERT_NE(hook, nullptr) << control << " " << event;
    EXPECT_TRUE(hook->stub && hook->delegate) << control << " " << event;
  }
}

TEST_F(ControlsCreationTest, HelpTextsComeFromTheWindowsOwnKeys) {
  using Timer = scheduler::_wrapper_tDelai;
  EXPECT_EQ(HelpTagsOfANewWindow(), kDefaultHelpTags);
  EXPECT_EQ(Timer::kDemarrerArreter(""), "Start or stop execution");
  EXPECT_EQ(Timer::kDecompte(""), "Countdown before execution");
  EXPECT_EQ(Timer::kDelaiExecution(""), "Delay in seconds before execution");
  EXPECT_EQ(Timer::kModifierDelai(""), "Modify the delay by a variation");

  const std::pair<const char*, const char*> keys[] = {{"pbDelai", "kDecompte"},
                                                      {"cDel", "kDemarrerArreter"},
                                                      {"sPlusOuMoins", "kModifierDelai"},
                                                      {"lDelai", "kDelaiExecution"}};
  for (const auto& [control, key] : keys) {
    fw::SetLocalizedString(std::string("Principale.tDelai.") + key, "", "timer text");
  }
  EXPECT_EQ(Timer::kDecompte(""), "timer text");
  EXPECT_EQ(HelpTagsOfANewWindow(), kDefaultHelpTags) << "the timer's texts are not the help texts";

  std::map<std::string, std::string> expected = kDefaultHelpTags;
  for (const auto& [control, key] : keys) {
    fw::SetLocalizedString(std::string("Principale.") + key, "de", "not this language");
    fw::SetLocalizedString(std::string("Principale.") + key, "", std::string("text of ") + key);
    expected[control] = std::string("text of ") + key;
  }
  EXPECT_EQ(HelpTagsOfANewWindow(), expected);
}

}  // namespace
