// The floor of a start-up: an application with one empty main window, shown over the whole screen as the program's
// main window is. Started by bench_start.

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char** argv) {
  QApplication aplikacja(argc, argv);
  QMainWindow okno;
  if (QScreen* ekran = QGuiApplication::primaryScreen()) okno.setGeometry(ekran->availableGeometry());
  okno.showMaximized();
  return aplikacja.exec();
}
