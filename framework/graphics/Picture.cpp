#include "framework/graphics/Picture.h"

#include <QFileInfo>

#include "framework/graphics/qt/PictureImage.h"
#include "framework/runtime/Runtime.h"

namespace fw {

const ClassRecord* Picture::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Picture", Object::__Lookup(), &RuntimeFactory<Picture>);
  return record;
}

Picture::Picture() : image_(std::make_unique<internal::PictureImage>()) {}

Picture::~Picture() = default;

Ref<Picture> Picture::Load(const std::string& path) {
  const QString file = QString::fromStdString(path);
  if (!QFileInfo(file).isFile()) return nullptr;
  QImage image;
  // A truncated or foreign file fails to decode and yields a null image, never an exception.
  if (!image.load(file) || image.isNull()) return nullptr;
  Ref<Picture> picture = RuntimeNew<Picture>();
  picture->image_->image = std::move(image);
  return picture;
}

int32_t Picture::Width() const {
  return image_->image.width();
}

int32_t Picture::Height() const {
  return image_->image.height();
}

}  // namespace fw
