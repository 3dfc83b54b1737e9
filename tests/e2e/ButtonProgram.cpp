// brem-e2e-button X Y WIDTH HEIGHT: a toolkit push button filling a normal, managed window titled
// BUTTON that asks to stand at (X, Y) in server pixels. It prints one line per event, at once:
// "press X Y" and "release X Y" for each button event with its place on the screen, and "clicked"
// for each click the button itself counts.

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

namespace {

class Reporter : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto type = event->type();
    // The second of two quick presses comes as a double click.
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (press || type == QEvent::MouseButtonRelease) {
      const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      std::printf("%s %d %d\n", press ? "press" : "release", at.x(), at.y());
      std::fflush(stdout);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: brem-e2e-button X Y WIDTH HEIGHT\n", stderr);
    return 2;
  }
  // Its pixels are the server's, whatever scaling the program under test is given.
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication app(argc, argv);
  QPushButton button("BUTTON");
  button.setWindowTitle("BUTTON");
  Reporter reporter;
  button.installEventFilter(&reporter);
  QObject::connect(&button, &QPushButton::clicked, [] {
    std::puts("clicked");
    std::fflush(stdout);
  });
  button.setGeometry(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                     std::atoi(argv[4]));
  button.show();
  return QApplication::exec();
}
