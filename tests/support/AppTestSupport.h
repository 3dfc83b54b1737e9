#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/app/SystemObject.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "scheduler/Principale.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "shell/Startup.h"
#include "support/RecordingSink.h"
#include "support/RuntimeFixture.h"
#include "target/Cible.h"

// Helpers for the tests of the program itself (shell, scheduler, target). Header-only, because
// the framework's tests compile every source of this folder and link no program code.

inline QWidget* TopLevelTitled(const QString& title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == title) return widget;
  }
  return nullptr;
}

inline bool Shown(const QString& title) {
  QWidget* widget = TopLevelTitled(title);
  return widget && widget->isVisible();
}

// Makes a class record build a failing or recording subclass for as long as it lives.
class FactoryOverride {
 public:
  FactoryOverride(const fw::ClassRecord* record, fw::Object* (*create)())
      : record_(const_cast<fw::ClassRecord*>(record)), saved_(record_->create) {
    record_->create = create;
  }
  ~FactoryOverride() { record_->create = saved_; }
  FactoryOverride(const FactoryOverride&) = delete;
  FactoryOverride& operator=(const FactoryOverride&) = delete;

 private:
  fw::ClassRecord* record_;
  fw::Object* (*saved_)();
};

// A PNG of noise, so that the compressed data is large enough to cut in half.
inline std::string PngBytes(int width, int height) {
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

// A bundle in a fresh temporary folder that the program takes for its own while it lives, with
// the pictures in Contents/Resources.
class TempBundle {
 public:
  TempBundle() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brem-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    root_ = pattern;
    std::filesystem::create_directories(Resources());
    fw::_SetExecutablePathForTesting((root_ / "BREM.app/Contents/MacOS/brem").string());
  }
  ~TempBundle() {
    fw::_SetExecutablePathForTesting("");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  std::filesystem::path Resources() const { return root_ / "BREM.app/Contents/Resources"; }
  void AddFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Resources() / name, std::ios::binary | std::ios::trunc) << bytes;
  }
  void AddPicture(const std::string& name, int width, int height) const {
    AddFile(name, PngBytes(width, height));
  }

 private:
  std::filesystem::path root_;
};

// A picture stays loaded for the rest of the process once read. ctest runs every case in a process
// of its own; the cases that must see which file is read skip when a whole-binary run loaded one.
inline bool APictureWasLoaded() {
  TempBundle empty;
  return iFond() || iCible() || iDEL0() || iDEL1() || iClicGauche() || iClicDroit();
}

// What a sink saw, one line a record, so that a failure shows the whole sequence.
inline std::vector<std::string> Seen(const RecordingSink& sink) {
  std::vector<std::string> lines;
  for (const RecordingSink::Record& r : sink.Records()) {
    std::ostringstream line;
    if (r.kind == RecordingSink::Record::Kind::kEvent) {
      line << "type " << r.event.type << " button " << r.event.button << " ";
    }
    line << (r.kind == RecordingSink::Record::Kind::kWarp ? "warp " : "") << "at " << r.point.x
         << "," << r.point.y;
    lines.push_back(line.str());
  }
  return lines;
}

// One click as the sink sees it: the press and the release at x,y, then the pointer put back where
// AppFixture left it.
inline std::vector<std::string> ClickAt(CGEventType down, float x, float y) {
  std::ostringstream at;
  at << " at " << x << "," << y;
  return {"type " + std::to_string(down) + " button 0" + at.str(),
          "type " + std::to_string(down + 1) + " button 0" + at.str(), "warp at 300,200"};
}

// How many whole clicks of down's button at `at` the sink saw; a failure, and -1, for anything
// else.
inline int Clicks(const RecordingSink& sink, CGEventType down,
                  const scheduler::Principale::CGPoint& at) {
  const std::vector<std::string> seen = Seen(sink), one = ClickAt(down, at.x, at.y);
  std::vector<std::string> whole;
  while (whole.size() < seen.size()) whole.insert(whole.end(), one.begin(), one.end());
  EXPECT_EQ(seen, whole);
  return seen == whole ? static_cast<int>(seen.size() / 3) : -1;
}

// The program as its start-up leaves it, without the event loop: the application object (whose
// Open makes the random generator), no localised texts, the pointer at 300,200 and a recording
// sink. Every event and source made must be released by the end.
class AppFixture : public RuntimeFixture {
 protected:
  void SetUp() override {
    StartRuntime();
    fw::ClearLocalizedStrings();
    _EarlyStartup();
    InitFramework();
    CGEventSetSink(&sink_);
    eventsBefore_ = CGEventLiveObjects();
    // The pointer's move queues a mouse event that would otherwise reach the next test's toolkit.
    QCursor::setPos(300, 200);
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    EXPECT_EQ(CGEventLiveObjects(), eventsBefore_) << "an event or a source was not released";
    CGEventSetSink(nullptr);
    StopRuntime();
    fw::ClearLocalizedStrings();
  }

  RecordingSink sink_;
  long eventsBefore_ = 0;
};
