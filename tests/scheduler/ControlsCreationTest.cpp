#include <gmock/gmock.h>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

using ControlsCreationTest = AppFixture;

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
