// Program entry.
#include "app/CommandLine.h"
#include "app/ControllerArtwork.h"
#include "app/EditorSettings.h"
#include "app/EnterStartupFolder.h"
#include "app/Program.h"
#include "app/QtDialogs.h"
#include "device/RtMidiPorts.h"
#include "korvo/Version.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QLatin1String(korvo::SettingsOrganisation));
    QCoreApplication::setApplicationName(QLatin1String(korvo::SettingsApplication));
    QCoreApplication::setApplicationVersion(QLatin1String(korvo::KorvoVersion));
    // --help and --version work without a display.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (const auto status = korvo::AnswerHelpOrVersion(rawArguments))
        return *status;

    QApplication app(argc, argv);
    const korvo::CommandLine line = korvo::ReadCommandLine(app.arguments());
    if (line.exitStatus)
        return *line.exitStatus;
    app.setWindowIcon(korvo::ControllerIcon());
    app.setDesktopFileName(QString::fromLatin1(korvo::KorvoDesktopId));
    // May change the working folder: file names from the command line are made
    // absolute before this.
    const QString file = line.file.isEmpty() ? QString() : QFileInfo(line.file).absoluteFilePath();
    korvo::QtDialogs dialogs;
    if (!korvo::EnterStartupFolder(dialogs))
        return 1;
    return korvo::RunEditor(app, dialogs, korvo::MakeRtMidiPorts(), file);
}
