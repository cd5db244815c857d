// Program entry: creates the main window and runs the event loop until it closes.
#include "app/ControllerArtwork.h"
#include "app/KorvoMain.h"
#include "app/QtDialogs.h"
#include "scene/TextLines.h"

#include <QApplication>
#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setWindowIcon(korvo::ControllerIcon());
    korvo::QtDialogs dialogs;
    try {
        korvo::TFormMain FormMain(dialogs);
        dialogs.setParent(&FormMain);
        FormMain.show();
        return app.exec();
    } catch (const std::exception& e) {
        // A start-up file could not be read: without defaults and note names no
        // scene can be shown, so say why and end.
        dialogs.setParent(nullptr);
        dialogs.error(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
