#include "app/TransferRunner.h"

#include "app/widgets/TransferStatus.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <exception>
#include <thread>

namespace korvo {

TransferRunner::TransferRunner(TransferStatus* status, std::function<void()> cancel, QObject* parent)
    : QObject(parent), status_(status), cancel_(std::move(cancel))
{
    connect(status_, &TransferStatus::cancelClicked, this, [this] {
        if (running_)
            cancel_();
    });
}

void TransferRunner::Post(std::function<void()> call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

LinkResult TransferRunner::Run(const QString& stage, const std::function<LinkResult()>& work)
{
    status_->setStage(stage);
    status_->show();
    status_->raise();
    running_ = true;
    qApp->installEventFilter(this);

    QEventLoop loop;
    LinkResult result;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            result = work();
        } catch (...) {
            error = std::current_exception();
        }
        // Queued after every progress report the work posted, so those are shown first.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();

    qApp->removeEventFilter(this);
    running_ = false;
    status_->hide();
    if (error)
        std::rethrow_exception(error);
    return result;
}

bool TransferRunner::IsCancelButton(QObject* watched) const
{
    return watched == status_->cancelButton();
}

bool TransferRunner::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
            cancel_();
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return !IsCancelButton(watched);
    case QEvent::Close:
        // The close box, Alt+F4 or the window manager: the command ends first.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            e->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace korvo
