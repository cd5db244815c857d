#pragma once
// A one-line edit whose change handler (textChanged) runs for typed text and for
// text set from code, but only when the text differs. Optionally turns typed
// letters into capitals; text set from code is shown as given.

#include <QLineEdit>

namespace korvo {

class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent = nullptr);

    void setUpperCase(bool on);
    bool upperCase() const { return upperCase_; }

    // Hides QLineEdit::setText so that text set from code is never case-converted.
    void setText(const QString& text);

protected:
    bool event(QEvent* e) override;

private:
    friend class UpperCaseValidator;
    bool upperCase_ = false;
    bool settingFromCode_ = false;
};

} // namespace korvo
