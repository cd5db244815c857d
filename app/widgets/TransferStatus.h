#pragma once
// The strip under the progress bar while a Communication command runs: what the
// command is doing, and a Cancel button.

#include <QFrame>

class QLabel;
class QPushButton;

namespace korvo {

class TransferStatus : public QFrame {
    Q_OBJECT
public:
    explicit TransferStatus(QWidget* parent = nullptr);

    void setStage(const QString& text);
    QString stage() const;
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void cancelClicked();

private:
    QLabel* stage_;
    QPushButton* cancel_;
};

} // namespace korvo
