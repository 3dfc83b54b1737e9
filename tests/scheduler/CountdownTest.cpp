#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QImage>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/SystemObject.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/Timer.h"
#include "platform/events/RecordingSink.h"
#include "scheduler/Principale.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "support/RuntimeFixture.h"
#include "target/Cible.h"

namespace {

namespace fs = std::filesystem;
using scheduler::Principale;

// A bundle with both lamp pictures, so that the lamp's state can be told from its backdrop.
class LampBundle {
 public:
  LampBundle() {
    std::string pattern = (fs::temp_directory_path() / "brem-lamp-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    root_ = pattern;
    const fs::path contents = root_ / "BREM.app" / "Contents";
    fs::create_directories(contents / "Resources");
    for (const char* name : {"DEL0.png", "DEL1.png"}) {
      QImage image(50, 50, QImage::Format_RGB32);
      image.fill(Qt::red);
      image.save(QString::fromStdString((contents / "Resources" / name).string()), "PNG");
    }
    fw::_SetExecutablePathForTesting((contents / "MacOS" / "brem").string());
  }
  ~LampBundle() {
    fw::_SetExecutablePathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

 private:
  fs::path root_;
};

// Records what the recording sink gets, plus the bar's countdown at each posted event, which
// tells whether a click came before or after the bar was loaded.
class BarWatchingSink final : public EventSink {
 public:
  void Post(const PostedMouseEvent& e) override {
    barAtPost.push_back(::Principale()->pbDelai()->Value());
    recorded.Post(e);
  }
  CGError Warp(CGPoint p) override { return recorded.Warp(p); }

  RecordingSink recorded;
  std::vector<int32_t> barAtPost;
};

// A main window whose clicks fail while `refuse` is set.
class RefusingPrincipale : public Principale {
 public:
  static inline bool refuse = false;
  void Cliquer() override {
    if (refuse) fw::RaiseRuntimeException("click refused");
    Principale::Cliquer();
  }
};

class CountdownTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    app_ = fw::RuntimeNew<shell::App>();
    fw::_RuntimeRegisterAppObject(app_);
    InitFramework();  // the application's Open makes the generator
    previous_ = CGEventCurrentSink();
    CGEventSetSink(&sink_);
  }
  void TearDown() override {
    CGEventSetSink(previous_);
    RuntimeFixture::TearDown();
  }

  fw::Ref<Principale> Window() { return ::Principale(); }
  bool Press() { return Window()->cDel()->RaiseMouseDown(10, 10); }
  void Tick() { Window()->tDelai()->_CallAction(); }
  int32_t Bar() { return Window()->pbDelai()->Value(); }
  std::string Shown() { return Window()->lDecompte()->Text(); }
  bool LampOn() { return iDEL1() && Window()->cDel()->Backdrop().get() == iDEL1().get(); }

  // Counts the clicks recorded so far, checking that each is a left press then release at the
  // click point followed by the pointer put back.
  int Clicks() {
    const std::vector<RecordingSink::Record> records = sink_.recorded.Records();
    EXPECT_EQ(records.size() % 3, 0u);
    const Principale::CGPoint at = Window()->PositionClic;
    for (size_t i = 0; i + 2 < records.size(); i += 3) {
      EXPECT_EQ(records[i].event.type, kCGEventLeftMouseDown) << "record " << i;
      EXPECT_EQ(records[i + 1].event.type, kCGEventLeftMouseUp) << "record " << i;
      EXPECT_EQ(records[i + 2].kind, RecordingSink::Record::Kind::kWarp) << "record " << i;
      EXPECT_EQ(records[i].point.x, at.x);
      EXPECT_EQ(records[i].point.y, at.y);
    }
    return static_cast<int>(records.size() / 3);
  }

  LampBundle bundle_;
  BarWatchingSink sink_;
  EventSink* previous_ = nullptr;
  fw::Ref<shell::App> app_;
};

TEST_F(CountdownTest, APressStartsWithTwoClicksAndASecondPressBeforeAnyTickStops) {
  fw::Ref<Principale> window = Window();
  window->Secondes = 90;
  ASSERT_FALSE(LampOn());

  EXPECT_FALSE(Press());
  EXPECT_TRUE(window->Actif);
  EXPECT_FALSE(Cible()->Visible());
  EXPECT_TRUE(LampOn());
  EXPECT_EQ(Clicks(), 2);
  EXPECT_THAT(sink_.barAtPost, testing::Each(60)) << "both clicks come before the bar is loaded";
  EXPECT_EQ(window->pbDelai()->Maximum(), 90);
  EXPECT_EQ(Bar(), 90);
  EXPECT_EQ(window->tDelai()->Mode(), 2);
  EXPECT_EQ(Shown(), "60") << "only a tick writes the countdown";

  EXPECT_FALSE(Press());
  EXPECT_FALSE(window->Actif);
  EXPECT_TRUE(Cible()->Visible());
  EXPECT_FALSE(LampOn());
  EXPECT_EQ(window->cDel()->Backdrop().get(), iDEL0().get());
  EXPECT_EQ(window->tDelai()->Mode(), 0);
  EXPECT_EQ(Clicks(), 2) << "stopping clicks nowhere";
  EXPECT_EQ(window->pbDelai()->Maximum(), 90);
  EXPECT_EQ(Bar(), 90);
  EXPECT_EQ(Shown(), "60");
}

TEST_F(CountdownTest, ACycleOfThreeSecondsTakesFourTicksAndClicksOnTheReload) {
  Window()->Secondes = 3;
  Press();
  // The bar after each tick, and the clicks so far.
  const std::pair<int32_t, int> steps[] = {{2, 2}, {1, 2}, {0, 2}, {3, 3},
                                           {2, 3}, {1, 3}, {0, 3}, {3, 4}};
  for (const auto& [bar, clicks] : steps) {
    Tick();
    EXPECT_EQ(Bar(), bar);
    EXPECT_EQ(Shown(), std::to_string(bar));
    EXPECT_EQ(Clicks(), clicks) << "at " << bar;
  }
  EXPECT_EQ(sink_.barAtPost.back(), 3) << "the tick's click comes after the reload";
}

TEST_F(CountdownTest, WithoutAVariationTheGeneratorIsNeverUsed) {
  app_->Randomizer = nullptr;
  Window()->Secondes = 2;
  testing::internal::CaptureStderr();
  Press();
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              testing::Not(testing::HasSubstr("Exception")));
  EXPECT_EQ(Window()->tDelai()->Mode(), 2);
  EXPECT_EQ(Bar(), 2);
  EXPECT_EQ(Clicks(), 3);
}

