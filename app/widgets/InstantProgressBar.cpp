#include "app/widgets/InstantProgressBar.h"

#include <QPainter>
#include <algorithm>

namespace korvo {

namespace {
const QColor HotTrack(0, 102, 204);
}

InstantProgressBar::InstantProgressBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void InstantProgressBar::setPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_)
        return;
    percent_ = percent;
    if (isVisible())
        repaint(); // paints now, without waiting for the event loop
}

void InstantProgressBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect all = rect();
    const QRect done(0, 0, all.width() * percent_ / 100, all.height());
    p.fillRect(all, palette().color(QPalette::Base));
    p.fillRect(done, HotTrack);

    const QString text = QString::number(percent_) + QLatin1Char('%');
    p.setPen(HotTrack);
    p.drawText(all, Qt::AlignCenter, text);
    p.setClipRect(done);
    p.setPen(Qt::white);
    p.drawText(all, Qt::AlignCenter, text);
}

} // namespace korvo
