#pragma once
// A one-line edit. Where QLineEdit differs from what the editor needs:
//  - its change handler (textChanged) runs for typed text and for text set from
//    code, but only when the text differs;
//  - optionally, the characters the user types or pastes become capitals one at a
//    time, where the capital is a single Latin-1 character (scene names and note
//    names are stored in Latin-1); text set from code is shown as given;
//  - Ctrl key combinations are left to the window's menu shortcuts;
//  - it takes no drops, so that a file dropped on it opens as on the window.
// Text the program could not understand is shown in an error colour with a tooltip.

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

    // Marks the text as not understood, with a tooltip saying what is; an empty
    // description marks it as understood.
    void setProblem(const QString& description);
    bool hasProblem() const { return !problem_.isEmpty(); }

protected:
    bool event(QEvent* e) override;

private:
    friend class UpperCaseValidator;
    bool upperCase_ = false;
    bool settingFromCode_ = false;
    QString shown_; // the text before the change being validated
    QString problem_;
};

// The colour of text the program could not understand: a red that stands out on
// the palette's base colour (QPalette has no role for errors).
QColor ErrorTextColour(const QPalette& palette);

} // namespace korvo
