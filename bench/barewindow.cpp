// The yardstick for the game's start: a bare Qt window of the game window's
// size, shown at once; with --text it holds one line of text, so it pays for
// the fonts as any window with words in it must.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(775, 575);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Welcome to Zig Zop"), &window))->move(20, 20);
    window.show();
    return QApplication::exec();
}
