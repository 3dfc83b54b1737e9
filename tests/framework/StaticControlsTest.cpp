#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/Separator.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "support/RuntimeFixture.h"

namespace {

const fw::Color kGrey{0x66, 0x66, 0x66};
const fw::Color kGreen{0x66, 0xFF, 0x66};

class HostWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "StaticControlsHost", fw::Window::__Lookup(), &fw::RuntimeFactory<HostWindow>);
    return record;
  }
};

// The properties every control of the main window lists first.
fw::PropertyList Common(const std::string& name, int32_t left, int32_t top, int32_t width,
                        int32_t height) {
  // clang-format off
  return {{"Name", name}, {"Index", int32_t{INT32_MIN}}, {"Left", left}, {"Top", top},
          {"Width", width}, {"Height", height}, {"LockLeft", true}, {"LockTop", true},
          {"LockRight", false}, {"LockBottom", false}, {"TabPanelIndex", int32_t{0}},
          {"Visible", true}, {"AutoDeactivate", true}, {"Enabled", true},
          {"HelpTag", std::string()}, {"InitialParent", std::string()}};
  // clang-format on
}

fw::PropertyList With(fw::PropertyList list, const fw::PropertyList& more) {
  list.insert(list.end(), more.begin(), more.end());
  return list;
}

bool IsGreen(QColor c) {
  return c.green() > 200 && c.red() < 160 && c.blue() < 160;
}

bool Near(QColor c, fw::Color expected, int tolerance = 6) {
  return std::abs(c.red() - expected.red) <= tolerance &&
         std::abs(c.green() - expected.green) <= tolerance &&
         std::abs(c.blue() - expected.blue) <= tolerance;
}

class StaticControlsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    window_ = fw::RuntimeNew<HostWindow>();
    // clang-format off
    fw::_SetProperties(window_.get(), {{"Width", int32_t{115}}, {"Height", int32_t{250}},
                                       {"HasBackColor", true}, {"BackColor", kGrey}});
    // clang-format on
    window_->Constructor();
  }

  void TearDown() override {
    window_ = nullptr;
    RuntimeFixture::TearDown();
  }

  // A control made by the window, given its design list, then registered (and so shown).
  template <class T>
  fw::Ref<T> Add(const std::string& name, const fw::PropertyList& list) {
    fw::Ref<fw::Object> object = window_->__New(T::__Lookup());
    fw::_SetProperties(object.get(), list);
    window_->_AddControl(object, name);
    return fw::RuntimeCast<T>(object);
  }

  static QWidget* WidgetOf(fw::Control& control) { return control._Peer().widget; }

  // What the window of a control shows, in window coordinates.
  static QImage Screen(fw::Control& control) {
    return WidgetOf(control)->window()->grab().toImage();
  }

  // The green pixels along the middle row of the bar.
  int FilledPixels(fw::ProgressBar& bar) {
    const QImage image = Screen(bar);
    int count = 0;
    for (int x = bar.Left(); x < bar.Left() + bar.Width(); ++x) {
      if (IsGreen(image.pixelColor(x, bar.Top() + bar.Height() / 2))) ++count;
    }
    return count;
  }

  fw::Ref<HostWindow> window_;
};

fw::PropertyList PbDelai() {
  return With(Common("pbDelai", 10, 85, 95, 20),
              {{"Value", int32_t{60}}, {"Maximum", int32_t{60}}});
}

TEST_F(StaticControlsTest, ProgressBarKeepsValueAsSetAndShowsItClamped) {
  fw::Ref<fw::ProgressBar> bar = Add<fw::ProgressBar>("pbDelai", PbDelai());
  EXPECT_EQ(bar->Value(), 60);
  EXPECT_EQ(bar->Maximum(), 60);
  EXPECT_EQ(WidgetOf(*bar)->geometry(), QRect(10, 85, 95, 20));
  const int full = FilledPixels(*bar);
  EXPECT_GE(full, 90) << "a value at the maximum fills the whole bar";

  bar->Value(30);
  EXPECT_NEAR(FilledPixels(*bar), full / 2, 3);

  bar->Value(75);
  EXPECT_EQ(bar->Value(), 75);
  EXPECT_EQ(FilledPixels(*bar), full);

  bar->Value(-3);
  EXPECT_EQ(bar->Value(), -3);
  EXPECT_EQ(FilledPixels(*bar), 0);

  bar->Value(INT32_MAX);
  bar->Maximum(INT32_MAX);
  EXPECT_EQ(FilledPixels(*bar), full);
  bar->Value(INT32_MIN);
  EXPECT_EQ(FilledPixels(*bar), 0);

  for (int32_t maximum : {0, -5}) {
    bar->Maximum(maximum);
    bar->Value(3);
    EXPECT_EQ(bar->Maximum(), maximum);
    EXPECT_EQ(FilledPixels(*bar), 0) << "Maximum " << maximum;
  }
}

