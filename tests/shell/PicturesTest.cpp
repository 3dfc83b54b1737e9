#include "shell/Pictures.h"

#include <functional>

#include "shell/PictureResource.h"
#include "support/AppTestSupport.h"

namespace {

namespace fs = std::filesystem;

class PicturesTest : public RuntimeFixture {
 protected:
  TempBundle bundle_;
};

TEST_F(PicturesTest, EveryBadInputGivesNilWithoutAnExceptionAtEveryCall) {
  const fs::path file = bundle_.Resources() / "p.png";
  const std::pair<const char*, std::function<void()>> inputs[] = {
      {"no Resources folder", [&] { fs::remove_all(bundle_.Resources()); }},
      {"missing file", [] {}},
      {"empty file", [&] { bundle_.AddFile("p.png", ""); }},
      // A PNG of 40x40 noise takes about 5,000 bytes; this cuts it inside the picture's data.
      {"truncated", [&] { bundle_.AddFile("p.png", PngBytes(40, 40).substr(0, 2000)); }},
      {"not a picture", [&] { bundle_.AddFile("p.png", "<svg>not a PNG</svg>\n"); }},
      {"a folder", [&] { fs::create_directory(file); }}};
  for (const auto& [name, arrange] : inputs) {
    SCOPED_TRACE(name);
    fs::remove_all(file);
    fs::create_directories(bundle_.Resources());
    arrange();
    shell::PictureResource resource("p.png");
    for (int call = 0; call < 2; ++call) {
      fw::Ref<fw::Picture> picture;
      EXPECT_NO_THROW(picture = resource.Get());
      EXPECT_FALSE(picture);
    }
  }
}

TEST_F(PicturesTest, EachPictureReadsItsOwnFileAndAFailingOneLeavesTheOthersAlone) {
  const struct {
    fw::Ref<fw::Picture> (*accessor)();
    const char* file;
    int width, height;
  } entries[] = {{&iFond, "fond.png", 11, 12},
                 {&iCible, "Cible.png", 13, 14},
                 {&iDEL0, "DEL0.png", 15, 16},
                 {&iDEL1, "DEL1.png", 17, 18},
                 {&iClicGauche, "clicgauche.png", 19, 20},
                 {&iClicDroit, "clicdroit.png", 21, 22}};
  // Asking first, with the folder still empty, also shows that a miss is not kept.
  for (const auto& e : entries) {
    if (e.accessor()) GTEST_SKIP() << e.file << " was loaded earlier in this process";
  }
  for (const auto& e : entries) bundle_.AddPicture(e.file, e.width, e.height);
  bundle_.AddFile("DEL0.png", "not a picture\n");
  for (bool repaired : {false, true}) {
    if (repaired) bundle_.AddPicture("DEL0.png", 15, 16);
    for (const auto& e : entries) {
      SCOPED_TRACE(std::string(e.file) + (repaired ? " once repaired" : ""));
      const fw::Ref<fw::Picture> picture = e.accessor();
      const bool broken = !repaired && e.accessor == &iDEL0;
      ASSERT_EQ(!picture, broken);
      if (picture) {
        EXPECT_EQ(std::pair(picture->Width(), picture->Height()), std::pair(e.width, e.height));
      }
    }
  }
}

}  // namespace
