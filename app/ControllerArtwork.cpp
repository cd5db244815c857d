// The controller is drawn with QPainter in a 713 x 306 design space that maps
// one to one onto the picture area of the main window. The overlay labels of the
// window lie over that area, so the controls here are placed from the labels'
// window positions, less the picture's own place (38, 26).
#include "app/ControllerArtwork.h"

#include "app/OverlayLabelPlaces.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace korvo {
namespace {

// Where the picture sits in the window; label positions are given in window terms.
constexpr double PictureLeft = 38;
constexpr double PictureTop = 26;

// Knob, slider and group labels: one column per left, 46 wide.
// Every control is drawn under its overlay label, taken from the window's table.
constexpr const OverlayLabelPlace& Place(int index) { return OverlayLabelPlaces[static_cast<std::size_t>(index)]; }

constexpr std::array<double, 4> ColumnLabelLefts = {Place(KnobLabelIndex(0)).left, Place(KnobLabelIndex(1)).left,
                                                    Place(KnobLabelIndex(2)).left, Place(KnobLabelIndex(3)).left};
constexpr double ColumnLabelWidth = Place(KnobLabelIndex(0)).width;
constexpr double KnobLabelTop = Place(KnobLabelIndex(0)).top;
constexpr double SliderLabelTop = Place(SliderLabelIndex(0)).top;
constexpr double GroupLabelTop = Place(GroupLabelIndex(0)).top;
constexpr double GroupLabelBottom = GroupLabelTop + Place(GroupLabelIndex(0)).height;
constexpr double KnobLabelHeight = Place(KnobLabelIndex(0)).height;

// Pad labels: upper row pads 1-4, lower row pads 5-8.
constexpr std::array<double, 4> PadLabelLefts = {Place(PadLabelIndex(0)).left, Place(PadLabelIndex(1)).left,
                                                 Place(PadLabelIndex(2)).left, Place(PadLabelIndex(3)).left};
constexpr std::array<double, 4> PadLabelWidths = {Place(PadLabelIndex(0)).width, Place(PadLabelIndex(1)).width,
                                                  Place(PadLabelIndex(2)).width, Place(PadLabelIndex(3)).width};
constexpr std::array<double, 2> PadLabelTops = {Place(PadLabelIndex(0)).top, Place(PadLabelIndex(4)).top};
constexpr double PadLabelHeight = Place(PadLabelIndex(0)).height;

// Key labels, lowest key first: left edge and whether the key is black.
struct KeyLabel {
    double Left;
    bool Black;
};
constexpr std::array<KeyLabel, 25> MakeKeyLabels()
{
    std::array<KeyLabel, 25> keys{};
    for (int k = 0; k < 25; ++k)
        keys[static_cast<std::size_t>(k)] = {static_cast<double>(Place(KeyLabelIndex(k)).left), IsBlackKey(k)};
    return keys;
}
constexpr std::array<KeyLabel, 25> KeyLabels = MakeKeyLabels();
constexpr double WhiteKeyLabelWidth = Place(KeyLabelIndex(0)).width;
constexpr double BlackKeyLabelWidth = Place(KeyLabelIndex(1)).width;
constexpr double BlackKeyLabelBottom = Place(KeyLabelIndex(1)).top + Place(KeyLabelIndex(1)).height;

// Keyboard in picture terms.
constexpr double KeyTop = 166;
constexpr double WhiteKeyBottom = 303;
constexpr double BlackKeyWidth = 32; // room for a lime "CC#" caption
constexpr double BlackKeyBottom = BlackKeyLabelBottom - PictureTop + 8;

// Right edge of the block of push buttons at the left.
constexpr double ButtonBlockRight = 110;

constexpr double Pi = std::numbers::pi;

QColor Rgb(int r, int g, int b, int a = 255)
{
    return QColor(r, g, b, a);
}

// Font of the printing on the panel. When the picture is drawn small, as in the
// about box, the size grows so that the numbers still come out legible.
QFont PrintFont(const QPainter& p, double pixelSize, bool bold)
{
    constexpr double smallestOnScreen = 7;
    const QTransform& t = p.worldTransform();
    const double scale = std::min(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    if (scale > 0 && pixelSize * scale < smallestOnScreen)
        pixelSize = smallestOnScreen / scale;
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double ColumnCentre(int column)
{
    return ColumnLabelLefts[static_cast<std::size_t>(column)] - PictureLeft +
           ColumnLabelWidth / 2;
}

// Centre of the key labels in picture terms.
double KeyLabelCentre(const KeyLabel& key)
{
    const double width = key.Black ? BlackKeyLabelWidth : WhiteKeyLabelWidth;
    return key.Left - PictureLeft + width / 2;
}

// Pixel columns of the lines between white keys, plus the outer edges: 16 values
// for 15 keys. The lines fall half way between neighbouring white-key labels, so
// every label stays centred on its key to within half a pixel.
std::array<double, 16> WhiteKeyEdges()
{
    std::array<double, 15> centres{};
    std::size_t n = 0;
    for (const auto& key : KeyLabels)
        if (!key.Black)
            centres[n++] = KeyLabelCentre(key);
    std::array<double, 16> edges{};
    const double halfKey = (centres[14] - centres[0]) / 14 / 2;
    edges[0] = std::round(centres[0] - halfKey);
    for (std::size_t i = 1; i < 15; ++i)
        edges[i] = std::floor((centres[i - 1] + centres[i]) / 2);
    edges[15] = std::round(centres[14] + halfKey);
    return edges;
}

void DrawBody(QPainter& p)
{
    const QRectF whole(0, 0, ControllerPictureWidth, ControllerPictureHeight);
    p.fillRect(whole, Rgb(14, 15, 17));

    // Main shell: a slightly lighter top panel falling off towards the keys.
    QLinearGradient shell(0, 0, 0, ControllerPictureHeight);
    shell.setColorAt(0.0, Rgb(62, 65, 71));
    shell.setColorAt(0.05, Rgb(50, 53, 58));
    shell.setColorAt(0.50, Rgb(38, 40, 44));
    shell.setColorAt(1.0, Rgb(27, 28, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawRoundedRect(whole.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);

    // Bevel: light along the top edge, dark along the bottom.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(255, 255, 255, 38), 1));
    p.drawLine(QPointF(8, 1.5), QPointF(ControllerPictureWidth - 8, 1.5));
    p.setPen(QPen(Rgb(0, 0, 0, 120), 1));
    p.drawLine(QPointF(8, ControllerPictureHeight - 1.5),
               QPointF(ControllerPictureWidth - 8, ControllerPictureHeight - 1.5));

    // Faint dividers between the button block, the knob/slider section and the pads.
    const double knobsLeft = ColumnCentre(0) - 28;
    const double knobsRight = ColumnCentre(3) + 28;
    const double padsLeft = PadLabelLefts[0] - PictureLeft;
    for (double x : {std::floor((ButtonBlockRight + knobsLeft) / 2) + 0.5,
                     std::floor((knobsRight + padsLeft) / 2) + 0.5}) {
        p.setPen(QPen(Rgb(0, 0, 0, 110), 1));
        p.drawLine(QPointF(x, 12), QPointF(x, 150));
        p.setPen(QPen(Rgb(255, 255, 255, 22), 1));
        p.drawLine(QPointF(x + 1, 12), QPointF(x + 1, 150));
    }
}

void DrawPushButton(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0, 0, 0, 110));
    p.drawRoundedRect(r.translated(0, 1.5).adjusted(-0.5, -0.5, 0.5, 0.5), 4, 4);

    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, Rgb(96, 99, 106));
    face.setColorAt(0.45, Rgb(72, 75, 81));
    face.setColorAt(1.0, Rgb(52, 54, 59));
    p.setBrush(face);
    p.setPen(QPen(Rgb(16, 17, 19), 1));
    p.drawRoundedRect(r, 3.5, 3.5);

    p.setPen(QPen(Rgb(255, 255, 255, 45), 1));
    p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
}

void DrawArrow(QPainter& p, const QPointF& c, bool right)
{
    const double d = right ? 1 : -1;
    QPainterPath arrow;
    arrow.moveTo(c.x() + 4 * d, c.y());
    arrow.lineTo(c.x() - 3 * d, c.y() - 4);
    arrow.lineTo(c.x() - 3 * d, c.y() + 4);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(225, 227, 231));
    p.drawPath(arrow);
}

void DrawLight(QPainter& p, const QPointF& c, bool lit)
{
    if (lit) {
        QRadialGradient glow(c, 8);
        glow.setColorAt(0.0, Rgb(255, 60, 50, 150));
        glow.setColorAt(1.0, Rgb(255, 40, 30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, 8, 8);
    }
    p.setPen(QPen(Rgb(10, 10, 11), 1));
    p.setBrush(Rgb(24, 25, 27));
    p.drawEllipse(c, 3.6, 3.6);
    QRadialGradient lens(c - QPointF(0.8, 0.8), 3);
    if (lit) {
        lens.setColorAt(0.0, Rgb(255, 200, 190));
        lens.setColorAt(0.4, Rgb(255, 60, 45));
        lens.setColorAt(1.0, Rgb(190, 20, 15));
    } else {
        lens.setColorAt(0.0, Rgb(170, 70, 70));
        lens.setColorAt(0.5, Rgb(110, 22, 22));
        lens.setColorAt(1.0, Rgb(70, 12, 12));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(lens);
    p.drawEllipse(c, 2.7, 2.7);
}

// Eight push buttons in two columns (arrows on the lowest pair), four
// lights below them, and the name.
void DrawButtonBlock(QPainter& p)
{
    constexpr std::array<double, 2> columns = {44, 88};
    constexpr std::array<double, 4> rows = {24, 49, 74, 99};
    constexpr double w = 32;
    constexpr double h = 15;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t col = 0; col < columns.size(); ++col) {
            const QRectF r(columns[col] - w / 2, rows[row] - h / 2, w, h);
            DrawPushButton(p, r);
            if (row == rows.size() - 1)
                DrawArrow(p, r.center(), col == 1);
            else {
                // Printed mark above the button.
                p.setPen(QPen(Rgb(150, 153, 160), 1));
                p.drawLine(QPointF(r.left() + 10, r.top() - 4.5),
                           QPointF(r.right() - 10, r.top() - 4.5));
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        DrawLight(p, QPointF(33 + 22 * i, 124), i == 0);

    p.setFont(PrintFont(p, 14, true));
    p.setPen(Rgb(214, 217, 222));
    QFont font = p.font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    p.setFont(font);
    p.drawText(QRectF(8, 136, 120, 20), Qt::AlignCenter, QStringLiteral("KORVO"));
}

// A point at the given angle (degrees, anticlockwise from three o'clock).
QPointF Polar(const QPointF& c, double radius, double degrees)
{
    const double a = degrees * Pi / 180;
    return {c.x() + radius * std::cos(a), c.y() - radius * std::sin(a)};
}

void DrawKnob(QPainter& p, const QPointF& c)
{
    // Dotted scale from the lowest position (seven o'clock) round to the highest.
    constexpr int dots = 11;
    constexpr double scaleRadius = 26.5;
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(190, 193, 199));
    for (int i = 0; i < dots; ++i) {
        const double angle = 225 - 270.0 * i / (dots - 1);
        const double r = (i == 0 || i == dots - 1) ? 1.75 : 1.2;
        p.drawEllipse(Polar(c, scaleRadius, angle), r, r);
    }

    QRadialGradient shadow(c + QPointF(0, 2), 24);
    shadow.setColorAt(0.75, Rgb(0, 0, 0, 160));
    shadow.setColorAt(1.0, Rgb(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 2), 24, 24);

    // Skirt with a knurled edge round the cap.
    constexpr double skirt = 21.5;
    constexpr double cap = 18;
    QLinearGradient skirtFill(c + QPointF(-skirt, -skirt), c + QPointF(skirt, skirt));
    skirtFill.setColorAt(0.0, Rgb(92, 95, 102));
    skirtFill.setColorAt(1.0, Rgb(22, 23, 26));
    p.setBrush(skirtFill);
    p.setPen(QPen(Rgb(8, 8, 9), 1));
    p.drawEllipse(c, skirt, skirt);
    p.setPen(QPen(Rgb(0, 0, 0, 90), 0.8));
    for (int i = 0; i < 48; ++i) {
        const double angle = 360.0 * i / 48;
        p.drawLine(Polar(c, cap + 0.8, angle), Polar(c, skirt - 0.6, angle));
    }

    // Cap: dark enough for lime text, with a soft sheen from the top.
    QLinearGradient capFill(c + QPointF(0, -cap), c + QPointF(0, cap));
    capFill.setColorAt(0.0, Rgb(66, 69, 75));
    capFill.setColorAt(1.0, Rgb(30, 31, 35));
    p.setBrush(capFill);
    p.setPen(QPen(Rgb(12, 12, 14), 1));
    p.drawEllipse(c, cap, cap);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(255, 255, 255, 40), 1));
    p.drawArc(QRectF(c.x() - cap + 1.5, c.y() - cap + 1.5, 2 * cap - 3, 2 * cap - 3),
              60 * 16, 80 * 16);

    // Pointer on the skirt, at the middle of the travel.
    p.setPen(QPen(Rgb(240, 241, 243), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, cap + 0.5, 90), Polar(c, skirt - 1, 90));
}

void DrawSlider(QPainter& p, double x, int number)
{
    const double top = SliderLabelTop - PictureTop + 3;
    const double bottom = GroupLabelBottom - PictureTop - 4;

    // Scale ticks on both sides of the slot.
    for (int i = 0; i <= 8; ++i) {
        const double y = std::round(top + 4 + (bottom - top - 8) * i / 8) + 0.5;
        const double len = (i == 0 || i == 4 || i == 8) ? 4 : 2.5;
        p.setPen(QPen(Rgb(98, 102, 110), 1));
        p.drawLine(QPointF(x - 19 - len, y), QPointF(x - 19, y));
        p.drawLine(QPointF(x + 19, y), QPointF(x + 19 + len, y));
    }

    // Slot.
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(255, 255, 255, 28));
    p.drawRoundedRect(QRectF(x - 2.5, top, 6, bottom - top + 1), 2.5, 2.5);
    p.setBrush(Rgb(4, 4, 5));
    p.drawRoundedRect(QRectF(x - 3, top - 0.5, 6, bottom - top), 2.5, 2.5);

