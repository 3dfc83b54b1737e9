#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "framework/app/ScreenPixels.h"
#include "support/RuntimeFixture.h"

namespace {

// Two monitors side by side, 1920x1080 server pixels each, the left scaled by 1.5 and the right
// by 2: in logical pixels the left is 1280x720 at 0,0 and the right 960x540 at 1920,0, with a gap
// between them. As on X11, the toolkit scales each screen by its logical DPI over the base DPI,
// the platform's own ratio staying 1.
constexpr char kScreens[] = R"({"screens": [
  {"name": "L", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 144,
   "logicalBaseDpi": 96, "dpr": 1},
  {"name": "R", "x": 1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 192,
   "logicalBaseDpi": 96, "dpr": 1}
]})";

struct Mapping {
  const char* name;
  CGPoint logical;
  ServerPoint server;
};

void PrintTo(const Mapping& m, std::ostream* os) {
  *os << m.name;
}

// The toolkit reads the platform when its application is created, so every test gets a fresh one
// on these screens and gives the usual platform back to the tests after it.
class ScreenPixelsTest : public RuntimeFixture, public testing::WithParamInterface<Mapping> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const std::string config = dir_.filePath("screens.json").toStdString();
    std::ofstream(config) << kScreens;
    if (const char* platform = std::getenv("QT_QPA_PLATFORM")) saved_ = platform;
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    RuntimeFixture::SetUp();
    InitFramework();
  }
  void TearDown() override {
    RuntimeFixture::TearDown();
    if (saved_) {
      setenv("QT_QPA_PLATFORM", saved_->c_str(), 1);
    } else {
      unsetenv("QT_QPA_PLATFORM");
    }
  }

  QTemporaryDir dir_;
  std::optional<std::string> saved_;
};

TEST_P(ScreenPixelsTest, MapsAPointByItsScreenOrElseByTheNearest) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  ASSERT_EQ(screens.size(), 2);
  ASSERT_EQ(screens[0]->geometry(), QRect(0, 0, 1280, 720));
  ASSERT_EQ(screens[1]->geometry(), QRect(1920, 0, 960, 540));

  const Mapping& m = GetParam();
  const ServerPoint server = fw::LogicalToServer(m.logical);
  EXPECT_EQ(std::pair(server.x, server.y), std::pair(m.server.x, m.server.y));
}

INSTANTIATE_TEST_SUITE_P(
    TwoMonitorsScaledApart, ScreenPixelsTest,
    testing::Values(Mapping{"OnTheLeft", {100, 200}, {150, 300}},
                    Mapping{"OnTheRight", {2400, 300}, {2880, 600}},
                    Mapping{"BeyondTheRight", {3000, 100}, {4080, 200}},
                    Mapping{"BelowTheRight", {2000, 700}, {2080, 1400}},
                    Mapping{"InTheGapNearerTheRight", {1800, 100}, {1680, 200}},
                    Mapping{"LeftOfTheLeft", {-50, 100}, {-75, 150}},
                    Mapping{"AboveTheLeft", {200, -40}, {300, -60}}),
    [](const testing::TestParamInfo<Mapping>& info) { return std::string(info.param.name); });

}  // namespace
