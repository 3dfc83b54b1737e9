// Draws the program's pictures into a folder: brem-draw-pictures <folder>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <functional>

#include "Pictures.h"

namespace {

struct Picture {
  const char* name;
  std::function<QImage()> draw;
};

// Through a QSaveFile, so a failed run leaves the previous picture in place, never half of one.
bool write(const QDir& folder, const Picture& picture) {
  const QString path = folder.filePath(QString::fromLatin1(picture.name));
  QSaveFile file(path);
  QString error;
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
  } else {
    QImageWriter writer(&file, "png");
    if (!writer.write(picture.draw()))
      error = writer.errorString();
    else if (!file.commit())
      error = file.errorString();
  }
  if (error.isEmpty()) return true;
  std::fprintf(stderr, "brem-draw-pictures: cannot write %s: %s\n", qPrintable(path),
               qPrintable(error));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brem-draw-pictures <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists()) {
    std::fprintf(stderr, "brem-draw-pictures: cannot write into %s: not an existing folder\n",
                 argv[1]);
    return 1;
  }

  using pictures::MouseButton;
  const Picture all[] = {
      {"fond.png", pictures::drawBackground},
      {"Cible.png", pictures::drawTarget},
      {"DEL0.png", [] { return pictures::drawLamp(false); }},
      {"DEL1.png", [] { return pictures::drawLamp(true); }},
      {"clicgauche.png", [] { return pictures::drawMouse(MouseButton::Left); }},
      {"clicdroit.png", [] { return pictures::drawMouse(MouseButton::Right); }},
  };
  bool ok = true;
  for (const Picture& picture : all) ok = write(folder, picture) && ok;
  return ok ? 0 : 1;
}
