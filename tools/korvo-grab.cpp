// Saves the whole X screen as a PNG file: korvo-grab OUT.png
// Used by tools/screenshot under Xvfb.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvo-grab OUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "korvo-grab: cannot grab the screen\n");
        return 1;
    }
    return 0;
}
