#include <QApplication>
#include <QIcon>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Ploven");
  QApplication::setWindowIcon(QIcon(":/icons/ploven-256.png"));
  QMainWindow window;
  window.setWindowTitle("Ploven");
  window.show();
  return QApplication::exec();
}
