#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "support/RuntimeFixture.h"

class FilesTest : public RuntimeFixture {
 protected:
  std::string Path(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }
  fw::Ref<fw::FolderItem> Child(const std::string& name) const {
    return fw::FolderItem::FromPath(dir_.path().toStdString())->Child(name);
  }

  QTemporaryDir dir_;
};

TEST_F(FilesTest, ChildNamesOnlyPlainNamesAndOnlyARealPictureOpensAsOne) {
  ASSERT_TRUE(Child("nothing here.png"));
  EXPECT_EQ(Child("nothing here.png")->NativePath(), Path("nothing here.png"));
  for (const char* name : {"", ".", "..", "a/b"}) EXPECT_FALSE(Child(name)) << '"' << name << '"';

  QImage image(31, 7, QImage::Format_ARGB32);
  image.fill(Qt::darkGreen);
  ASSERT_TRUE(image.save(QString::fromStdString(Path("wide.png"))));
  std::filesystem::copy_file(Path("wide.png"), Path("truncated.png"));
  std::filesystem::resize_file(Path("truncated.png"),
                               std::filesystem::file_size(Path("wide.png")) / 2);
  std::ofstream(Path("empty.png"));
  std::ofstream(Path("text.png")) << "not a picture\n";
  std::filesystem::create_directory(Path("folder.png"));

  fw::Ref<fw::Picture> wide = Child("wide.png")->OpenAsPicture();
  ASSERT_TRUE(wide);
  EXPECT_EQ(std::pair(wide->Width(), wide->Height()), std::pair(31, 7));
  for (const char* name : {"missing.png", "truncated.png", "empty.png", "text.png", "folder.png"}) {
    EXPECT_FALSE(Child(name)->OpenAsPicture()) << name;
  }
}
