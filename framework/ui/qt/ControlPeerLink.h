#pragma once

#include <QPointer>
#include <QWidget>

namespace fw::internal {

// A control's link to its toolkit widget. The control owns the widget; QPointer notices if the
// toolkit deleted it first.
struct ControlPeerLink {
  QPointer<QWidget> widget;
};

}  // namespace fw::internal