    // Cap, across the top edge of the group label: that label holds one short
    // line, centred well below, and the slider label's two lines end above it.
    const double mid = GroupLabelTop - PictureTop + 0.5;
    const QRectF capRect(x - 15, mid - 6.5, 30, 13);
    p.setBrush(Rgb(0, 0, 0, 120));
    p.drawRoundedRect(capRect.translated(0, 2).adjusted(-1, -1, 1, 1), 3, 3);
    QLinearGradient fill(capRect.topLeft(), capRect.bottomLeft());
    fill.setColorAt(0.0, Rgb(112, 116, 124));
    fill.setColorAt(0.48, Rgb(68, 71, 77));
    fill.setColorAt(0.52, Rgb(50, 52, 57));
    fill.setColorAt(1.0, Rgb(36, 37, 41));
    p.setBrush(fill);
    p.setPen(QPen(Rgb(10, 10, 11), 1));
    p.drawRoundedRect(capRect, 2.5, 2.5);
    p.setPen(QPen(Rgb(245, 245, 245), 1.2));
    p.drawLine(QPointF(capRect.left() + 3, mid), QPointF(capRect.right() - 3, mid));

    p.setFont(PrintFont(p, 10, true));
    p.setPen(Rgb(196, 199, 205));
    p.drawText(QRectF(x - 10, bottom + 2, 20, 12), Qt::AlignCenter, QString::number(number));
}

