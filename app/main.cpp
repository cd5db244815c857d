// Program entry.
#include "app/ControllerArtwork.h"
#include "app/Program.h"
#include "app/QtDialogs.h"
#include "device/RtMidiPorts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setWindowIcon(korvo::ControllerIcon());
    korvo::QtDialogs dialogs;
    return korvo::RunEditor(app, dialogs, korvo::MakeRtMidiPorts());
}
