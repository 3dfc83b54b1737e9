#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

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

using ClickTest = AppFixture;

TEST_F(ClickTest, EachClickUsesTheRightButtonOnlyWhenTheRightSegmentAloneIsSelected) {
  fw::Ref<Principale> window = ::Principale();
  window->PositionClic = {157, 404};
  window->Cliquer();  // as the window made it
  std::vector<std::string> expected = ClickAt(kCGEventLeftMouseDown, 157, 404);
  struct Case {
    bool left, right;
    CGEventType down;
  };
  for (const Case& c :
       {Case{true, false, kCGEventLeftMouseDown}, Case{false, true, kCGEventRightMouseDown},
        Case{false, false, kCGEventLeftMouseDown}, Case{true, true, kCGEventLeftMouseDown}}) {
    Select(fw::Checked(window->scCliqueGaucheDroit()), c.left, c.right);
    window->Cliquer();
    const std::vector<std::string> click = ClickAt(c.down, 157, 404);
    expected.insert(expected.end(), click.begin(), click.end());
  }
  EXPECT_EQ(Seen(sink_), expected);
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
