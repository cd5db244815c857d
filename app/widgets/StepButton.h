#pragma once
// A two-part step button split along its diagonal (from the lower left to the upper
// right corner): the upper-left half steps up, the lower-right half steps down.
// Where a pair of QToolButtons differs from what the editor needs: the two halves
// share one square split on the diagonal, and a step comes at the press, not the
// release. Held, QAbstractButton's auto-repeat steps again after 400 ms and then
// every 100 ms. A press gives the focus to the field the button serves.

#include <QAbstractButton>

namespace korvo {

class StepButton : public QAbstractButton {
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

private:
    QWidget* focusControl_ = nullptr;
    bool top_ = true; // the half pressed last
};

} // namespace korvo