TEST_F(CountdownTest, AVariationDrawsEveryDelayWithinItsRangeAndNoneOutside) {
  fw::Ref<Principale> window = Window();
  window->Secondes = 10;
  window->PlusMoins = 2;
  app_->Randomizer->SetSeed(7);
  std::set<int32_t> drawn;
  for (int i = 0; i < 100; ++i) {
    Press();  // a start draws
    drawn.insert(window->pbDelai()->Maximum());
    EXPECT_EQ(Bar(), window->pbDelai()->Maximum());
    window->pbDelai()->Value(0);
    Tick();  // so does a reload
    drawn.insert(window->pbDelai()->Maximum());
    EXPECT_EQ(Shown(), std::to_string(window->pbDelai()->Maximum()));
    Press();
  }
  EXPECT_EQ(drawn, (std::set<int32_t>{8, 9, 10, 11, 12}));
}

TEST_F(CountdownTest, ABarBelowZeroIsOnlyShown) {
  Press();
  Window()->pbDelai()->Value(-3);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(Bar(), -3);
  EXPECT_EQ(Window()->pbDelai()->Maximum(), 60);
  EXPECT_EQ(Shown(), "-3");
  EXPECT_EQ(Clicks(), 2);
}

TEST_F(CountdownTest, AStartAfterAStopLoadsAFreshDelayAndKeepsTheOldCountShownUntilATick) {
  fw::Ref<Principale> window = Window();
  window->Secondes = 30;
  Press();
  for (int i = 0; i < 13; ++i) Tick();
  ASSERT_EQ(Shown(), "17");
  Press();
  ASSERT_EQ(Bar(), 17);

  Press();
  EXPECT_EQ(Clicks(), 4);
  EXPECT_EQ(Bar(), 30) << "the 17 seconds left are dropped";
  EXPECT_EQ(window->pbDelai()->Maximum(), 30);
  EXPECT_EQ(Shown(), "17");
  Tick();
  EXPECT_EQ(Shown(), "29");
}

TEST_F(CountdownTest, TheLampShowsAFingerWhileThePointerIsOverItRunningOrNot) {
  fw::Ref<fw::Canvas> lamp = Window()->cDel();
  for (bool running : {false, true}) {
    lamp->RaiseMouseEnter();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::FingerPointer) << running;
    lamp->RaiseMouseExit();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::Standard) << running;
    Press();
  }
}

// The main window that ::Principale() builds is a RefusingPrincipale.
class RefusedClickTest : public CountdownTest {
 protected:
  void SetUp() override {
    CountdownTest::SetUp();
    RefusingPrincipale::refuse = false;
    record_ = const_cast<fw::ClassRecord*>(Principale::__Lookup());
    saved_ = record_->create;
    record_->create = &fw::RuntimeFactory<RefusingPrincipale>;
  }
  void TearDown() override {
    CountdownTest::TearDown();
    record_->create = saved_;
  }
  fw::ClassRecord* record_ = nullptr;
  fw::Object* (*saved_)() = nullptr;
};

TEST_F(RefusedClickTest, AFailedStartLeavesTheLampOnAndTheTimerOffUntilThePressThatStops) {
  RefusingPrincipale::refuse = true;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Press());
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("click refused"));
  EXPECT_TRUE(Window()->Actif);
  EXPECT_TRUE(LampOn());
  EXPECT_FALSE(Cible()->Visible());
  EXPECT_EQ(Window()->tDelai()->Mode(), 0);

  RefusingPrincipale::refuse = false;
  Press();
  EXPECT_FALSE(Window()->Actif);
  EXPECT_FALSE(LampOn());
  EXPECT_TRUE(Cible()->Visible());
  EXPECT_EQ(Clicks(), 0);
}

TEST_F(RefusedClickTest, AFailedTickClickLeavesTheBarReloadedAndTheNextTickCountsOn) {
  Window()->Secondes = 3;
  Press();
  for (int i = 0; i < 3; ++i) Tick();
  RefusingPrincipale::refuse = true;
  testing::internal::CaptureStderr();
  Tick();
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("click refused"));
  EXPECT_EQ(Bar(), 3);
  EXPECT_EQ(Shown(), "0");

  RefusingPrincipale::refuse = false;
  Tick();
  EXPECT_EQ(Bar(), 2);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(Window()->tDelai()->Mode(), 2);
}

}  // namespace
