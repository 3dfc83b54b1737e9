#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

namespace internal {
struct PictureImage;
}

// A decoded picture, immutable once loaded.
class Picture : public Object {
 public:
  static const ClassRecord* __Lookup();

  Picture();
  ~Picture() override;

  // The picture in a file, or nil when the file is missing, unreadable or not a picture.
  static Ref<Picture> Load(const std::string& path);

  int32_t Width() const;
  int32_t Height() const;

  // The decoded pixels, for the framework's own drawing.
  const internal::PictureImage& _Image() const { return *image_; }

 private:
  std::unique_ptr<internal::PictureImage> image_;
};

}  // namespace fw
