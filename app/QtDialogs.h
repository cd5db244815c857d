#pragma once
// The real message boxes and file dialogs.

#include "app/UserDialogs.h"

class QWidget;

namespace korvo {

class QtDialogs : public UserDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWindow(QWidget* parent) override { parent_ = parent; }

    DialogAnswer ask(DialogIcon icon, const QString& text, DialogButtons buttons) override;
    void inform(const QString& text) override;
    void warn(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> openFile(const QString& folder) override;
    std::optional<QString> saveFile(const QString& folder, const QString& presetName) override;

private:
    QWidget* parent_;
};

// The title of the application's error display: the executable's name.
QString ApplicationTitle();

} // namespace korvo
