#include "app/About.h"

#include "app/ControllerPictureWidget.h"

#include <QMouseEvent>

namespace korvo {

TFormAbout::TFormAbout(QWidget* mainWindow) : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About Korvo"));
    setModal(true);
    setFixedSize(492, 388);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* picture = new ControllerPictureWidget(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(74, 14, 367, 167);
    connect(picture, &ControllerPictureWidget::clicked, this, &TFormAbout::FormClick);
}

void TFormAbout::FormClick()
{
    close();
}

void TFormAbout::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        FormClick();
    QDialog::mouseReleaseEvent(e);
}

void TFormAbout::showEvent(QShowEvent* e)
{
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    QDialog::showEvent(e);
}

} // namespace korvo
