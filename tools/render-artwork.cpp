// render-artwork: writes the controller picture and the window icon to PNG files
// for a look without starting the editor.
//
//   render-artwork [--overlay] [--texts] [output-folder]
//
// Always written: picture.png (713 x 306), picture-about.png (367 x 167),
// icon-16.png .. icon-64.png and icon-sheet.png (every icon size, also enlarged).
// --overlay adds picture-labels.png: the 45 overlay label rectangles of the main
// window outlined and named over the picture.
// --texts adds picture-texts.png: the picture with typical label captions in the
// window's font and colours, as the main window shows them.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "app/ControllerArtwork.h"
#include "app/OverlayLabelPlaces.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace {

// Overlay label of the main window, in window client coordinates.
struct OverlayLabel {
    int Number; // LabelNN
    QRect Rect;
    bool LimeText;
    QString Sample;
};

constexpr int PictureLeft = 38;
constexpr int PictureTop = 26;

// The window's label places, with a typical caption for each.
std::vector<OverlayLabel> OverlayLabels()
{
    const char* groups[4] = {"1", "2", "10", "Global"};
    const char* knobs[4] = {"CC#\n74", "CC#\n71", "L/L\n0", "U/R\n127"};
    const char* sliders[4] = {"CC#\n7", "CC#\n10", "---", "Enable"};
    const char* pads[8] = {"Note\nC2", "Note\nD2", "CC#\n20", "Global", "Control Change", "Moment", "ON\n127", "---"};
    std::vector<OverlayLabel> labels;
    for (std::size_t i = 0; i < korvo::OverlayLabelPlaces.size(); ++i) {
        const auto& p = korvo::OverlayLabelPlaces[i];
        const int n = static_cast<int>(i);
        const QString sample = n < 4    ? QString::fromLatin1(groups[n])
                               : n < 8  ? QString::fromLatin1(knobs[n - 4])
                               : n < 12 ? QString::fromLatin1(sliders[n - 8])
                               : n < 20 ? QString::fromLatin1(pads[n - 12])
                                        : QStringLiteral("CC#\n%1").arg(48 + n - 20);
        labels.push_back({31 + n, QRect(p.left, p.top, p.width, p.height), p.lime, sample});
    }
    return labels;
}

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0, 128, 192));
    QPainter painter(&image);
    korvo::PaintControllerPicture(painter, QRectF(0, 0, width, height));
    return image;
}

QFont LabelFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

// Label rectangles outlined and named in picture coordinates.
QImage WithLabelOutlines(QImage image)
{
    QPainter painter(&image);
    painter.setFont(LabelFont(8));
    for (const auto& label : OverlayLabels()) {
        const QRect r = label.Rect.translated(-PictureLeft, -PictureTop);
        painter.setPen(label.LimeText ? QColor(0, 255, 255) : QColor(255, 255, 0));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.drawText(r.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(label.Number));
        painter.drawLine(r.center() - QPoint(2, 0), r.center() + QPoint(2, 0));
        painter.drawLine(r.center() - QPoint(0, 2), r.center() + QPoint(0, 2));
    }
    return image;
}

// Captions as the window draws them: centred, word-wrapped, Arial 14 px. The
// samples break their two lines with a line feed.
QImage WithLabelTexts(QImage image)
{
    QPainter painter(&image);
    painter.setFont(LabelFont(14));
    for (const auto& label : OverlayLabels()) {
        const QRect r = label.Rect.translated(-PictureLeft, -PictureTop);
        painter.setPen(label.LimeText ? QColor(0, 255, 0) : QColor(0, 0, 0));
        painter.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, label.Sample);
    }
    return image;
}

QImage IconSheet(const QIcon& icon)
{
    const int sizes[4] = {16, 32, 48, 64};
    constexpr int zoom = 6;
    int width = 8;
    for (int size : sizes)
        width += size * zoom + 8;
    QImage sheet(width, 64 * zoom + 64 + 24, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0, 128, 192));
    QPainter painter(&sheet);
    int x = 8;
    for (int size : sizes) {
        const QImage image = icon.pixmap(size, size).toImage();
        painter.drawImage(QPoint(x, 8), image);
        painter.drawImage(QRect(x, 80, size * zoom, size * zoom), image);
        x += size * zoom + 8;
    }
    return sheet;
}

bool Save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "render-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    bool overlay = false;
    bool texts = false;
    QString folder = QStringLiteral(".");
    const QStringList args = QGuiApplication::arguments().mid(1);
    for (const QString& arg : args) {
        if (arg == QLatin1String("--overlay"))
            overlay = true;
        else if (arg == QLatin1String("--texts"))
            texts = true;
        else if (arg.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "usage: render-artwork [--overlay] [--texts] [output-folder]\n");
            return 2;
        } else
            folder = arg;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render-artwork: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    bool ok = true;
    const QImage picture = Picture(korvo::ControllerPictureWidth, korvo::ControllerPictureHeight);
    ok &= Save(picture, dir, QStringLiteral("picture.png"));
    if (overlay)
        ok &= Save(WithLabelOutlines(picture), dir, QStringLiteral("picture-labels.png"));
    if (texts)
        ok &= Save(WithLabelTexts(picture), dir, QStringLiteral("picture-texts.png"));
    ok &= Save(Picture(367, 167), dir, QStringLiteral("picture-about.png"));

    const QIcon icon = korvo::ControllerIcon();
    for (int size : {16, 32, 48, 64})
        ok &= Save(icon.pixmap(size, size).toImage(), dir,
                   QStringLiteral("icon-%1.png").arg(size));
    ok &= Save(IconSheet(icon), dir, QStringLiteral("icon-sheet.png"));
    return ok ? 0 : 1;
}
