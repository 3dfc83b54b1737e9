#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "FrameworkTestSupport.h"
#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"

namespace {

class FilesTest : public RuntimeFixture {
 protected:
  std::string Path(const std::string& relative) const {
    return dir_.filePath(QString::fromStdString(relative)).toStdString();
  }
  fw::Ref<fw::FolderItem> Folder() const {
    return fw::FolderItem::FromPath(dir_.path().toStdString());
  }

  QTemporaryDir dir_;
};

TEST_F(FilesTest, ChildNamesAnyPlainNameAndParentsEndAtTheRoot) {
  fw::Ref<fw::FolderItem> child = Folder()->Child("nothing here.png");
  ASSERT_TRUE(child);
  EXPECT_EQ(child->NativePath(), Path("nothing here.png"));
  EXPECT_FALSE(child->Exists());
  for (const char* name : {"", ".", "..", "a/b", "/", "Resources/"}) {
    EXPECT_FALSE(Folder()->Child(name)) << '"' << name << '"';
  }

  // A trailing separator must not make a folder its own parent.
  fw::Ref<fw::FolderItem> a = fw::FolderItem::FromPath("/a/b/")->Parent();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->NativePath(), "/a");
  fw::Ref<fw::FolderItem> root = a->Parent();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->NativePath(), "/");
  EXPECT_FALSE(root->Parent());
}

TEST_F(FilesTest, OpenAsPictureDecodesAPictureAndGivesNilForAnythingElse) {
  QByteArray png;
  QBuffer buffer(&png);
  QImage image(31, 7, QImage::Format_ARGB32);
  image.fill(Qt::darkGreen);
  ASSERT_TRUE(image.save(&buffer, "PNG"));
  std::ofstream(Path("wide.png"), std::ios::binary) << png.toStdString();
  std::ofstream(Path("truncated.png"), std::ios::binary) << png.left(png.size() / 2).toStdString();
  std::ofstream(Path("empty.png"));
  std::ofstream(Path("text.png")) << "not a picture\n";
  std::filesystem::create_directory(Path("folder.png"));

  fw::Ref<fw::Picture> wide = Folder()->Child("wide.png")->OpenAsPicture();
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->Width(), 31);
  EXPECT_EQ(wide->Height(), 7);
  for (const char* name : {"missing.png", "truncated.png", "empty.png", "text.png", "folder.png"}) {
    EXPECT_FALSE(Folder()->Child(name)->OpenAsPicture()) << name;
  }
}

}  // namespace
