// Program entry: the application object and the main window.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vorta");
  return 0;
}
