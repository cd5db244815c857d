#pragma once
// The controller drawn in code: the front view behind the overlay labels of the
// main window, the smaller copy in the about box, and the window icon.

#include <QIcon>
#include <QImage>
#include <QRectF>

class QPainter;

namespace korvo {

// Size of the space the picture is designed in. At this size the knobs, sliders,
// pads and keys sit exactly under the overlay labels of the main window, whose
// positions are those of the labels minus the picture's place (38, 26).
inline constexpr int ControllerPictureWidth = 713;
inline constexpr int ControllerPictureHeight = 306;

// Paints the front view of the controller stretched to fill the target
// rectangle completely. The painter's state is left as it was.
void PaintControllerPicture(QPainter& painter, const QRectF& target);

// Window icon of the controller, drawn for 16, 32, 48 and 64 pixels.
// Needs a QGuiApplication.
QIcon ControllerIcon();

// The icon as an image of size x size pixels: drawn on whole pixels for 16, 32,
// 48 and 64, the 64-pixel drawing scaled for any other size.
QImage ControllerIconImage(int size);

// The 64-pixel drawing scaled to a size x size square at the painter's origin, for
// larger images and the scalable (SVG) icon.
void PaintScalableControllerIcon(QPainter& painter, double size);

} // namespace korvo
