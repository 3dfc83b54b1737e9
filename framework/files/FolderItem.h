#pragma once

#include <string>

#include "framework/graphics/Picture.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// A file or folder by its path; it need not exist.
class FolderItem : public Object {
 public:
  static const ClassRecord* __Lookup();

  static Ref<FolderItem> FromPath(const std::string& path);

  const std::string& NativePath() const { return path_; }

  // The item of that name inside this folder, whether or not either exists; nil only for a name
  // that cannot be a child (empty, ".", "..", or holding '/'). A missing file then simply has no
  // picture.
  Ref<FolderItem> Child(const std::string& name) const;
  // The folder that holds this item; nil for the root.
  Ref<FolderItem> Parent() const;
  // The file's picture; nil when it is missing, a folder, unreadable or not a picture.
  Ref<Picture> OpenAsPicture() const;

 private:
  std::string path_;
};

// The item of the running executable, or nil when it cannot be found. The application object is
// not needed and may be nil.
Ref<FolderItem> AppFolderItemGetter(Object* app);
// Replaces the executable's path that AppFolderItemGetter reports (empty restores the real one),
// so that tests can stand a bundle anywhere.
void _SetExecutablePathForTesting(const std::string& path);

// The bundle's resources folder: the item "Resources" beside the folder that holds the
// executable, whether or not it exists (a missing folder simply holds no pictures).
// NilObjectException when the executable or one of its two parents is missing.
Ref<FolderItem> _GetApplicationBundleResources();

}  // namespace fw
