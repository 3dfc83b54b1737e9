#include "framework/ui/controls/Label.h"

#include <QApplication>
#include <QLabel>

#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/PropertyDefinition.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

// Fits "959-999" in bold within 78 pixels and one line within a 16-pixel-high label.
constexpr int kTextPixelSize = 12;
// Disabled text keeps its colour, faded.
constexpr int kDisabledAlpha = 110;

QLabel* ShownBy(Label& label) {
  return static_cast<QLabel*>(label._Peer().widget.data());
}

}  // namespace

const ClassRecord* Label::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Label", Control::__Lookup(), &RuntimeFactory<Label>);
    r->setters = {
        {"Text", StringSetter<Label, &Label::Text>},
        {"TextUnit", IntSetter<Label, &Label::TextUnit>},
        {"TextAlign", IntSetter<Label, &Label::TextAlign>},
        {"TextColor", ColorSetter<Label, &Label::TextColor>},
        {"Bold", BoolSetter<Label, &Label::Bold>},
        {"Italic", BoolSetter<Label, &Label::Italic>},
        {"Underline", BoolSetter<Label, &Label::Underline>},
        {"TextFont", StringSetter<Label, &Label::TextFont>},
        {"Multiline", BoolSetter<Label, &Label::Multiline>},
        {"Selectable", BoolSetter<Label, &Label::Selectable>},
        {"Transparent", BoolSetter<Label, &Label::Transparent>},
        // Kept and read back: labels here are not bound to databases.
        {"DataSource", &StoreOnlySetter},
        {"DataField", &StoreOnlySetter},
    };
    return r;
  }();
  return record;
}

Label::Label() = default;

Label::~Label() = default;

BREM_DEFINE_PROPERTY(Label, int32_t, TextUnit, textUnit_, (void)0)
BREM_DEFINE_PROPERTY(Label, int32_t, TextAlign, textAlign_, ApplyLayout())
BREM_DEFINE_PROPERTY(Label, Color, TextColor, textColor_, ApplyColor())
BREM_DEFINE_PROPERTY(Label, bool, Bold, bold_, ApplyFont())
BREM_DEFINE_PROPERTY(Label, bool, Italic, italic_, ApplyFont())
BREM_DEFINE_PROPERTY(Label, bool, Underline, underline_, ApplyFont())
BREM_DEFINE_PROPERTY(Label, bool, Multiline, multiline_, ApplyLayout())
BREM_DEFINE_PROPERTY(Label, bool, Selectable, selectable_, ApplyInteraction())
BREM_DEFINE_PROPERTY(Label, bool, Transparent, transparent_, ApplyBackground())

std::string Label::Text() const {
  RuntimeCheckMainThread("Label.Text");
  return text_;
}

void Label::Text(const std::string& value) {
  RuntimeCheckMainThread("Label.Text");
  text_ = value;
  ApplyText();
}

std::string Label::TextFont() const {
  RuntimeCheckMainThread("Label.TextFont");
  return textFont_;
}

void Label::TextFont(const std::string& value) {
  RuntimeCheckMainThread("Label.TextFont");
  textFont_ = value;
  ApplyFont();
}

void Label::BuildPeer(internal::ControlPeerLink& link) {
  auto* label = new QLabel;
  // Shown as typed: a "<" in the text is not markup.
  label->setTextFormat(Qt::PlainText);
  label->setContentsMargins(0, 0, 0, 0);
  label->setMargin(0);
  link.widget = label;
}

void Label::SyncPeer() {
  ApplyText();
  ApplyFont();
  ApplyLayout();
  ApplyColor();
  ApplyInteraction();
  ApplyBackground();
}

void Label::ApplyText() {
  if (QLabel* label = ShownBy(*this)) label->setText(QString::fromStdString(text_));
}

void Label::ApplyFont() {
  QLabel* label = ShownBy(*this);
  if (!label) return;
  QFont font = QApplication::font();
  if (!textFont_.empty() && textFont_ != "System")
    font.setFamily(QString::fromStdString(textFont_));
  font.setPixelSize(kTextPixelSize);
  font.setBold(bold_);
  font.setItalic(italic_);
  font.setUnderline(underline_);
  label->setFont(font);
}

void Label::ApplyLayout() {
  QLabel* label = ShownBy(*this);
  if (!label) return;
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (textAlign_ == kAlignCenter) horizontal = Qt::AlignHCenter;
  if (textAlign_ == kAlignRight) horizontal = Qt::AlignRight;
  label->setAlignment(horizontal | (multiline_ ? Qt::AlignTop : Qt::AlignVCenter));
  label->setWordWrap(multiline_);
}

void Label::ApplyColor() {
  QLabel* label = ShownBy(*this);
  if (!label) return;
  const QColor color(textColor_.red, textColor_.green, textColor_.blue);
  QColor faded = color;
  faded.setAlpha(kDisabledAlpha);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Active, QPalette::WindowText, color);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, faded);
  label->setPalette(palette);
}

void Label::ApplyInteraction() {
  if (QLabel* label = ShownBy(*this)) {
    label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
  }
}

void Label::ApplyBackground() {
  // An opaque label fills with the palette's Window colour, inherited from its container.
  if (QLabel* label = ShownBy(*this)) label->setAutoFillBackground(!transparent_);
}

}  // namespace fw