void DrawPad(QPainter& p, const QRectF& r, int number)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0, 0, 0, 130));
    p.drawRoundedRect(r.translated(0, 2).adjusted(-1, -1, 1, 1), 7, 7);

    // Rubber rim, then the face: a light red so that black label text reads well.
    p.setBrush(Rgb(96, 22, 28));
    p.drawRoundedRect(r, 6, 6);
    const QRectF face = r.adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0.0, Rgb(250, 150, 148));
    fill.setColorAt(0.25, Rgb(240, 118, 118));
    fill.setColorAt(1.0, Rgb(222, 88, 94));
    p.setBrush(fill);
    p.drawRoundedRect(face, 5, 5);

    // Soft sheen on the upper part and a darker lower rim.
    QLinearGradient sheen(face.topLeft(), face.bottomLeft());
    sheen.setColorAt(0.0, Rgb(255, 255, 255, 70));
    sheen.setColorAt(0.35, Rgb(255, 255, 255, 0));
    sheen.setColorAt(0.85, Rgb(120, 0, 10, 0));
    sheen.setColorAt(1.0, Rgb(120, 0, 10, 55));
    p.setBrush(sheen);
    p.drawRoundedRect(face, 5, 5);

    p.setFont(PrintFont(p, 10, true));
    p.setPen(Rgb(196, 199, 205));
    p.drawText(QRectF(r.left(), r.bottom() + 2, r.width(), 11), Qt::AlignCenter,
               QString::number(number));
}

