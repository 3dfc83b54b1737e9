#include <QPainter>
#include <QRadialGradient>

#include "Pictures.h"

namespace pictures {
namespace {

constexpr int kSize = 115;
// The click lands on pixel (57,57), with 57 pixels on either side; in painter coordinates
// that pixel's centre is (57.5,57.5), so every circle is centred there.
constexpr int kClickPixel = 57;
constexpr QPointF kCentre(kClickPixel + 0.5, kClickPixel + 0.5);

const QColor kInk(0x10, 0x10, 0x10);
const QColor kRed(0xf0, 0x24, 0x24);
const QColor kWhite(0xff, 0xff, 0xff);

void paintFace(QPainter& p) {
  QRadialGradient face(kCentre, kSize * 0.75);
  face.setColorAt(0.0, QColor(0x34, 0x34, 0x34));
  face.setColorAt(1.0, QColor(0x1c, 0x1c, 0x1c));
  p.fillRect(QRect(0, 0, kSize, kSize), face);

  // Light outside, dark inside: the window's edge shows on any desktop.
  p.setPen(kWhite);
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, kSize - 1, kSize - 1);
  p.setPen(kInk);
  p.drawRect(1, 1, kSize - 3, kSize - 3);
}

// Hairlines along the click pixel's row and column, each outlined in dark so that a white
// line stays visible over white windows. They stop short of the centre, which stays clear.
void paintCrosshair(QPainter& p) {
  constexpr int kGap = 15;
  constexpr int kStart = 2;
  constexpr int kLength = kClickPixel - kGap - kStart + 1;
  const int far = kClickPixel + kGap;
  for (const int from : {kStart, far}) {
    p.fillRect(from, kClickPixel - 1, kLength, 3, kInk);
    p.fillRect(kClickPixel - 1, from, 3, kLength, kInk);
  }
  for (const int from : {kStart, far}) {
    p.fillRect(from, kClickPixel, kLength, 1, kWhite);
    p.fillRect(kClickPixel, from, 1, kLength, kWhite);
  }
}

void paintRing(QPainter& p, double radius, double width, const QColor& colour) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, width + 3.0));
  p.drawEllipse(kCentre, radius, radius);
  p.setPen(QPen(colour, width));
  p.drawEllipse(kCentre, radius, radius);
}

// The click pixel itself in red, framed by a white and then a dark square, so the exact point
// is plain at a glance whatever lies underneath.
void paintCentreDot(QPainter& p) {
  p.fillRect(kClickPixel - 2, kClickPixel - 2, 5, 5, kInk);
  p.fillRect(kClickPixel - 1, kClickPixel - 1, 3, 3, kWhite);
  p.fillRect(kClickPixel, kClickPixel, 1, 1, kRed);
}

}  // namespace

QImage drawTarget() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  QPainter p(&image);
  paintFace(p);
  paintCrosshair(p);
  p.setRenderHint(QPainter::Antialiasing);
  paintRing(p, 44.0, 4.0, kRed);
  paintRing(p, 28.0, 3.0, kWhite);
  paintRing(p, 10.0, 3.0, kRed);
  p.setRenderHint(QPainter::Antialiasing, false);
  paintCentreDot(p);
  return image;
}

}  // namespace pictures
