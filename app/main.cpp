// Program entry.
#include "app/ControllerArtwork.h"
#include "app/EnterStartupFolder.h"
#include "app/Program.h"
#include "app/QtDialogs.h"
#include "device/RtMidiPorts.h"
#include "korvo/Version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setWindowIcon(korvo::ControllerIcon());
    app.setDesktopFileName(QString::fromLatin1(korvo::KorvoDesktopId));
    korvo::QtDialogs dialogs;
    // May change the working folder: file names from the command line are made
    // absolute before this.
    if (!korvo::EnterStartupFolder(dialogs))
        return 1;
    return korvo::RunEditor(app, dialogs, korvo::MakeRtMidiPorts());
}
