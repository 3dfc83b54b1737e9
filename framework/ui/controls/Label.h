#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/Value.h"
#include "framework/ui/controls/Control.h"

namespace fw {

// A line (or, with Multiline, a block) of static text. Texts are UTF-8.
class Label : public Control {
 public:
  static constexpr int32_t kAlignLeft = 0;
  static constexpr int32_t kAlignCenter = 1;
  static constexpr int32_t kAlignRight = 2;

  static const ClassRecord* __Lookup();

  Label();
  ~Label() override;

  std::string Text() const;
  void Text(const std::string& value);
  // The unit of the text size; kept as set (0, points).
  int32_t TextUnit() const;
  void TextUnit(int32_t value);
  // kAlignLeft, kAlignCenter or kAlignRight; any other code reads back but shows left-aligned.
  int32_t TextAlign() const;
  void TextAlign(int32_t value);
  Color TextColor() const;
  void TextColor(Color value);
  bool Bold() const;
  void Bold(bool value);
  bool Italic() const;
  void Italic(bool value);
  bool Underline() const;
  void Underline(bool value);
  // A font family, or "System" for the system's own font.
  std::string TextFont() const;
  void TextFont(const std::string& value);
  // Wraps the text at the control's width and starts it at the top instead of centring one line.
  bool Multiline() const;
  void Multiline(bool value);
  // Lets the user select the text with the mouse (to copy it).
  bool Selectable() const;
  void Selectable(bool value);
  // Paints no background of its own, so that what lies behind shows through.
  bool Transparent() const;
  void Transparent(bool value);

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  void ApplyText();
  void ApplyFont();
  void ApplyLayout();
  void ApplyColor();
  void ApplyInteraction();
  void ApplyBackground();

  std::string text_;
  int32_t textUnit_ = 0;
  int32_t textAlign_ = kAlignLeft;
  Color textColor_{0, 0, 0};
  bool bold_ = false, italic_ = false, underline_ = false;
  std::string textFont_ = "System";
  bool multiline_ = false, selectable_ = false, transparent_ = false;
};

}  // namespace fw
