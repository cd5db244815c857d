#include "app/widgets/Edit.h"

#include "app/widgets/WindowShortcuts.h"

#include <QValidator>
#include <algorithm>

namespace korvo {

namespace {

// One character's capital where it is a single Latin-1 character ("a" gives "A";
// "ß", "ÿ" and "µ" have none there and stay).
QChar Capital(QChar c)
{
    const QChar upper = c.toUpper();
    return upper.unicode() <= 0xFF ? upper : c;
}

} // namespace

// Runs on every change to the text; converts only the characters that the change
// put in, which end at the caret.
class UpperCaseValidator : public QValidator {
public:
    explicit UpperCaseValidator(Edit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int& pos) const override
    {
        if (!edit_->upperCase_ || edit_->settingFromCode_)
            return Acceptable;
        const QString& before = edit_->shown_;
        const qsizetype end = std::clamp<qsizetype>(pos, 0, input.size());
        const qsizetype tail = input.size() - end;
        // What follows the caret is unchanged text; what precedes it and differs
        // from the text before is new.
        const qsizetype endBefore = before.size() - tail;
        qsizetype start = 0;
        if (endBefore >= 0 && QStringView(before).sliced(endBefore) == QStringView(input).sliced(end))
            while (start < end && start < endBefore && before[start] == input[start])
                ++start;
        for (qsizetype i = start; i < end; ++i)
            input[i] = Capital(input[i]);
        return Acceptable;
    }

private:
    Edit* edit_;
};

Edit::Edit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new UpperCaseValidator(this));
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

void Edit::setUpperCase(bool on)
{
    upperCase_ = on;
}

void Edit::setText(const QString& text)
{
    settingFromCode_ = true;
    QLineEdit::setText(text);
    settingFromCode_ = false;
}

void Edit::setProblem(const QString& description)
{
    if (description == problem_)
        return;
    problem_ = description;
    setToolTip(description);
    // Only the text colour is set; every other role follows the inherited palette.
    QPalette mark;
    if (!description.isEmpty())
        mark.setColor(QPalette::Text, ErrorTextColour(palette()));
    setPalette(mark);
}

bool Edit::event(QEvent* e)
{
    if (LeaveShortcutToWindow(e))
        return true;
    return QLineEdit::event(e);
}

QColor ErrorTextColour(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(255, 110, 110) : QColor(200, 0, 0);
}

} // namespace korvo
