// render-icons: writes the application icon for installing, drawn from the
// controller artwork, as an icon theme tree:
//
//   render-icons FOLDER NAME
//
// FOLDER/hicolor/{48x48,128x128,256x256}/apps/NAME.png and
// FOLDER/hicolor/scalable/apps/NAME.svg. Runs without a display.
#include "app/ControllerArtwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool Made(const QString& path, bool ok)
{
    if (!ok)
        std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(path));
    return ok;
}

QString Prepared(const QDir& root, const QString& sizeFolder, const QString& file)
{
    const QString folder = root.filePath(QStringLiteral("hicolor/%1/apps").arg(sizeFolder));
    QDir().mkpath(folder);
    return QDir(folder).filePath(file);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: render-icons FOLDER NAME\n");
        return 2;
    }
    const QDir root(args[1]);
    const QString name = args[2];

    bool ok = true;
    for (int size : {48, 128, 256}) {
        const QString path = Prepared(root, QStringLiteral("%1x%1").arg(size), name + QStringLiteral(".png"));
        ok &= Made(path, korvo::ControllerIconImage(size).save(path));
    }

    const QString svg = Prepared(root, QStringLiteral("scalable"), name + QStringLiteral(".svg"));
    QSvgGenerator generator;
    generator.setFileName(svg);
    generator.setSize(QSize(64, 64));
    generator.setViewBox(QRect(0, 0, 64, 64));
    generator.setResolution(96); // 64 CSS pixels
    generator.setTitle(QStringLiteral("Korvo Editor"));
    QPainter painter;
    ok &= Made(svg, painter.begin(&generator));
    if (painter.isActive()) {
        korvo::PaintScalableControllerIcon(painter, 64);
        ok &= Made(svg, painter.end());
    }
    return ok ? 0 : 1;
}
