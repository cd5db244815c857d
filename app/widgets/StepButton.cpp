#include "app/widgets/StepButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace korvo {

StepButton::StepButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(100);
        fire();
    });
}

bool StepButton::isTopHalf(QPointF p) const
{
    // Below the line from (0, h) to (w, 0) is the bottom half.
    const double w = width();
    const double h = height();
    return !(p.y() > -(h / w) * p.x() + h);
}

void StepButton::fire()
{
    if (down_ == Down::Top)
        emit topClick();
    else if (down_ == Down::Bottom)
        emit bottomClick();
}

void StepButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (focusControl_ && focusControl_->isEnabled())
        focusControl_->setFocus(Qt::MouseFocusReason);
    down_ = isTopHalf(e->position()) ? Down::Top : Down::Bottom;
    update();
    fire();
    repeat_.start(400);
}

void StepButton::mouseReleaseEvent(QMouseEvent*)
{
    repeat_.stop();
    down_ = Down::None;
    update();
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
    p.fillPath(top, down_ == Down::Top ? face.darker(125) : face);
    p.fillPath(bottom, down_ == Down::Bottom ? face.darker(125) : face);
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
