#include "app/widgets/TransferStatus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace korvo {

TransferStatus::TransferStatus(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, QColor(0, 102, 204));
    setPalette(p);

    stage_ = new QLabel(this);
    stage_->setObjectName(QStringLiteral("TransferStage"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("TransferCancel"));
    cancel_->setFocusPolicy(Qt::NoFocus); // Esc cancels too; the keyboard stays where it was
    cancel_->setPalette(QPalette());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 2, 2);
    row->addWidget(stage_, 1);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &TransferStatus::cancelClicked);
}

void TransferStatus::setStage(const QString& text) { stage_->setText(text + QStringLiteral("...")); }

QString TransferStatus::stage() const
{
    QString text = stage_->text();
    text.chop(3);
    return text;
}

} // namespace korvo
