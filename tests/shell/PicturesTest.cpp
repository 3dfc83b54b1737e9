#include "shell/Pictures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>

#include "framework/files/FolderItem.h"
#include "shell/PictureResource.h"
#include "support/RuntimeFixture.h"

namespace {

namespace fs = std::filesystem;

// Noise, so that the compressed data is large enough to cut in half.
std::string PngBytes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  std::minstd_rand noise(width * 1000 + height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, static_cast<QRgb>(noise()));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// A bundle in a fresh temporary folder, standing in for the program's own: the executable
// Contents/MacOS/brem (never created) and the pictures in Contents/Resources.
class PictureBundle : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    std::string pattern = (fs::temp_directory_path() / "brem-bundle-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    fs::create_directories(Resources());
    fw::_SetExecutablePathForTesting((root_ / "Contents" / "MacOS" / "brem").string());
  }
  void TearDown() override {
    fw::_SetExecutablePathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    RuntimeFixture::TearDown();
  }

  fs::path Resources() const { return root_ / "Contents" / "Resources"; }
  fs::path Resource(const std::string& name) const { return Resources() / name; }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Resource(name), std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << name;
  }

  void WritePicture(const std::string& name, int width, int height) const {
    WriteBytes(name, PngBytes(width, height));
  }

  fs::path root_;
};

void ExpectSize(const fw::Ref<fw::Picture>& picture, int width, int height) {
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), width);
  EXPECT_EQ(picture->Height(), height);
}

using PictureResourceTest = PictureBundle;

TEST_F(PictureResourceTest, OneReadServesEveryLaterCall) {
  WritePicture("p.png", 20, 10);
  shell::PictureResource resource("p.png");
  const fw::Ref<fw::Picture> first = resource.Get();
  ExpectSize(first, 20, 10);

  fs::remove(Resource("p.png"));
  EXPECT_EQ(resource.Get().get(), first.get());

  WritePicture("p.png", 30, 30);
  EXPECT_EQ(resource.Get().get(), first.get());
  ExpectSize(resource.Get(), 20, 10);
}

TEST_F(PictureResourceTest, RetriesUntilReadableThenKeepsTheFirstPicture) {
  shell::PictureResource resource("p.png");
  EXPECT_FALSE(resource.Get());  // missing

  WriteBytes("p.png", "");
  EXPECT_FALSE(resource.Get());  // empty

  WritePicture("p.png", 12, 34);
  const fw::Ref<fw::Picture> loaded = resource.Get();
  ExpectSize(loaded, 12, 34);

  WritePicture("p.png", 56, 78);
  EXPECT_EQ(resource.Get().get(), loaded.get());
  ExpectSize(resource.Get(), 12, 34);
}

TEST_F(PictureResourceTest, AFailingPictureLeavesTheOthersAlone) {
  WritePicture("good.png", 9, 8);
  WriteBytes("bad.png", "not a picture\n");
  shell::PictureResource good("good.png");
  shell::PictureResource bad("bad.png");

  EXPECT_FALSE(bad.Get());
  const fw::Ref<fw::Picture> picture = good.Get();
  ExpectSize(picture, 9, 8);
  EXPECT_FALSE(bad.Get());
  EXPECT_EQ(good.Get().get(), picture.get());

  // Once repaired, the failing one reads its own file, not its neighbour's picture.
  WritePicture("bad.png", 3, 4);
  ExpectSize(bad.Get(), 3, 4);
  EXPECT_EQ(good.Get().get(), picture.get());
}

TEST_F(PictureResourceTest, ANameThatCannotBeAChildRaisesNilObject) {
  for (const char* name : {"", "..", "a/b"}) {
    shell::PictureResource resource(name);
    fw::Ref<fw::RuntimeException> raised = RaisedBy([&] { resource.Get(); });
    ASSERT_TRUE(raised) << '"' << name << '"';
    EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup())) << '"' << name << '"';
  }
}

// Every way the file can be unusable: nil, never an exception, and nothing kept.
struct BadFile {
  const char* label;
  void (*arrange)(const fs::path& resources, const fs::path& file);
};

void PrintTo(const BadFile& bad, std::ostream* out) {
  *out << bad.label;
}

class UnreadablePicture : public PictureBundle, public ::testing::WithParamInterface<BadFile> {};

TEST_P(UnreadablePicture, IsNilWithoutAnException) {
  GetParam().arrange(Resources(), Resource("p.png"));
  shell::PictureResource resource("p.png");
  fw::Ref<fw::Picture> picture;
  EXPECT_NO_THROW(picture = resource.Get());
  EXPECT_FALSE(picture);
  EXPECT_NO_THROW(picture = resource.Get());
  EXPECT_FALSE(picture);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadablePicture,
    ::testing::Values(
        BadFile{"NoResourcesFolder",
                [](const fs::path& resources, const fs::path&) { fs::remove_all(resources); }},
        BadFile{"MissingFile", [](const fs::path&, const fs::path&) {}},
        BadFile{"EmptyFile", [](const fs::path&, const fs::path& file) { std::ofstream{file}; }},
        BadFile{"TruncatedPng",
                [](const fs::path&, const fs::path& file) {
                  const std::string png = PngBytes(40, 40);
                  std::ofstream(file, std::ios::binary) << png.substr(0, png.size() / 2);
                }},
        BadFile{"TextFile",
                [](const fs::path&, const fs::path& file) {
                  std::ofstream(file) << "<svg>not a PNG</svg>\n";
                }},
        BadFile{"FolderInItsPlace",
                [](const fs::path&, const fs::path& file) { fs::create_directory(file); }}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.label); });

using SixPictures = PictureBundle;

TEST_F(SixPictures, EachReadsItsOwnFile) {
  struct Entry {
    fw::Ref<fw::Picture> (*accessor)();
    const char* file;
    int width, height;
  };
  const Entry entries[] = {
      {&iFond, "fond.png", 11, 12},
      {&iCible, "Cible.png", 13, 14},
      {&iDEL0, "DEL0.png", 15, 16},
      {&iDEL1, "DEL1.png", 17, 18},
      {&iClicGauche, "clicgauche.png", 19, 20},
      {&iClicDroit, "clicdroit.png", 21, 22},
  };
  // The accessors keep their pictures until the process ends, so only a process that has not
  // loaded them yet can tell which file each reads. Asking first, with the folder still empty,
  // also shows that a miss is not kept.
  for (const Entry& e : entries) {
    if (e.accessor()) GTEST_SKIP() << e.file << " was loaded earlier in this process";
  }
  for (const Entry& e : entries) WritePicture(e.file, e.width, e.height);
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.file);
    ExpectSize(e.accessor(), e.width, e.height);
  }
}

}  // namespace