void DrawKeyboard(QPainter& p)
{
    const auto edges = WhiteKeyEdges();
    const double left = edges.front();
    const double right = edges.back();

    // Well around the keys and the felt strip along their back.
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(8, 8, 9));
    p.drawRoundedRect(
        QRectF(left - 4, KeyTop - 7, right - left + 8, ControllerPictureHeight - KeyTop + 6), 3, 3);
    QLinearGradient felt(0, KeyTop - 4, 0, KeyTop);
    felt.setColorAt(0.0, Rgb(70, 14, 20));
    felt.setColorAt(1.0, Rgb(120, 26, 34));
    p.setBrush(felt);
    p.drawRect(QRectF(left, KeyTop - 4, right - left, 4));

    // White keys.
    QLinearGradient ivory(0, KeyTop, 0, WhiteKeyBottom);
    ivory.setColorAt(0.0, Rgb(226, 223, 216));
    ivory.setColorAt(0.08, Rgb(246, 244, 238));
    ivory.setColorAt(0.88, Rgb(252, 251, 247));
    ivory.setColorAt(0.95, Rgb(232, 229, 221));
    ivory.setColorAt(1.0, Rgb(196, 192, 183));
    p.setBrush(ivory);
    p.drawRect(QRectF(left, KeyTop, right - left, WhiteKeyBottom - KeyTop));
    for (std::size_t i = 1; i < 15; ++i) {
        p.setBrush(Rgb(120, 117, 110));
        p.drawRect(QRectF(edges[i], KeyTop, 1, WhiteKeyBottom - KeyTop));
        p.setBrush(Rgb(255, 255, 255, 150));
        p.drawRect(QRectF(edges[i] + 1, KeyTop, 1, WhiteKeyBottom - KeyTop));
    }
    // Shade under the front lip of the body.
    QLinearGradient lip(0, KeyTop, 0, KeyTop + 9);
    lip.setColorAt(0.0, Rgb(0, 0, 0, 150));
    lip.setColorAt(1.0, Rgb(0, 0, 0, 0));
    p.setBrush(lip);
    p.drawRect(QRectF(left, KeyTop, right - left, 9));

    // Black keys, centred on their labels.
    for (const auto& key : KeyLabels) {
        if (!key.Black)
            continue;
        const double c = KeyLabelCentre(key);
        const QRectF body(c - BlackKeyWidth / 2, KeyTop, BlackKeyWidth, BlackKeyBottom - KeyTop);

        QLinearGradient shade(body.right(), 0, body.right() + 5, 0);
        shade.setColorAt(0.0, Rgb(0, 0, 0, 70));
        shade.setColorAt(1.0, Rgb(0, 0, 0, 0));
        p.setBrush(shade);
        p.drawRect(QRectF(body.right(), KeyTop, 5, body.height() + 2));
        p.setBrush(Rgb(0, 0, 0, 60));
        p.drawRoundedRect(body.translated(1.5, 2.5), 2, 2);

        p.setBrush(Rgb(6, 6, 7));
        p.drawRoundedRect(body.adjusted(0, -2, 0, 0), 2, 2);
        const QRectF top = body.adjusted(2, 0, -2, -7);
        QLinearGradient face(top.topLeft(), top.topRight());
        face.setColorAt(0.0, Rgb(28, 29, 32));
        face.setColorAt(0.35, Rgb(44, 45, 49));
        face.setColorAt(1.0, Rgb(24, 25, 28));
        p.setBrush(face);
        p.drawRoundedRect(top.adjusted(0, -2, 0, 0), 1.5, 1.5);
        // Sloped front end catching the light.
        QPainterPath front;
        front.moveTo(top.bottomLeft());
        front.lineTo(top.bottomRight());
        front.lineTo(body.right() - 0.8, body.bottom() - 1);
        front.lineTo(body.left() + 0.8, body.bottom() - 1);
        front.closeSubpath();
        QLinearGradient frontFill(0, top.bottom(), 0, body.bottom());
        frontFill.setColorAt(0.0, Rgb(70, 72, 77));
        frontFill.setColorAt(1.0, Rgb(38, 39, 43));
        p.setBrush(frontFill);
        p.drawPath(front);
        p.setBrush(Rgb(255, 255, 255, 30));
        p.drawRect(QRectF(top.left(), top.top(), 1, top.height()));
    }

    // The shade of the lip also falls across the black keys.
    p.setBrush(lip);
    p.drawRect(QRectF(left, KeyTop, right - left, 5));
}

