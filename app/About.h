#pragma once
// The about box: a borderless window with a small picture of the controller,
// centred over the main window and closed by a click anywhere on it.

#include <QDialog>

namespace korvo {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* mainWindow);

    void FormClick();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
};

} // namespace korvo
