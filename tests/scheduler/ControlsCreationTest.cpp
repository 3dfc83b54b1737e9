#include <gtest/gtest.h>

#include <stdlib.h>

#include <QImage>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "framework/app/SystemObject.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/Separator.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "scheduler/ControlDesigns.h"
#include "scheduler/Principale.h"
#include "scheduler/_wrapper_tDelai.h"
#include "shell/Pictures.h"
#include "support/RuntimeFixture.h"

namespace {

namespace fs = std::filesystem;
using scheduler::Principale;

// A bundle in a temporary folder that the program takes for its own while it lives.
class TempBundle {
 public:
  TempBundle() {
    std::string pattern = (fs::temp_directory_path() / "brem-controls-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    root_ = pattern;
    fs::create_directories(root_ / "BREM.app/Contents/Resources");
    fs::create_directories(root_ / "BREM.app/Contents/MacOS");
    fw::_SetExecutablePathForTesting((root_ / "BREM.app/Contents/MacOS/brem").string());
  }
  ~TempBundle() {
    fw::_SetExecutablePathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  void AddPicture(const char* name) const {
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::green);
    const fs::path path = root_ / "BREM.app/Contents/Resources" / name;
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
  }

 private:
  fs::path root_;
};

// A picture once loaded stays loaded for the process (ctest gives each case its own).
bool LampOrLeftIconAlreadyLoaded() {
  TempBundle empty;
  return iDEL0() || iClicGauche();
}

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

// The help texts of a window made and given its controls now.
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

class ControlsCreationTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    fw::ClearLocalizedStrings();
    InitFramework();
  }
  void TearDown() override {
    RuntimeFixture::TearDown();
    fw::ClearLocalizedStrings();
  }
};

TEST_F(ControlsCreationTest, EachDesignListHasItsEntriesOnceAndNamesItsControl) {
  struct Design {
    const char* control;
    const fw::PropertyList& (*list)();
    size_t entries;
  };
  namespace d = scheduler::designs;
  for (const Design& design :
       {Design{"tDelai", &d::tDelai, 2}, Design{"pbDelai", &d::pbDelai, 17},
        Design{"lDecompte", &d::lDecompte, 29}, Design{"cDel", &d::cDel, 23},
        Design{"scCliqueGaucheDroit", &d::scCliqueGaucheDroit, 16},
        Design{"sPlusOuMoins", &d::sPlusOuMoins, 24}, Design{"lPlusOuMoins", &d::lPlusOuMoins, 29},
        Design{"udaSecondes", &d::udaSecondes, 19}, Design{"sDiviseur", &d::sDiviseur, 18},
        Design{"rrCadreDelai", &d::rrCadreDelai, 22}, Design{"lDelai", &d::lDelai, 28}}) {
    const fw::PropertyList& list = design.list();
    EXPECT_EQ(list.size(), design.entries) << design.control;
    const std::map<std::string, fw::Value> byName(list.begin(), list.end());
    EXPECT_EQ(byName.size(), list.size()) << design.control << " sets a property twice";
    // The timer's list has no Name; every other list names its own control.
    if (byName.count("Name")) {
      EXPECT_EQ(byName.at("Name"), fw::Value(std::string(design.control)));
    }
  }
  const std::map<std::string, fw::Value> lDelai(d::lDelai().begin(), d::lDelai().end());
  EXPECT_EQ(lDelai.at("InitialParent"), fw::Value(std::string("rrCadreDelai")));
}

TEST_F(ControlsCreationTest, StartsStoppedAtSixtySecondsWithoutVariationOnTheLeftButton) {
  TempBundle bundle;
  for (const char* picture : {"DEL0.png", "DEL1.png", "clicgauche.png", "clicdroit.png"}) {
    bundle.AddPicture(picture);
  }
  fw::Ref<Principale> window = ::Principale();

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

  ASSERT_TRUE(iDEL0());
  EXPECT_EQ(window->cDel()->Backdrop(), iDEL0()) << "the lamp starts off";

  fw::Ref<fw::SegmentedControl> buttons = window->scCliqueGaucheDroit();
  EXPECT_EQ(buttons->SelectionType(), 0);
  EXPECT_EQ(buttons->MacControlStyle(), 2);
  fw::Ref<fw::SegmentedControlItemProxy> items = buttons->Items();
  ASSERT_EQ(items->Count(), 2);
  ASSERT_TRUE(iClicGauche() && iClicDroit());
  EXPECT_EQ(items->Item(0)->Icon(), iClicGauche());
  EXPECT_EQ(items->Item(1)->Icon(), iClicDroit());
  for (int32_t i : {0, 1}) {
    EXPECT_EQ(items->Item(i)->Width(), 45) << i;
    EXPECT_EQ(items->Item(i)->Title(), "") << i;
    EXPECT_EQ(items->Item(i)->Selected(), i == 0) << i;
  }
  EXPECT_EQ(buttons->Width(), 90);
}

TEST_F(ControlsCreationTest, HelpTextsOutliveTheDesignListsAndComeFromTheWindowsKeys) {
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

TEST_F(ControlsCreationTest, MissingLampAndLeftIconLeaveEveryControlInPlaceAndHooked) {
  if (LampOrLeftIconAlreadyLoaded()) GTEST_SKIP() << "a picture was loaded earlier";
  TempBundle bundle;
  bundle.AddPicture("DEL1.png");
  bundle.AddPicture("clicdroit.png");

  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(window->tDelai() && window->pbDelai() && window->lDecompte() && window->cDel() &&
              window->scCliqueGaucheDroit() && window->sPlusOuMoins() && window->lPlusOuMoins() &&
              window->udaSecondes() && window->sDiviseur() && window->rrCadreDelai() &&
              window->lDelai());
  EXPECT_FALSE(window->cDel()->Backdrop());
  fw::Ref<fw::SegmentedControlItemProxy> items = window->scCliqueGaucheDroit()->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_FALSE(items->Item(0)->Icon());
  EXPECT_TRUE(items->Item(1)->Icon());

  const std::pair<fw::Ref<fw::Object>, int32_t> hooks[] = {
      {window->tDelai(), 0},      {window->cDel(), 21},         {window->cDel(), 11},
      {window->cDel(), 12},       {window->sPlusOuMoins(), 20}, {window->udaSecondes(), 16},
      {window->udaSecondes(), 15}};
  for (const auto& [control, event] : hooks) {
    const fw::Control::Registration* hook =
        static_cast<fw::Control*>(control.get())->_Registration(event);
    ASSERT_NE(hook, nullptr) << event;
    EXPECT_TRUE(hook->stub && hook->delegate) << event;
  }
}

TEST_F(ControlsCreationTest, AccessorsFindTheSameControlEachTimeAndNilWhereThereIsNone) {
  fw::Ref<Principale> window = ::Principale();
  EXPECT_EQ(window->cDel(), window->cDel());
  EXPECT_EQ(window->tDelai(), window->tDelai());
  EXPECT_EQ(window->lDelai(), window->lDelai());
  EXPECT_NE(window->lDelai(), window->lDecompte());

  EXPECT_FALSE(RaisedBy([&] { EXPECT_FALSE(window->_ControlByName("cDel2")); }));
  fw::Ref<Principale> bare = fw::RuntimeNew<Principale>();
  EXPECT_FALSE(RaisedBy([&] { EXPECT_FALSE(bare->cDel()); })) << "a window without controls";
}

}  // namespace
