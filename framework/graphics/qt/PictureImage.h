#pragma once

#include <QImage>

namespace fw::internal {

struct PictureImage {
  QImage image;
};

}  // namespace fw::internal
