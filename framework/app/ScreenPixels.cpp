#include "framework/app/ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <limits>

namespace fw {
namespace {

const QScreen* NearestScreen(const QPointF& p) {
  const QScreen* nearest = nullptr;
  double best = std::numeric_limits<double>::max();
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRectF r = screen->geometry();
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    if (dx * dx + dy * dy < best) {
      best = dx * dx + dy * dy;
      nearest = screen;
    }
  }
  return nearest;
}

}  // namespace

// Qt keeps each screen's top-left corner at the same place in both kinds of pixels and scales
// from there; QCursor::pos(), which MouseX and MouseY read, maps the other way by the same rule.
ServerPoint LogicalToServer(CGPoint logical) {
  const QPointF p(logical.x, logical.y);
  const QScreen* screen = QGuiApplication::screenAt(p.toPoint());
  if (!screen) screen = NearestScreen(p);
  if (!screen) return {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))};
  const QPointF origin = screen->geometry().topLeft();
  const QPointF server = origin + (p - origin) * screen->devicePixelRatio();
  return {static_cast<int>(std::lround(server.x())), static_cast<int>(std::lround(server.y()))};
}

}  // namespace fw
