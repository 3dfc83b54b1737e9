#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

int gBackgroundTasks = 0;
void CountBackgroundTasks(const std::string& step) {
  gBackgroundTasks += step == "RuntimeBackgroundTask";
}

using ClickTest = AppFixture;

// Each click posts a press and a release at the click point and puts the pointer back; the button
// is the right one only when the right segment alone is selected. The segment search yields once
// for each unselected segment it passes.
TEST_F(ClickTest, EachSelectionClicksItsButtonAtThePointAndYieldsPerSegmentPassed) {
  fw::Ref<Principale> window = ::Principale();
  window->PositionClic = {157, 404};
  fw::RuntimeSetTraceHook(&CountBackgroundTasks);
  EXPECT_EQ(window->BoutonSelectionne(fw::RuntimeNew<fw::SegmentedControl>().get()), 0);
  EXPECT_EQ(gBackgroundTasks, 0) << "no segments";

  fw::SegmentedControl& sc = fw::Checked(window->scCliqueGaucheDroit());
  sc.SelectionType(fw::SegmentedControl::kSelectMany);
  struct Case {
    bool left, right;
    CGEventType down;
    int tasks;
  };
  std::vector<std::string> expected;
  for (const Case& c :
       {Case{true, false, kCGEventLeftMouseDown, 0}, Case{false, true, kCGEventRightMouseDown, 1},
        Case{false, false, kCGEventLeftMouseDown, 2}, Case{true, true, kCGEventLeftMouseDown, 0}}) {
    fw::Checked(sc.Items()).Item(0)->Selected(c.left);
    fw::Checked(sc.Items()).Item(1)->Selected(c.right);
    gBackgroundTasks = 0;
    window->Cliquer();
    EXPECT_EQ(gBackgroundTasks, c.tasks) << c.left << c.right;
    const std::vector<std::string> click = ClickAt(c.down, 157, 404);
    expected.insert(expected.end(), click.begin(), click.end());
  }
  EXPECT_EQ(Seen(sink_), expected);
}

}  // namespace
