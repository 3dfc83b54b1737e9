#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <sstream>
#include <string>
#include <vector>

#include "framework/app/SystemObject.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "platform/events/QuartzEvents.h"
#include "platform/events/RecordingSink.h"
#include "scheduler/Principale.h"
#include "support/RuntimeFixture.h"

namespace {

using scheduler::Principale;
using Lines = std::vector<std::string>;

// What the sink saw, one line a record, so that a failure shows the whole sequence.
Lines Seen(const RecordingSink& sink) {
  Lines lines;
  for (const RecordingSink::Record& record : sink.Records()) {
    std::ostringstream line;
    if (record.kind == RecordingSink::Record::Kind::kWarp) {
      line << "warp";
    } else {
      line << "type " << record.event.type << " button " << record.event.button;
    }
    line << " at " << record.point.x << "," << record.point.y;
    lines.push_back(line.str());
  }
  return lines;
}

// One click as the sink should see it: the press, the release, the pointer put back at 300,200.
Lines ClickAt(CGEventType down, const std::string& at) {
  return {"type " + std::to_string(down) + " button 0 at " + at,
          "type " + std::to_string(down + 1) + " button 0 at " + at, "warp at 300,200"};
}

int gBackgroundTasks = 0;
void CountBackgroundTasks(const std::string& step) {
  if (step == "RuntimeBackgroundTask") ++gBackgroundTasks;
}

// Sets which of the first two segments are selected, both allowed.
void Select(fw::SegmentedControl& sc, bool left, bool right) {
  sc.SelectionType(fw::SegmentedControl::kSelectMany);
  fw::Checked(sc.Items()).Item(0)->Selected(left);
  fw::Checked(sc.Items()).Item(1)->Selected(right);
}

// A main window that never places its target, so its click point keeps its first value.
class UnplacedPrincipale : public Principale {
 public:
  void Event_Open() override {}
};

class ClickTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    CGEventSetSink(&sink_);
    liveAtStart_ = CGEventLiveObjects();
    // The offscreen platform keeps a pointer of its own, which the click saves and puts back.
    // Moving it queues a mouse event; left in the queue, it would reach the next test's toolkit
    // after this one's is gone.
    QCursor::setPos(300, 200);
    QCoreApplication::processEvents();
    ASSERT_EQ(fw::System()->MouseX(), 300);
    ASSERT_EQ(fw::System()->MouseY(), 200);
  }
  void TearDown() override {
    EXPECT_EQ(CGEventLiveObjects(), liveAtStart_) << "a source or an event was not released";
    CGEventSetSink(nullptr);
    RuntimeFixture::TearDown();
  }

  RecordingSink sink_;
  long liveAtStart_ = 0;
};

TEST_F(ClickTest, TheSelectedSegmentChoosesTheButtonAndAnythingButTheRightOneIsLeft) {
  fw::Ref<Principale> window = ::Principale();
  window->PositionClic = {157, 404};
  window->Cliquer();
  EXPECT_EQ(Seen(sink_), ClickAt(kCGEventLeftMouseDown, "157,404")) << "as the window made it";

  struct Case {
    bool left, right;
    CGEventType down;
  };
  for (const Case& c :
       {Case{true, false, kCGEventLeftMouseDown}, Case{false, true, kCGEventRightMouseDown},
        Case{false, false, kCGEventLeftMouseDown}, Case{true, true, kCGEventLeftMouseDown}}) {
    Select(fw::Checked(window->scCliqueGaucheDroit()), c.left, c.right);
    sink_.Clear();
    window->Cliquer();
    EXPECT_EQ(Seen(sink_), ClickAt(c.down, "157,404")) << "left " << c.left << " right " << c.right;
  }
}

TEST_F(ClickTest, BeforeTheTargetIsPlacedTwoClicksInARowGoToTheOrigin) {
  fw::Ref<Principale> window(static_cast<Principale*>(
      fw::RuntimeAdoptNew(new UnplacedPrincipale, Principale::__Lookup())));
  window->Constructor();
  window->Cliquer();
  window->Cliquer();
  const Lines once = ClickAt(kCGEventLeftMouseDown, "0,0");
  Lines twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(Seen(sink_), twice);
}

TEST_F(ClickTest, WithoutItsSelectorTheClickRaisesBeforePostingAnything) {
  fw::Ref<Principale> unbuilt = fw::RuntimeNew<Principale>();
  for (auto call : {+[](Principale& w) { w.BoutonSelectionne(nullptr); },
                    +[](Principale& w) { w.Cliquer(); }}) {
    auto raised = RaisedBy([&] { call(*unbuilt); });
    ASSERT_TRUE(raised);
    EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup()));
  }
  EXPECT_TRUE(sink_.Records().empty()) << "not even the pointer may move";
}

TEST_F(ClickTest, BoutonSelectionneYieldsOnceForEachUnselectedSegmentItPasses) {
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  fw::Ref<fw::SegmentedControl> sc = fw::RuntimeNew<fw::SegmentedControl>();
  gBackgroundTasks = 0;
  fw::RuntimeSetTraceHook(&CountBackgroundTasks);
  EXPECT_EQ(window->BoutonSelectionne(sc.get()), 0);
  EXPECT_EQ(gBackgroundTasks, 0) << "no segments";

  for (int i = 0; i < 2; ++i) {
    fw::Checked(sc->Items()).Append(fw::RuntimeNew<fw::SegmentedControlItem>());
  }
  struct Case {
    bool left, right;
    int32_t selected;
    int tasks;
  };
  for (const Case& c : {Case{true, false, 0, 0}, Case{false, true, 1, 1}, Case{false, false, 0, 2},
                        Case{true, true, 0, 0}}) {
    Select(*sc, c.left, c.right);
    gBackgroundTasks = 0;
    EXPECT_EQ(window->BoutonSelectionne(sc.get()), c.selected) << c.left << c.right;
    EXPECT_EQ(gBackgroundTasks, c.tasks) << c.left << c.right;
  }
}

}  // namespace
