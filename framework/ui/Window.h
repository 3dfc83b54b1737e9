#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/Picture.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"
#include "framework/runtime/Value.h"

namespace fw {

class Control;

namespace internal {
struct WindowPeerLink;
}

// A top-level window. It holds its own property values and owns a toolkit widget (its peer) that
// only shows them. Left, Top, Width and Height are the content area in global screen pixels,
// whatever frame a window manager draws around it.
class Window : public Object {
 public:
  static const ClassRecord* __Lookup();

  Window();
  ~Window() override;

  // Builds and opens the window: registers it under its class name (so that _GetImplicitWindow
  // finds it from inside its own events), raises Layout, CreateControls and Open, then shows it
  // if Visible.
  virtual void Constructor();

  // Events. Subclasses override the ones they hook.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void Event_Open() {}
  virtual void Event_Close() {}
  virtual void Event_Moved() {}

  int32_t Left() const;
  void Left(int32_t value);
  int32_t Top() const;
  void Top(int32_t value);
  int32_t Width() const;
  void Width(int32_t value);
  int32_t Height() const;
  void Height(int32_t value);
  int32_t MinWidth() const;
  void MinWidth(int32_t value);
  int32_t MinHeight() const;
  void MinHeight(int32_t value);
  int32_t MaxWidth() const;
  void MaxWidth(int32_t value);
  int32_t MaxHeight() const;
  void MaxHeight(int32_t value);

  std::string Title() const;
  void Title(const std::string& value);
  bool Visible() const;
  void Visible(bool value);
  Color BackColor() const;
  void BackColor(Color value);
  bool HasBackColor() const;
  void HasBackColor(bool value);

  // Codes: Placement 0 as set, 2 centred on the main screen, 3 centred on the screen of the
  // active window; Frame 7 a titled window that stays above other applications' windows.
  int32_t Placement() const;
  void Placement(int32_t value);
  int32_t Frame() const;
  void Frame(int32_t value);
  bool CloseButton() const;
  void CloseButton(bool value);
  bool MinimizeButton() const;
  void MinimizeButton(bool value);
  bool MaximizeButton() const;
  void MaximizeButton(bool value);
  bool FullScreenButton() const;
  void FullScreenButton(bool value);
  bool Resizeable() const;
  void Resizeable(bool value);
  bool FullScreen() const;
  void FullScreen(bool value);

  // The picture drawn as the window's background from its top-left corner; nil for none.
  Ref<Picture> Backdrop() const;
  void Backdrop(const Ref<Picture>& value);

  void Show();
  void SetFocus();

  // The native window object behind this window, which answers setAlphaValue:. Null until the
  // window is built and after its peer is gone.
  void* Handle() const;

  // A new object of a class, for the window's controls and their parts; a control made here
  // belongs to this window.
  Ref<Object> __New(const ClassRecord* cls);
  // Registers a control under a name and gives it its widget inside the window. A control that is
  // a PaneChild learns its window.
  void _AddControl(const Ref<Object>& control, const std::string& name);
  // The control registered under a name, or nil.
  Ref<Object> _ControlByName(const std::string& name) const;
  // Drops every control with its event registrations, which breaks the reference cycles between
  // the window and the delegates and timers bound to it.
  void _ReleaseControls();

  // The frame that a window manager draws around the window, in the window's pixels: its title
  // bar above and its borders. Nothing when no window manager reports frames.
  struct FrameWidths {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
  };
  std::optional<FrameWidths> _FrameWidths();

  // Whether the window has been built and not closed.
  bool IsOpen() const;

  // Called by the peer.
  void _PeerMoved(int32_t left, int32_t top);
  // Whether the window closes: not when it has no close button.
  bool _PeerCloseRequested();

  void _DesignPropertiesApplied() override;
  // Deletes the toolkit widget; the window keeps its properties.
  void _DestroyPeer();
  void _SetAlphaValue(float alpha);

 private:
  void ApplyGeometry();
  void ApplyFlags();
  void ApplyBackground();
  void MovedTo(int32_t left, int32_t top);

  int32_t left_ = 0, top_ = 0, width_ = 100, height_ = 100;
  int32_t minWidth_ = 0, minHeight_ = 0, maxWidth_ = 32000, maxHeight_ = 32000;
  std::string title_;
  bool visible_ = false;
  Color backColor_{255, 255, 255};
  bool hasBackColor_ = false;
  int32_t placement_ = 0;
  int32_t frame_ = 0;
  bool closeButton_ = true, minimizeButton_ = true, maximizeButton_ = true;
  bool fullScreenButton_ = false, resizeable_ = true, fullScreen_ = false;
  Ref<Picture> backdrop_;
  void* native_ = nullptr;
  bool built_ = false;  // Open has been raised
  bool closed_ = false;

  std::vector<std::pair<std::string, Ref<Control>>> controls_;
  std::unique_ptr<internal::WindowPeerLink> peer_;
};

// The live window registered under a class name, or nil.
Ref<Window> _GetImplicitWindow(const std::string& className);

}  // namespace fw
