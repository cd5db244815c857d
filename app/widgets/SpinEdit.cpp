#include "app/widgets/SpinEdit.h"

#include "app/widgets/WindowShortcuts.h"
#include "scene/WholeNumber.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>

namespace korvo {

namespace {

constexpr int ButtonWidth = 16;

QToolButton* MakeStepButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(100);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::ArrowCursor);
    return b;
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QLineEdit(parent), up_(MakeStepButton(this, Qt::UpArrow)), down_(MakeStepButton(this, Qt::DownArrow))
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9+\\-]*")), this));
    setCursor(Qt::SizeVerCursor);
    setAcceptDrops(false);
    setTextMargins(0, 0, ButtonWidth, 0);
    QLineEdit::setText(QStringLiteral("0"));
    connect(up_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        stepBy(1);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        stepBy(-1);
    });
}

void SpinEdit::setRange(int minimum, int maximum)
{
    min_ = minimum;
    max_ = maximum;
}

int SpinEdit::clamp(long long v) const
{
    return static_cast<int>(std::clamp<long long>(v, min_, max_));
}

int SpinEdit::value() const
{
    return ParseWholeNumber(text().toStdString()).value_or(min_);
}

void SpinEdit::setValue(long long v)
{
    setText(QString::number(clamp(v)));
}

void SpinEdit::stepBy(int steps)
{
    setValue(clamp(static_cast<long long>(value()) + steps));
}

bool SpinEdit::event(QEvent* e)
{
    if (LeaveShortcutToWindow(e))
        return true;
    return QLineEdit::event(e);
}

void SpinEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
        stepBy(e->key() == Qt::Key_Up ? 1 : -1);
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void SpinEdit::focusOutEvent(QFocusEvent* e)
{
    // Only a number outside the range is corrected, and only when the focus moves
    // on to another widget of this window (a popup list takes it into a window of
    // its own); other text stays as typed.
    const QWidget* next = QApplication::focusWidget();
    const bool movesOn = e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason &&
                         e->reason() != Qt::MenuBarFocusReason && (!next || next->window() == window());
    if (const auto typed = ParseWholeNumber(text().toStdString()); movesOn && typed && clamp(*typed) != *typed)
        setValue(*typed);
    QLineEdit::focusOutEvent(e);
}

void SpinEdit::resizeEvent(QResizeEvent* e)
{
    QLineEdit::resizeEvent(e);
    const int half = height() / 2;
    up_->setGeometry(width() - ButtonWidth - 1, 1, ButtonWidth, half - 1);
    down_->setGeometry(width() - ButtonWidth - 1, half, ButtonWidth, height() - half - 1);
}

} // namespace korvo
