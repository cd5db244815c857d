#include "app/Program.h"

#include "app/KorvoMain.h"
#include "app/TerminationSignals.h"
#include "app/UserDialogs.h"

#include <QApplication>
#include <exception>
#include <memory>

namespace korvo {

int RunEditor(QApplication& app, UserDialogs& dialogs, std::unique_ptr<MidiPorts> midi, const QString& fileToOpen)
{
    std::unique_ptr<TFormMain> FormMain;
    try {
        FormMain = std::make_unique<TFormMain>(dialogs, std::move(midi));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromLocal8Bit(e.what()));
        return 1;
    }
    dialogs.setParentWindow(FormMain.get());
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, FormMain.get(), [&] { FormMain->EndOnSignal(); });
    FormMain->openAtStart(fileToOpen);
    FormMain->show();
    const int status = app.exec();
    dialogs.setParentWindow(nullptr);
    return status;
}

} // namespace korvo
