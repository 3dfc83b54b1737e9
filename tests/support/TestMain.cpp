#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // The tests build real windows; with no platform chosen they would look for an X server.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
