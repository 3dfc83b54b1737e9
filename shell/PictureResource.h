#pragma once

#include "framework/graphics/Picture.h"
#include "framework/runtime/Ref.h"

namespace shell {

// One picture of the bundle's resources folder, loaded on first use and kept for the life of the
// process. A failure caches nothing, so the next call looks for the file again.
class PictureResource {
 public:
  explicit PictureResource(const char* fileName) : fileName_(fileName) {}
  PictureResource(const PictureResource&) = delete;
  PictureResource& operator=(const PictureResource&) = delete;

  // The picture, or nil when the resources folder or a readable picture is missing. Raises
  // NilObjectException when the folder yields no item for the name.
  fw::Ref<fw::Picture> Get();

 private:
  const char* fileName_;
  bool started_ = false;
  fw::Ref<fw::Picture> pic_;
};

}  // namespace shell
