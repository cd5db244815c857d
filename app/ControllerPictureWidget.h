#pragma once
// Draws the controller picture stretched to the widget's bounds.

#include <QWidget>

namespace korvo {

class ControllerPictureWidget : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace korvo
