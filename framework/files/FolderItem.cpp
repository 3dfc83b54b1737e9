#include "framework/files/FolderItem.h"

#include <filesystem>
#include <system_error>

#include "framework/runtime/Runtime.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

std::string gExecutableOverride;

}  // namespace

const ClassRecord* FolderItem::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("FolderItem", Object::__Lookup(), &RuntimeFactory<FolderItem>);
  return record;
}

Ref<FolderItem> FolderItem::FromPath(const std::string& path) {
  if (path.empty()) return nullptr;
  Ref<FolderItem> item = RuntimeNew<FolderItem>();
  item->path_ = fs::path(path).lexically_normal().string();
  // A trailing separator would make the folder its own parent.
  while (item->path_.size() > 1 && item->path_.back() == '/') item->path_.pop_back();
  return item;
}

Ref<FolderItem> FolderItem::Child(const std::string& name) const {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    return nullptr;
  }
  return FromPath((fs::path(path_) / name).string());
}

Ref<FolderItem> FolderItem::Parent() const {
  const fs::path path(path_);
  if (!path.has_relative_path()) return nullptr;  // the root
  return FromPath(path.parent_path().string());
}

Ref<Picture> FolderItem::OpenAsPicture() const {
  return Picture::Load(path_);
}

Ref<FolderItem> AppFolderItemGetter(Object* /*app*/) {
  if (!gExecutableOverride.empty()) return FolderItem::FromPath(gExecutableOverride);
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return nullptr;
  return FolderItem::FromPath(executable.string());
}

void _SetExecutablePathForTesting(const std::string& path) {
  gExecutableOverride = path;
}

Ref<FolderItem> _GetApplicationBundleResources() {
  Ref<FolderItem> executable = AppFolderItemGetter(nullptr);
  if (!executable) RaiseNilObjectException("the program cannot find its own executable");
  Ref<FolderItem> macOS = executable->Parent();
  if (!macOS) RaiseNilObjectException("the executable has no folder");
  Ref<FolderItem> contents = macOS->Parent();
  if (!contents) RaiseNilObjectException("the executable's folder has no parent");
  return contents->Child("Resources");
}

}  // namespace fw
