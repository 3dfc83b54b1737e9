#include "shell/Pictures.h"

#include <functional>
#include <ostream>

#include "shell/PictureResource.h"
#include "support/AppTestSupport.h"

namespace {

namespace fs = std::filesystem;

void ExpectSize(const fw::Ref<fw::Picture>& picture, int width, int height) {
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), width);
  EXPECT_EQ(picture->Height(), height);
}

class PictureResourceTest : public RuntimeFixture {
 protected:
  TempBundle bundle_;
};

TEST_F(PictureResourceTest, RetriesUntilReadableThenKeepsTheFirstPictureWithoutReading) {
  shell::PictureResource resource("p.png");
  EXPECT_FALSE(resource.Get());  // missing
  bundle_.AddFile("p.png", "");
  EXPECT_FALSE(resource.Get());  // empty

  bundle_.AddPicture("p.png", 12, 34);
  const fw::Ref<fw::Picture> loaded = resource.Get();
  ExpectSize(loaded, 12, 34);
  fs::remove(bundle_.Resources() / "p.png");
  EXPECT_EQ(resource.Get().get(), loaded.get());
  bundle_.AddPicture("p.png", 56, 78);
  EXPECT_EQ(resource.Get().get(), loaded.get());
  ExpectSize(resource.Get(), 12, 34);
}

TEST_F(PictureResourceTest, AFailingPictureLeavesTheOthersAlone) {
  bundle_.AddPicture("good.png", 9, 8);
  bundle_.AddFile("bad.png", "not a picture\n");
  shell::PictureResource good("good.png"), bad("bad.png");

  EXPECT_FALSE(bad.Get());
  const fw::Ref<fw::Picture> picture = good.Get();
  ExpectSize(picture, 9, 8);
  EXPECT_FALSE(bad.Get());
  EXPECT_EQ(good.Get().get(), picture.get());

  // Once repaired, the failing one reads its own file, not its neighbour's picture.
  bundle_.AddPicture("bad.png", 3, 4);
  ExpectSize(bad.Get(), 3, 4);
  EXPECT_EQ(good.Get().get(), picture.get());
}

// Every way the input can be unusable: nil and nothing kept, or NilObjectException for a name
// that cannot be a file of the folder; never anything else.
using Arrange = std::function<void(const TempBundle&)>;
struct BadInput {
  const char* name;
  const char* file;
  Arrange arrange;
  bool raisesNilObject;
};

void PrintTo(const BadInput& bad, std::ostream* out) {
  *out << bad.name;
}

Arrange Writes(const std::string& bytes) {
  return [bytes](const TempBundle& bundle) { bundle.AddFile("p.png", bytes); };
}
const Arrange kNothing = [](const TempBundle&) {};
const Arrange kFolder = [](const TempBundle& b) { fs::create_directory(b.Resources() / "p.png"); };
const Arrange kNoResources = [](const TempBundle& b) { fs::remove_all(b.Resources()); };

class BadPictureInput : public PictureResourceTest, public testing::WithParamInterface<BadInput> {};

TEST_P(BadPictureInput, GivesNilOrRaisesNilObjectAtEveryCall) {
  GetParam().arrange(bundle_);
  shell::PictureResource resource(GetParam().file);
  for (int call = 0; call < 2; ++call) {
    fw::Ref<fw::Picture> picture;
    fw::Ref<fw::RuntimeException> raised;
    EXPECT_NO_THROW(raised = RaisedBy([&] { picture = resource.Get(); }));
    EXPECT_FALSE(picture);
    ASSERT_EQ(!!raised, GetParam().raisesNilObject);
    if (raised) {
      EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup()));
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, BadPictureInput, testing::Values(
    BadInput{"NoResourcesFolder", "p.png", kNoResources,                          false},
    BadInput{"MissingFile",       "p.png", kNothing,                              false},
    BadInput{"EmptyFile",         "p.png", Writes(""),                            false},
    // A PNG of 40x40 noise takes about 5,000 bytes; this cuts it inside the picture's data.
    BadInput{"TruncatedPng",      "p.png", Writes(PngBytes(40, 40).substr(0, 2000)), false},
    BadInput{"TextFile",          "p.png", Writes("<svg>not a PNG</svg>\n"),      false},
    BadInput{"FolderInItsPlace",  "p.png", kFolder,                               false},
    BadInput{"EmptyName",         "",      kNothing,                              true},
    BadInput{"Parent",            "..",    kNothing,                              true},
    BadInput{"Path",              "a/b",   kNothing,                              true}),
  RowName());
// clang-format on

TEST_F(PictureResourceTest, TheSixPicturesEachReadTheirOwnFile) {
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
  for (const auto& e : entries) {
    SCOPED_TRACE(e.file);
    ExpectSize(e.accessor(), e.width, e.height);
  }
}

}  // namespace
