#include <QColor>
#include <QImage>
#include <QLabel>
#include <climits>
#include <cstdlib>

#include "FrameworkTestSupport.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"

namespace {

bool Near(QColor c, fw::Color expected, int tolerance = 6) {
  return std::abs(c.red() - expected.red) <= tolerance &&
         std::abs(c.green() - expected.green) <= tolerance &&
         std::abs(c.blue() - expected.blue) <= tolerance;
}

// What the window of a control shows, in window coordinates.
QImage Screen(fw::Control& control) {
  return WidgetOf(control)->window()->grab().toImage();
}

using StaticControlsTest = ControlsTest;

TEST_F(StaticControlsTest, ProgressBarKeepsValueAsSetAndShowsItClamped) {
  fw::Ref<fw::ProgressBar> bar = Add<fw::ProgressBar>("pbDelai", 10, 85, 95, 20);
  // The green pixels along the middle row of the bar.
  auto filled = [&] {
    const QImage image = Screen(*bar);
    int count = 0;
    for (int x = 10; x < 105; ++x) count += Near(image.pixelColor(x, 95), {0x66, 0xFF, 0x66}, 60);
    return count;
  };
  bar->Maximum(60);
  bar->Value(60);
  const int full = filled();
  EXPECT_GE(full, 90) << "a value at the maximum fills the whole bar";

  // clang-format off
  const struct { int32_t value, maximum; int filled, slack; } cases[] = {
      {30, 60, full / 2, 3}, {75, 60, full, 0}, {-3, 60, 0, 0}, {INT32_MAX, INT32_MAX, full, 0},
      {INT32_MIN, INT32_MAX, 0, 0}, {3, 0, 0, 0}, {3, -5, 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    bar->Maximum(c.maximum);
    bar->Value(c.value);
    EXPECT_EQ(bar->Value(), c.value);
    EXPECT_EQ(bar->Maximum(), c.maximum);
    EXPECT_NEAR(filled(), c.filled, c.slack) << c.value << " of " << c.maximum;
  }
}

TEST_F(StaticControlsTest, LabelTextColourAndAlignmentReachTheWidget) {
  fw::Ref<fw::Label> label = Add<fw::Label>("lDecompte", 10, 65, 95, 16,
                                            {{"Text", std::string("60")},
                                             {"TextAlign", int32_t{1}},
                                             {"TextColor", fw::Color{1, 2, 3}},
                                             {"Bold", true}});
  auto* shown = qobject_cast<QLabel*>(WidgetOf(*label));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text(), "60");
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(shown->palette().color(QPalette::Active, QPalette::WindowText), QColor(1, 2, 3));
  EXPECT_TRUE(shown->font().bold());

  label->Text("\xC2\xB1 0");  // "± 0" in UTF-8
  EXPECT_EQ(shown->text(), QString(QChar(0x00B1)) + " 0");
  label->TextAlign(2);
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  label->TextAlign(7);
  EXPECT_EQ(label->TextAlign(), 7);
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  label->TextColor(fw::Color{0x66, 0xFF, 0x66});
  EXPECT_EQ(shown->palette().color(QPalette::Active, QPalette::WindowText),
            QColor(0x66, 0xFF, 0x66));
}

TEST_F(StaticControlsTest, ALabelInsideARoundRectangleIsPlacedInItAndDrawnAboveIt) {
  fw::Ref<fw::RoundRectangle> frame = Add<fw::RoundRectangle>(
      "rrCadreDelai", 10, 168, 95, 22,
      {{"FillColor", fw::Color{0x80, 0x80, 0x80}}, {"BorderColor", fw::Color{0xE6, 0xE6, 0xE6}}});
  fw::Ref<fw::Label> label = Add<fw::Label>("lDelai", 11, 169, 93, 20,
                                            {{"Text", std::string("888")},
                                             {"TextColor", fw::Color{255, 255, 255}},
                                             {"Transparent", true},
                                             {"InitialParent", std::string("rrCadreDelai")}});

  EXPECT_EQ(WidgetOf(*label)->parentWidget(), WidgetOf(*frame));
  EXPECT_EQ(WidgetOf(*label)->geometry(), QRect(1, 1, 93, 20));
  EXPECT_EQ(label->Left(), 11) << "still in window coordinates";

  const QImage image = Screen(*label);
  int white = 0;
  for (int y = 169; y < 189; ++y) {
    for (int x = 11; x < 104; ++x) white += Near(image.pixelColor(x, y), {0xFF, 0xFF, 0xFF}, 30);
  }
  EXPECT_GT(white, 5) << "the text shows over the fill";
  EXPECT_TRUE(Near(image.pixelColor(14, 179), {0x80, 0x80, 0x80})) << "the fill shows through";
  EXPECT_TRUE(Near(image.pixelColor(10, 168), kGrey)) << "the corner is cut off";
}

}  // namespace
