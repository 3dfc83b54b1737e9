#pragma once

#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"

namespace WindowExtensions {

// Makes a window see-through to the given degree (0 clear, 1 opaque) by sending its native
// window setAlphaValue:. A nil window raises NilObjectException; a native failure arrives as
// ObjCException.
void Opacity(const fw::Ref<fw::Window>& w, float value);

}  // namespace WindowExtensions