fw::PropertyList LDecompte() {
  // clang-format off
  return With(Common("lDecompte", 10, 65, 95, 16),
              {{"TabIndex", int32_t{0}}, {"Text", std::string("60")}, {"TextAlign", int32_t{1}},
               {"TextColor", kGreen}, {"Multiline", false}, {"Selectable", false},
               {"Transparent", true}, {"TextFont", std::string("System")}, {"Bold", true},
               {"Italic", false}, {"Underline", false}, {"DataSource", std::string()},
               {"DataField", std::string()}});
  // clang-format on
}

TEST_F(StaticControlsTest, LabelShowsItsDesignList) {
  fw::Ref<fw::Label> label = Add<fw::Label>("lDecompte", LDecompte());
  auto* shown = qobject_cast<QLabel*>(WidgetOf(*label));
  ASSERT_NE(shown, nullptr);

  EXPECT_EQ(shown->text(), "60");
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(shown->palette().color(QPalette::WindowText), QColor(0x66, 0xFF, 0x66));
  EXPECT_TRUE(shown->font().bold());
  EXPECT_FALSE(shown->autoFillBackground());
  EXPECT_EQ(shown->textInteractionFlags(), Qt::NoTextInteraction);
  EXPECT_FALSE(shown->wordWrap());
  EXPECT_EQ(*label->StoredProperty("DataSource"), fw::Value(std::string()));
  EXPECT_EQ(*label->StoredProperty("DataField"), fw::Value(std::string()));
  const QFontMetrics metrics(shown->font());
  EXPECT_LE(metrics.horizontalAdvance("959-999"), 70) << "fits a 78-pixel label";
  EXPECT_LE(metrics.height(), 16);

  // The text is painted in its colour, centred: green pixels on both sides of the middle.
  const QImage image = Screen(*label);
  int left = 0, right = 0;
  for (int y = 65; y < 81; ++y) {
    for (int x = 10; x < 105; ++x) {
      if (IsGreen(image.pixelColor(x, y))) ++(x < 57 ? left : right);
    }
  }
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
}

