// The yardstick for the game's start: a bare Qt window of the game window's
// size, shown at once.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(775, 575);
    window.show();
    return QApplication::exec();
}
