#include "app/widgets/StepButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace korvo {

StepButton::StepButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRepeat(true);
    setAutoRepeatDelay(400);
    setAutoRepeatInterval(100);
    // pressed() comes at the press and again with every repeat.
    connect(this, &QAbstractButton::pressed, this, [this] {
        if (top_)
            emit topClick();
        else
            emit bottomClick();
    });
}

bool StepButton::isTopHalf(QPointF p) const
{
    // Below the line from (0, h) to (w, 0) is the bottom half.
    const double w = width();
    const double h = height();
    return !(p.y() > -(h / w) * p.x() + h);
}

void StepButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !isEnabled()) {
        e->ignore();
        return;
    }
    if (focusControl_ && focusControl_->isEnabled())
        focusControl_->setFocus(Qt::MouseFocusReason);
    top_ = isTopHalf(e->position());
    QAbstractButton::mousePressEvent(e);
}

void StepButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPalette& pal = palette();

    QPainterPath top;
    top.moveTo(r.topLeft());
    top.lineTo(r.topRight());
    top.lineTo(r.bottomLeft());
    top.closeSubpath();
    QPainterPath bottom;
    bottom.moveTo(r.topRight());
    bottom.lineTo(r.bottomRight());
    bottom.lineTo(r.bottomLeft());
    bottom.closeSubpath();

    const QColor face = pal.color(QPalette::Button);
    p.fillPath(top, isDown() && top_ ? face.darker(125) : face);
    p.fillPath(bottom, isDown() && !top_ ? face.darker(125) : face);
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(r);
    p.drawLine(r.bottomLeft(), r.topRight());

    // 6 x 6 arrow glyphs, one in each half.
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid));
    const QPointF upAt(r.left() + r.width() * 0.3, r.top() + r.height() * 0.3);
    const QPointF downAt(r.left() + r.width() * 0.7, r.top() + r.height() * 0.7);
    p.drawPolygon(QPolygonF{upAt + QPointF(-3, 2), upAt + QPointF(3, 2), upAt + QPointF(0, -2)});
    p.drawPolygon(QPolygonF{downAt + QPointF(-3, -2), downAt + QPointF(3, -2), downAt + QPointF(0, 2)});
}

} // namespace korvo
