#include "app/widgets/Edit.h"

#include "app/widgets/WindowShortcuts.h"

#include <QValidator>

namespace korvo {

// Runs on every change to the text; converts only what the user typed or pasted.
class UpperCaseValidator : public QValidator {
public:
    explicit UpperCaseValidator(Edit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override
    {
        if (edit_->upperCase_ && !edit_->settingFromCode_)
            input = input.toUpper();
        return Acceptable;
    }

private:
    Edit* edit_;
};

Edit::Edit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new UpperCaseValidator(this));
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

bool Edit::event(QEvent* e)
{
    if (LeaveShortcutToWindow(e))
        return true;
    return QLineEdit::event(e);
}

} // namespace korvo
