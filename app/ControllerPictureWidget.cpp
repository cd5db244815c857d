#include "app/ControllerPictureWidget.h"

#include "app/ControllerArtwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvo {

void ControllerPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintControllerPicture(p, QRectF(rect()));
}

void ControllerPictureWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit clicked();
    QWidget::mouseReleaseEvent(e);
}

} // namespace korvo