void PaintDesign(QPainter& p)
{
    DrawBody(p);
    DrawButtonBlock(p);
    for (int i = 0; i < 4; ++i) {
        const double x = ColumnCentre(i);
        DrawKnob(p, QPointF(x, KnobLabelTop - PictureTop + KnobLabelHeight / 2));
        DrawSlider(p, x, i + 1);
    }
    for (std::size_t row = 0; row < PadLabelTops.size(); ++row)
        for (std::size_t col = 0; col < PadLabelLefts.size(); ++col)
            DrawPad(p,
                    QRectF(PadLabelLefts[col] - PictureLeft, PadLabelTops[row] - PictureTop,
                           PadLabelWidths[col], PadLabelHeight),
                    static_cast<int>(row * 4 + col + 1));
    DrawKeyboard(p);
}

// Icon layouts, one per size, on whole pixels so that the small sizes stay sharp.
// The icon shows the same controller reduced to body, knobs, sliders, pads and keys.
struct IconLayout {
    int Size;
    int BodyTop, BodyBottom, Corner;
    int KeysLeft, KeysTop, KeysBottom, KeyPitch, WhiteKeys, BlackWidth, BlackBottom;
    int PadsLeft, PadsTop, PadSize, PadGap, PadColumns;
    int KnobsLeft, KnobsTop, KnobSize, KnobPitch, Knobs;
    int SlidersTop, SlidersBottom; // no sliders when equal
};

