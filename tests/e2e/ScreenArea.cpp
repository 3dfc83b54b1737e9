#include "ScreenArea.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace e2e {

bool ScreenArea::Changed() {
  XImage* image = XGetImage(session_.display(), session_.root(), area_.origin.x, area_.origin.y,
                            static_cast<unsigned int>(area_.width),
                            static_cast<unsigned int>(area_.height), AllPlanes, ZPixmap);
  // Only off the screen: nothing there can change.
  if (!image) return false;
  const char* data = image->data;
  const auto size = static_cast<std::size_t>(image->bytes_per_line) * image->height;
  const bool changed = last_.size() != size || !std::equal(last_.begin(), last_.end(), data);
  if (changed) last_.assign(data, data + size);
  XDestroyImage(image);
  return changed;
}

}  // namespace e2e
