#include "framework/ui/controls/Separator.h"

#include <QPainter>
#include <QWidget>

#include "framework/runtime/Runtime.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

// A light line over a dark one reads as a groove on any mid-grey background.
constexpr QColor kLight{0xFF, 0xFF, 0xFF, 0x70};
constexpr QColor kShadow{0x00, 0x00, 0x00, 0x80};

class SeparatorPeer : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (height() > width()) {
      const int x = (width() - 2) / 2;
      painter.fillRect(x, 0, 1, height(), kLight);
      painter.fillRect(x + 1, 0, 1, height(), kShadow);
    } else {
      const int y = (height() - 2) / 2;
      painter.fillRect(0, y, width(), 1, kLight);
      painter.fillRect(0, y + 1, width(), 1, kShadow);
    }
  }
};

}  // namespace

const ClassRecord* Separator::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Separator", Control::__Lookup(), &RuntimeFactory<Separator>);
  return record;
}

Separator::Separator() = default;

Separator::~Separator() = default;

void Separator::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new SeparatorPeer;
}

}  // namespace fw
