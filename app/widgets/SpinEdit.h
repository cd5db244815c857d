#pragma once
// An integer field with up and down buttons and a lower and upper bound. Where
// QSpinBox differs from what the editor needs: a number outside the range can be
// typed and is kept (and stored) until the focus moves on, a stored number can be
// shown unclamped, and text that is no number reads as the lower bound.
//  - Typing accepts only digits, "+" and "-"; a number typed outside the range is
//    kept as typed while the field has the focus, and set to the nearer bound when
//    the focus moves to another widget of the window (Tab, Shift+Tab, a click, or
//    the program moving it), not when a menu or popup opens or the window loses
//    activation (a message box, another window).
//  - The buttons (QToolButton's auto-repeat) and the Up/Down keys step by 1,
//    clamped to the range.
//  - setValue() clamps; setText() shows the text as given.
//  - value() reads the text as a whole number, or the lower bound if it is none.
//  - textChanged runs whenever the shown text changes, by the user or by code.
//  - Ctrl key combinations are left to the window's menu shortcuts, and it takes
//    no drops.

#include <QLineEdit>

class QToolButton;

namespace korvo {

class SpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    int value() const;
    void setValue(long long v); // clamped to the range
    void stepBy(int steps);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int clamp(long long v) const;

    int min_ = 0;
    int max_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace korvo
