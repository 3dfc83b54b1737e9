#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <random>

#include "Pictures.h"

namespace pictures {
namespace {

constexpr int kWidth = 115;
constexpr int kHeight = 250;

// The lamp is a 48x48 picture at (33,10); the socket shows a few pixels around it.
constexpr QPointF kLampCentre(57.0, 34.0);
constexpr double kSocketRadius = 28.5;

// Behind the button selector, the delay field, its offset label and the slider.
constexpr QRectF kSettingsPanel(5.5, 122.5, 104.0, 124.0);

void paintGradient(QPainter& p) {
  QLinearGradient shade(0, 0, 0, kHeight);
  shade.setColorAt(0.0, QColor(0x70, 0x70, 0x70));
  shade.setColorAt(1.0, QColor(0x5c, 0x5c, 0x5c));
  p.fillRect(QRect(0, 0, kWidth, kHeight), shade);
}

void paintLampSocket(QPainter& p) {
  // Lit from above: the upper rim of a recess is in shadow, the lower rim catches the light.
  QLinearGradient rim(0, kLampCentre.y() - kSocketRadius, 0, kLampCentre.y() + kSocketRadius);
  rim.setColorAt(0.0, QColor(0x4c, 0x4c, 0x4c));
  rim.setColorAt(1.0, QColor(0x7a, 0x7a, 0x7a));
  p.setPen(Qt::NoPen);
  p.setBrush(rim);
  p.drawEllipse(kLampCentre, kSocketRadius, kSocketRadius);

  QRadialGradient floor(kLampCentre, kSocketRadius - 1.5);
  floor.setColorAt(0.0, QColor(0x58, 0x58, 0x58));
  floor.setColorAt(1.0, QColor(0x5f, 0x5f, 0x5f));
  p.setBrush(floor);
  p.drawEllipse(kLampCentre, kSocketRadius - 1.5, kSocketRadius - 1.5);
}

void paintSettingsPanel(QPainter& p) {
  p.setBrush(QColor(0xff, 0xff, 0xff, 14));
  p.setPen(QPen(QColor(0x00, 0x00, 0x00, 40), 1.0));
  p.drawRoundedRect(kSettingsPanel, 7, 7);
  // A highlight along the top edge only, so the panel reads as raised rather than outlined.
  p.setPen(QPen(QColor(0xff, 0xff, 0xff, 36), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(kSettingsPanel.adjusted(1, 1, -1, -1), 6, 6);
}

void paintWindowBevel(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(0x7c, 0x7c, 0x7c));
  p.drawLine(0, 0, kWidth - 1, 0);
  p.drawLine(0, 0, 0, kHeight - 1);
  p.setPen(QColor(0x4e, 0x4e, 0x4e));
  p.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);
  p.drawLine(kWidth - 1, 1, kWidth - 1, kHeight - 1);
}

// A faint grain keeps the large grey areas from looking flat. The seed is fixed so that
// redrawing the pictures gives byte-identical files.
void addGrain(QImage& image) {
  std::minstd_rand random(20241206);
  std::uniform_int_distribution<int> grain(-2, 2);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int d = grain(random);
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                     std::clamp(qBlue(c) + d, 0, 255));
    }
  }
}

}  // namespace

QImage drawBackground() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintGradient(p);
    paintLampSocket(p);
    paintSettingsPanel(p);
    paintWindowBevel(p);
  }
  addGrain(image);
  return image;
}

}  // namespace pictures
