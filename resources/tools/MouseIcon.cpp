#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Pictures.h"

namespace pictures {
namespace {

// An odd width puts the line between the two buttons on a whole pixel column, so it stays sharp.
constexpr int kWidth = 13;
constexpr int kHeight = 20;
constexpr int kMiddleColumn = kWidth / 2;
constexpr double kMiddle = kWidth / 2.0;

// Pixel-centred outline coordinates: a 1-pixel pen on x.5 lines covers whole pixels.
constexpr int kCordLength = 2;
constexpr QRectF kBody(0.5, kCordLength + 0.5, kWidth - 1.0, kHeight - kCordLength - 1.0);
constexpr int kButtonsBottom = 9;
constexpr double kCornerRadius = 6.0;

const QColor kOutline(0x1c, 0x1c, 0x1c);
const QColor kPressed(0x2e, 0xd0, 0x3a);

QPainterPath bodyPath() {
  QPainterPath path;
  path.addRoundedRect(kBody, kCornerRadius, kCornerRadius);
  return path;
}

QPainterPath buttonPath(MouseButton side) {
  const double left = side == MouseButton::Left ? kBody.left() : kMiddle;
  QPainterPath half;
  half.addRect(QRectF(left, kBody.top(), kWidth / 2.0, kButtonsBottom + 0.5 - kBody.top()));
  return half.intersected(bodyPath());
}

void paintCord(QPainter& p) {
  p.fillRect(kMiddleColumn, 0, 1, kCordLength + 1, kOutline);
}

void paintBody(QPainter& p) {
  QLinearGradient shell(kBody.left(), 0, kBody.right(), 0);
  shell.setColorAt(0.0, QColor(0xfa, 0xfa, 0xfa));
  shell.setColorAt(1.0, QColor(0xcc, 0xcc, 0xcc));
  p.setPen(Qt::NoPen);
  p.setBrush(shell);
  p.drawPath(bodyPath());
}

void paintPressedButton(QPainter& p, MouseButton side) {
  p.setPen(Qt::NoPen);
  p.setBrush(kPressed);
  p.drawPath(buttonPath(side));
}

void paintSeams(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(kOutline);
  p.drawLine(kMiddleColumn, kCordLength, kMiddleColumn, kButtonsBottom);
  p.drawLine(1, kButtonsBottom, kWidth - 2, kButtonsBottom);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.drawPath(bodyPath());
}

}  // namespace

QImage drawMouse(MouseButton highlighted) {
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  paintCord(p);
  paintBody(p);
  paintPressedButton(p, highlighted);
  paintSeams(p);
  return image;
}

}  // namespace pictures