TEST_F(StaticControlsTest, LabelChangesReadBackAsSetAndReachTheWidget) {
  fw::Ref<fw::Label> label = Add<fw::Label>("lPlusOuMoins", LDecompte());
  auto* shown = qobject_cast<QLabel*>(WidgetOf(*label));
  ASSERT_NE(shown, nullptr);

  const std::string plusMinus = "\xC2\xB1 0";  // "± 0" in UTF-8
  label->Text(plusMinus);
  EXPECT_EQ(label->Text(), plusMinus);
  EXPECT_EQ(shown->text(), QString(QChar(0x00B1)) + " 0");

  label->Text("<b>1</b>");
  EXPECT_EQ(shown->text(), "<b>1</b>");
  EXPECT_EQ(shown->textFormat(), Qt::PlainText) << "markup is shown as typed";

  label->TextAlign(2);
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  label->TextAlign(7);
  EXPECT_EQ(label->TextAlign(), 7);
  EXPECT_EQ(shown->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

  label->TextColor(fw::Color{1, 2, 3});
  EXPECT_EQ(label->TextColor(), (fw::Color{1, 2, 3}));
  EXPECT_EQ(shown->palette().color(QPalette::Active, QPalette::WindowText), QColor(1, 2, 3));

  label->Bold(false);
  label->Underline(true);
  label->TextFont("Serif");
  EXPECT_FALSE(shown->font().bold());
  EXPECT_TRUE(shown->font().underline());
  EXPECT_EQ(shown->font().family(), "Serif");

  label->Selectable(true);
  EXPECT_TRUE(shown->textInteractionFlags() & Qt::TextSelectableByMouse);
  label->Transparent(false);
  EXPECT_TRUE(shown->autoFillBackground());
  label->Multiline(true);
  EXPECT_TRUE(shown->wordWrap());
}

TEST_F(StaticControlsTest, SeparatorDrawsALightLineOverAShadow) {
  fw::Ref<fw::Separator> separator = Add<fw::Separator>(
      "sDiviseur",
      With(Common("sDiviseur", 0, 120, 115, 4), {{"TabIndex", int32_t{1}}, {"TabStop", true}}));
  EXPECT_EQ(*separator->StoredProperty("TabStop"), fw::Value(true));

  const QImage image = Screen(*separator);
  std::vector<int> lightness;
  for (int y = 120; y < 124; ++y) lightness.push_back(image.pixelColor(57, y).lightness());
  const int grey = QColor(0x66, 0x66, 0x66).lightness();
  const auto light =
      std::find_if(lightness.begin(), lightness.end(), [&](int l) { return l > grey + 20; });
  ASSERT_NE(light, lightness.end());
  ASSERT_NE(light + 1, lightness.end());
  EXPECT_LT(*(light + 1), grey - 20) << "a shadow right under the line";
}

fw::PropertyList RrCadreDelai() {
  // clang-format off
  return With(Common("rrCadreDelai", 10, 168, 95, 22),
              {{"TabIndex", int32_t{2}}, {"FillColor", fw::Color{0x80, 0x80, 0x80}},
               {"BorderWidth", int32_t{1}}, {"BorderColor", fw::Color{0xE6, 0xE6, 0xE6}},
               {"OvalWidth", int32_t{10}}, {"OvalHeight", int32_t{10}}});
  // clang-format on
}

TEST_F(StaticControlsTest, RoundRectanglePaintsItsColoursWithRoundedCorners) {
  fw::Ref<fw::RoundRectangle> frame = Add<fw::RoundRectangle>("rrCadreDelai", RrCadreDelai());
  QImage image = Screen(*frame);
  EXPECT_TRUE(Near(image.pixelColor(57, 179), {0x80, 0x80, 0x80}));
  EXPECT_TRUE(Near(image.pixelColor(57, 168), {0xE6, 0xE6, 0xE6})) << "border along the top";
  EXPECT_TRUE(Near(image.pixelColor(10, 179), {0xE6, 0xE6, 0xE6})) << "border along the side";
  EXPECT_TRUE(Near(image.pixelColor(10, 168), kGrey)) << "the corner is cut off";

  frame->BorderWidth(0);
  frame->OvalWidth(0);
  frame->OvalHeight(0);
  frame->FillColor(fw::Color{0, 0, 0xFF});
  image = Screen(*frame);
  EXPECT_TRUE(Near(image.pixelColor(10, 168), {0, 0, 0xFF})) << "square corner, no border";
  EXPECT_TRUE(Near(image.pixelColor(57, 168), {0, 0, 0xFF}));
}

// Later entries of a list override earlier ones.
fw::PropertyList LDelai() {
  // clang-format off
  return With(LDecompte(), {{"Left", int32_t{11}}, {"Top", int32_t{169}}, {"Width", int32_t{93}},
                            {"Height", int32_t{20}}, {"Text", std::string("888")},
                            {"TextColor", fw::Color{255, 255, 255}},
                            {"InitialParent", std::string("rrCadreDelai")}});
  // clang-format on
}

TEST_F(StaticControlsTest, ALabelInsideARoundRectangleIsPlacedInItAndDrawnAboveIt) {
  fw::Ref<fw::RoundRectangle> frame = Add<fw::RoundRectangle>("rrCadreDelai", RrCadreDelai());
  fw::Ref<fw::Label> label = Add<fw::Label>("lDelai", LDelai());

  EXPECT_EQ(WidgetOf(*label)->parentWidget(), WidgetOf(*frame));
  EXPECT_EQ(WidgetOf(*label)->geometry(), QRect(1, 1, 93, 20));
  EXPECT_EQ(label->Left(), 11) << "still in window coordinates";

  const QImage image = Screen(*label);
  int white = 0;
  for (int y = 169; y < 189; ++y) {
    for (int x = 11; x < 104; ++x) {
      if (Near(image.pixelColor(x, y), {0xFF, 0xFF, 0xFF}, 30)) ++white;
    }
  }
  EXPECT_GT(white, 5) << "the text shows over the fill";
  EXPECT_TRUE(Near(image.pixelColor(14, 179), {0x80, 0x80, 0x80})) << "the fill shows through";
}

}  // namespace
