#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "Pictures.h"

namespace pictures {
namespace {

constexpr int kSize = 48;
constexpr QPointF kCentre(24.0, 24.0);
constexpr double kBezelRadius = 23.0;
constexpr double kRimRadius = 21.0;
constexpr double kGlassRadius = 18.0;

void paintDisc(QPainter& p, double radius, const QBrush& brush) {
  p.setPen(Qt::NoPen);
  p.setBrush(brush);
  p.drawEllipse(kCentre, radius, radius);
}

// A raised metal ring: the outer slope faces up towards the light, the inner slope away.
void paintBezel(QPainter& p) {
  p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1.0));
  QLinearGradient outer(0, kCentre.y() - kBezelRadius, 0, kCentre.y() + kBezelRadius);
  outer.setColorAt(0.0, QColor(0xe4, 0xe4, 0xe4));
  outer.setColorAt(1.0, QColor(0x4a, 0x4a, 0x4a));
  p.setBrush(outer);
  p.drawEllipse(kCentre, kBezelRadius, kBezelRadius);

  QLinearGradient inner(0, kCentre.y() - kRimRadius, 0, kCentre.y() + kRimRadius);
  inner.setColorAt(0.0, QColor(0x3a, 0x3a, 0x3a));
  inner.setColorAt(1.0, QColor(0xb8, 0xb8, 0xb8));
  paintDisc(p, kRimRadius, inner);
  paintDisc(p, kGlassRadius + 1.0, QColor(0x14, 0x14, 0x14));
}

void paintGlass(QPainter& p, bool lit) {
  // The hot spot sits a little above the middle, where the light seems to come from.
  QRadialGradient glass(kCentre, kGlassRadius, kCentre - QPointF(0, 4));
  if (lit) {
    glass.setColorAt(0.0, QColor(0xf2, 0xff, 0xee));
    glass.setColorAt(0.3, QColor(0x7a, 0xff, 0x6e));
    glass.setColorAt(0.75, QColor(0x22, 0xc8, 0x22));
    glass.setColorAt(1.0, QColor(0x0a, 0x78, 0x12));
  } else {
    glass.setColorAt(0.0, QColor(0x3c, 0x4a, 0x3c));
    glass.setColorAt(0.6, QColor(0x22, 0x2c, 0x22));
    glass.setColorAt(1.0, QColor(0x12, 0x18, 0x12));
  }
  paintDisc(p, kGlassRadius, glass);
}

// The reflection of a window on the curved glass: bright when lit, faint when dark.
void paintReflection(QPainter& p, bool lit) {
  const QRectF shine(kCentre.x() - 11.0, kCentre.y() - 16.0, 22.0, 13.0);
  QLinearGradient fade(0, shine.top(), 0, shine.bottom());
  fade.setColorAt(0.0, QColor(0xff, 0xff, 0xff, lit ? 210 : 90));
  fade.setColorAt(1.0, QColor(0xff, 0xff, 0xff, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(fade);
  p.drawEllipse(shine);
}

}  // namespace

QImage drawLamp(bool lit) {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  paintBezel(p);
  paintGlass(p, lit);
  paintReflection(p, lit);
  return image;
}

}  // namespace pictures
