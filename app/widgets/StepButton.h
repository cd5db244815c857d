#pragma once
// A two-part step button split along its diagonal (from the lower left to the upper
// right corner): the upper-left half steps up, the lower-right half steps down.
// A press clicks at once, repeats after 400 ms and then every 100 ms while held,
// and gives the focus to the field it serves.

#include <QTimer>
#include <QWidget>

namespace korvo {

class StepButton : public QWidget {
    Q_OBJECT
public:
    explicit StepButton(QWidget* parent = nullptr);

    void setFocusControl(QWidget* control) { focusControl_ = control; }

    // Which half a point lies in.
    bool isTopHalf(QPointF p) const;

signals:
    void topClick();
    void bottomClick();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    enum class Down { None, Top, Bottom };
    void fire();

    QWidget* focusControl_ = nullptr;
    Down down_ = Down::None;
    QTimer repeat_;
};

} // namespace korvo
