#include "shell/PictureResource.h"

#include "framework/files/FolderItem.h"
#include "framework/runtime/Exceptions.h"

namespace shell {

fw::Ref<fw::Picture> PictureResource::Get() {
  if (!started_) {
    started_ = true;
    pic_.reset();
  }
  if (!pic_) {
    fw::Ref<fw::FolderItem> folder = fw::_GetApplicationBundleResources();
    if (folder) {
      fw::Ref<fw::FolderItem> item = folder->Child(fileName_);
      if (!item) fw::RaiseNilObjectException(std::string("no item for ") + fileName_);
      pic_ = item->OpenAsPicture();
    }
  }
  return pic_;
}

}  // namespace shell
