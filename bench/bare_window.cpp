// The least a Qt window of Form1's size costs to start: a bare window with one
// label, the baseline for the program's own start-up (bench/startup.py).

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(542, 434);
    QLabel label(QStringLiteral("Quarnel Labs"), &window);
    label.move(8, 8);
    window.show();
    return QApplication::exec();
}
