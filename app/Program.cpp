#include "app/Program.h"

#include "app/KorvoMain.h"
#include "app/UserDialogs.h"

#include <QApplication>
#include <exception>
#include <memory>

namespace korvo {

int RunEditor(QApplication& app, UserDialogs& dialogs, std::unique_ptr<MidiPorts> midi)
{
    std::unique_ptr<TFormMain> FormMain;
    try {
        FormMain = std::make_unique<TFormMain>(dialogs, std::move(midi));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromLocal8Bit(e.what()));
        return 1;
    }
    dialogs.setParentWindow(FormMain.get());
    FormMain->show();
    const int status = app.exec();
    dialogs.setParentWindow(nullptr);
    return status;
}

} // namespace korvo
