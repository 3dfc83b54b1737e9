#pragma once

#include <QImage>

// Each function paints one of the program's pictures from scratch, at the exact size the
// program shows it, so that nothing is scaled when it is drawn on screen.
namespace pictures {

enum class MouseButton { Left, Right };

QImage drawBackground();
QImage drawTarget();
QImage drawLamp(bool lit);
QImage drawMouse(MouseButton highlighted);

}  // namespace pictures
