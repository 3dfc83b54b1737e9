#pragma once

#include <cstdint>

#include "framework/runtime/Ref.h"

namespace fw {

class Window;

// A non-visual child of a window (a timer) that keeps its own reference to the window and its
// index. The window tells it both when it is added and clears the window when it closes.
class PaneChild {
 public:
  virtual ~PaneChild() = default;
  virtual void _SetWindow(Ref<fw::Window> window) = 0;
  virtual Ref<fw::Window> Window() = 0;
  virtual int32_t _Index() = 0;
  virtual void _SetIndex(int32_t index) = 0;
};

}  // namespace fw
