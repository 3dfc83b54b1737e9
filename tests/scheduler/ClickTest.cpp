#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

using ClickTest = AppFixture;

// Each click posts a press and a release at the click point and puts the pointer back; the button
// is the right one only when the right segment alone is selected.
TEST_F(ClickTest, EachSelectionClicksItsButtonAtThePointAndPutsThePointerBack) {
  fw::Ref<Principale> window = ::Principale();
  window->PositionClic = {157, 404};
  fw::SegmentedControl& sc = fw::Checked(window->scCliqueGaucheDroit());
  sc.SelectionType(fw::SegmentedControl::kSelectMany);
  struct Case {
    bool left, right;
    CGEventType down;
  };
  std::vector<std::string> expected;
  for (const Case& c :
       {Case{true, false, kCGEventLeftMouseDown}, Case{false, true, kCGEventRightMouseDown},
        Case{false, false, kCGEventLeftMouseDown}, Case{true, true, kCGEventLeftMouseDown}}) {
    fw::Checked(sc.Items()).Item(0)->Selected(c.left);
    fw::Checked(sc.Items()).Item(1)->Selected(c.right);
    window->Cliquer();
    const std::vector<std::string> click = ClickAt(c.down, 157, 404);
    expected.insert(expected.end(), click.begin(), click.end());
  }
  EXPECT_EQ(Seen(sink_), expected);
}

}  // namespace
