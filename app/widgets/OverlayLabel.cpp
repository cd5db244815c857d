#include "app/widgets/OverlayLabel.h"

#include <QMouseEvent>

namespace korvo {

OverlayLabel::OverlayLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    // A click puts the keyboard focus here, out of any box of the panel it replaces.
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(false);
}

void OverlayLabel::setCaption(const QString& caption)
{
    caption_ = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
}

void OverlayLabel::setOpaque(bool opaque)
{
    setAutoFillBackground(opaque);
    update();
}

void OverlayLabel::mousePressEvent(QMouseEvent* e)
{
    pressed_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void OverlayLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(e);
    if (click)
        emit clicked();
}

} // namespace korvo
