#pragma once
// SIGTERM, SIGINT and SIGHUP reach the event loop as a Qt signal. The handler only
// writes the signal's number to a socket pair (async-signal-safe); a socket
// notifier on the GUI thread reads it and emits received().

#include <QObject>

class QSocketNotifier;

namespace korvo {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace korvo
