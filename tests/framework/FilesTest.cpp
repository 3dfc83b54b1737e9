#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "support/RuntimeFixture.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards together with any executable-path override.
class FilesTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    std::string pattern = (fs::temp_directory_path() / "brem-files-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
  }
  void TearDown() override {
    fw::_SetExecutablePathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    RuntimeFixture::TearDown();
  }

  std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

  static void WritePicture(const std::string& path, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
  }

  fs::path root_;
};

TEST_F(FilesTest, ChildOfAFolderNamesAnItemThatNeedNotExist) {
  fw::Ref<fw::FolderItem> folder = fw::FolderItem::FromPath(root_.string());
  ASSERT_TRUE(folder);
  ASSERT_TRUE(folder->Directory());

  fw::Ref<fw::FolderItem> child = folder->Child("nothing here.png");
  ASSERT_TRUE(child);
  EXPECT_EQ(child->NativePath(), Path("nothing here.png"));
  EXPECT_FALSE(child->Exists());
  EXPECT_FALSE(child->OpenAsPicture());

  fw::Ref<fw::FolderItem> parent = child->Parent();
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->NativePath(), folder->NativePath());
}

TEST_F(FilesTest, ParentsEndAtTheRoot) {
  // A trailing separator must not make a folder its own parent.
  fw::Ref<fw::FolderItem> item = fw::FolderItem::FromPath("/a/b/");
  ASSERT_TRUE(item);
  fw::Ref<fw::FolderItem> a = item->Parent();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->NativePath(), "/a");
  fw::Ref<fw::FolderItem> root = a->Parent();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->NativePath(), "/");
  EXPECT_FALSE(root->Parent());
  EXPECT_FALSE(fw::FolderItem::FromPath("/")->Parent());
}

TEST_F(FilesTest, NamesThatCannotBeAChildGiveNil) {
  fw::Ref<fw::FolderItem> folder = fw::FolderItem::FromPath(root_.string());
  for (const char* name : {"", ".", "..", "a/b", "/", "Resources/"}) {
    EXPECT_FALSE(folder->Child(name)) << '"' << name << '"';
  }
}

TEST_F(FilesTest, OpenAsPictureDecodesTheFilesOwnSize) {
  WritePicture(Path("wide.png"), 31, 7);
  WritePicture(Path("tall.png"), 5, 29);
  fw::Ref<fw::FolderItem> folder = fw::FolderItem::FromPath(root_.string());

  fw::Ref<fw::Picture> wide = folder->Child("wide.png")->OpenAsPicture();
  fw::Ref<fw::Picture> tall = folder->Child("tall.png")->OpenAsPicture();
  ASSERT_TRUE(wide);
  ASSERT_TRUE(tall);
  EXPECT_EQ(wide->Width(), 31);
  EXPECT_EQ(wide->Height(), 7);
  EXPECT_EQ(tall->Width(), 5);
  EXPECT_EQ(tall->Height(), 29);
  // A folder is never a picture, even one whose name looks like it.
  fs::create_directory(Path("folder.png"));
  EXPECT_FALSE(folder->Child("folder.png")->OpenAsPicture());
}

TEST_F(FilesTest, ResourcesLieBesideTheExecutablesFolder) {
  fw::_SetExecutablePathForTesting(Path("BREM.app/Contents/MacOS/brem"));
  fw::Ref<fw::FolderItem> executable = fw::AppFolderItemGetter(nullptr);
  ASSERT_TRUE(executable);
  EXPECT_EQ(executable->NativePath(), Path("BREM.app/Contents/MacOS/brem"));

  fw::Ref<fw::FolderItem> resources = fw::_GetApplicationBundleResources();
  ASSERT_TRUE(resources);
  EXPECT_EQ(resources->NativePath(), Path("BREM.app/Contents/Resources"));

  // Clearing the override gives back the running executable.
  fw::_SetExecutablePathForTesting("");
  executable = fw::AppFolderItemGetter(nullptr);
  ASSERT_TRUE(executable);
  EXPECT_NE(executable->NativePath(), Path("BREM.app/Contents/MacOS/brem"));
  EXPECT_TRUE(executable->Exists());
  EXPECT_FALSE(executable->Directory());
}

TEST_F(FilesTest, AnExecutableWithoutTwoParentsRaisesNilObject) {
  // "/brem": its folder is the root, which has no parent; "brem": a bare name has no folder.
  for (const char* executable : {"/brem", "brem"}) {
    fw::_SetExecutablePathForTesting(executable);
    fw::Ref<fw::RuntimeException> raised = RaisedBy([] { fw::_GetApplicationBundleResources(); });
    ASSERT_TRUE(raised) << executable;
    EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup())) << executable;
  }
}

}  // namespace
