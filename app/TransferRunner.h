#pragma once
// Runs the searches and transfers of the Communication commands on a worker
// thread, so that the window goes on painting and can be moved meanwhile. While a
// stage runs, every other input to the program is swallowed (the scenes cannot
// change under a transfer, nor can the window close); Esc or the Cancel button
// asks the stage to stop.

#include "device/LinkResult.h"

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace korvo {

class TransferStatus;

class TransferRunner : public QObject {
    Q_OBJECT
public:
    // status: the strip shown while a stage runs; cancel: called on the window's
    // thread when the user asks to stop (it must only signal the worker).
    TransferRunner(TransferStatus* status, std::function<void()> cancel, QObject* parent = nullptr);

    // Shows the stage, runs work on a new thread with the event loop going on, and
    // returns its result once it is done. An exception thrown by work is thrown
    // here again.
    LinkResult Run(const QString& stage, const std::function<LinkResult()>& work);

    bool running() const { return running_; }

    // Posts a call to the window's thread: for progress reported by the worker.
    void Post(std::function<void()> call);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool IsCancelButton(QObject* watched) const;

    TransferStatus* status_;
    std::function<void()> cancel_;
    bool running_ = false;
};

} // namespace korvo
