#include "framework/ui/MouseCursor.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

using EventDispatchTest = AppFixture;

// The lamp's enter and exit share one dispatch routine, yet each reaches its own handler, running
// or not.
TEST_F(EventDispatchTest, ThePointerOverTheLampIsAFingerAndLeavingItRestoresTheStandardOne) {
  fw::Ref<fw::Canvas> lamp = ::Principale()->cDel();
  for (bool running : {false, true}) {
    lamp->RaiseMouseEnter();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::FingerPointer) << running;
    lamp->RaiseMouseExit();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::Standard) << running;
    lamp->RaiseMouseDown(10, 10);
  }
}

}  // namespace
