// The editor as it starts: the main window with its start-up files, defaults
// loaded and the first refresh done; exits as soon as it is shown.
#include "ShownProbe.h"
#include "app/ControllerArtwork.h"
#include "app/KorvoMain.h"
#include "app/QtDialogs.h"
#include "device/RtMidiPorts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setWindowIcon(korvo::ControllerIcon());
    korvo::QtDialogs dialogs;
    korvo::TFormMain window(dialogs, korvo::MakeRtMidiPorts());
    window.show();
    korvo::bench::ExitWhenShown(window);
}