constexpr std::array<IconLayout, 4> IconLayouts = {{
    {16, 2, 15, 2, 1, 9, 14, 3, 5, 2, 12, 9, 3, 2, 1, 2, 2, 3, 3, 4, 2, 0, 0},
    {32, 5, 28, 3, 2, 16, 26, 4, 7, 3, 22, 21, 7, 3, 1, 2, 3, 7, 4, 5, 3, 12, 15},
    {48, 7, 42, 4, 2, 23, 40, 4, 11, 3, 33, 27, 10, 4, 1, 4, 2, 10, 5, 6, 4, 16, 21},
    {64, 9, 56, 5, 2, 31, 54, 5, 12, 3, 45, 34, 13, 6, 1, 4, 3, 13, 6, 7, 4, 21, 28},
}};

void PaintIcon(QPainter& p, const IconLayout& l)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const QRectF body(0, l.BodyTop, l.Size, l.BodyBottom - l.BodyTop);
    p.setBrush(Rgb(12, 12, 14));
    p.drawRoundedRect(body, l.Corner, l.Corner);
    QLinearGradient shell(body.topLeft(), body.bottomLeft());
    shell.setColorAt(0.0, Rgb(84, 88, 95));
    shell.setColorAt(1.0, Rgb(34, 35, 39));
    p.setBrush(shell);
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), l.Corner - 1, l.Corner - 1);

    // Keys: white keys with a dark line between them, black keys over the lines.
    const int keysWidth = l.WhiteKeys * l.KeyPitch - 1;
    p.setBrush(Rgb(16, 16, 18));
    p.drawRect(QRectF(l.KeysLeft - 1, l.KeysTop - 1, keysWidth + 2, l.KeysBottom - l.KeysTop + 1));
    QLinearGradient ivory(0, l.KeysTop, 0, l.KeysBottom);
    ivory.setColorAt(0.0, Rgb(222, 220, 214));
    ivory.setColorAt(1.0, Rgb(255, 255, 252));
    p.setBrush(ivory);
    for (int i = 0; i < l.WhiteKeys; ++i)
        p.drawRect(QRectF(l.KeysLeft + i * l.KeyPitch, l.KeysTop, l.KeyPitch - 1,
                          l.KeysBottom - l.KeysTop));
    p.setBrush(Rgb(10, 10, 11));
    for (int i = 0; i + 1 < l.WhiteKeys; ++i) {
        const int degree = i % 7; // C D E F G A B: no black key after E and B
        if (degree == 2 || degree == 6)
            continue;
        const int line = l.KeysLeft + (i + 1) * l.KeyPitch - 1;
        p.drawRect(QRectF(line - (l.BlackWidth - 1) / 2, l.KeysTop, l.BlackWidth,
                          l.BlackBottom - l.KeysTop));
    }

    // Pads, two rows.
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < l.PadColumns; ++col) {
            const QRectF pad(l.PadsLeft + col * (l.PadSize + l.PadGap),
                             l.PadsTop + row * (l.PadSize + l.PadGap), l.PadSize, l.PadSize);
            if (l.PadSize >= 4) {
                p.setBrush(Rgb(120, 26, 32));
                p.drawRoundedRect(pad, 1, 1);
                p.setBrush(Rgb(242, 112, 114));
                p.drawRect(pad.adjusted(1, 1, -1, -1));
            } else {
                p.setBrush(Rgb(236, 84, 90));
                p.drawRect(pad);
            }
        }
    }

    // Knobs with a white pointer, and slider slots with their caps below them.
    for (int i = 0; i < l.Knobs; ++i) {
        const QRectF knob(l.KnobsLeft + i * l.KnobPitch, l.KnobsTop, l.KnobSize, l.KnobSize);
        const double middle = std::floor(knob.center().x() - 0.5); // pixel column
        if (l.KnobSize <= 3) {
            p.setBrush(Rgb(176, 180, 188));
            p.drawEllipse(knob);
        } else {
            p.setBrush(Rgb(8, 8, 9));
            p.drawEllipse(knob);
            p.setBrush(Rgb(130, 134, 142));
            p.drawEllipse(knob.adjusted(0.75, 0.75, -0.75, -0.75));
        }
        if (l.KnobSize >= 5) {
            p.setBrush(Rgb(252, 252, 252));
            p.drawRect(QRectF(middle, knob.top() + 0.75, 1, l.KnobSize / 2 - 0.75));
        }
        if (l.SlidersBottom > l.SlidersTop) {
            p.setBrush(Rgb(6, 6, 7));
            p.drawRect(QRectF(middle, l.SlidersTop, 1, l.SlidersBottom - l.SlidersTop));
            p.setBrush(Rgb(214, 216, 220));
            const int capHeight = l.Size >= 48 ? 2 : 1;
            p.drawRect(QRectF(middle - 1, (l.SlidersTop + l.SlidersBottom - capHeight) / 2, 3,
                              capHeight));
        }
    }
    p.restore();
}

QImage IconImage(const IconLayout& l)
{
    QImage image(l.Size, l.Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintIcon(p, l);
    return image;
}

} // namespace

void PaintControllerPicture(QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / ControllerPictureWidth,
                  target.height() / ControllerPictureHeight);
    PaintDesign(painter);
    painter.restore();
}

QImage ControllerIconImage(int size)
{
    for (const auto& layout : IconLayouts)
        if (layout.Size == size)
            return IconImage(layout);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintScalableControllerIcon(p, size);
    return image;
}

void PaintScalableControllerIcon(QPainter& painter, double size)
{
    const IconLayout& largest = IconLayouts.back();
    painter.save();
    painter.scale(size / largest.Size, size / largest.Size);
    PaintIcon(painter, largest);
    painter.restore();
}

QIcon ControllerIcon()
{
    QIcon icon;
    for (const auto& layout : IconLayouts)
        icon.addPixmap(QPixmap::fromImage(IconImage(layout)));
    return icon;
}

} // namespace korvo
