// The Communication commands: reading the scenes from the controller and sending
// them to it.
#include "app/KorvoMain.h"
#include "app/UserDialogs.h"
#include "app/widgets/InstantProgressBar.h"
#include "device/LinkMessages.h"

#include <QCoreApplication>

namespace korvo {

namespace {

// Hides the progress bar when a transfer returns, however it ends.
struct HideWhenDone {
    InstantProgressBar* bar;
    ~HideWhenDone() { bar->hide(); }
};

} // namespace

// The window looks right before a transfer keeps the event loop away: the closed
// question box is gone and everything is painted.
void TFormMain::RepaintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

TransferProgress TFormMain::ShowProgress()
{
    return [this](int percent) {
        if (!ProgressBar1->isVisible()) {
            ProgressBar1->show();
            ProgressBar1->repaint();
        }
        ProgressBar1->setPercent(percent);
    };
}

void TFormMain::ReadSceneData1Click()
{
    if (!AskToSaveChanges())
        return;
    const std::int32_t length = SceneDataLen(state_.DefaultParams);

    if (FindDevice(Link) != 0) {
        dialogs_.warn(QString::fromLatin1(DeviceNotFoundText));
    } else {
        if (dialogs_.ask(DialogIcon::Confirmation, QString::fromLatin1(ConfirmReadText),
                         DialogButtons::YesNoCancel) != DialogAnswer::Yes)
            return;
        RepaintNow();
        int result = 1;
        {
            HideWhenDone hide{ProgressBar1};
            result = ReceiveSceneData(Link, length, BlockAddOne(state_.DefaultParams), ShowProgress());
        }
        if (result == 0) {
            dialogs_.inform(QString::fromLatin1(ReadOkText));
            // The scenes just read are the clean state, undone as one step.
            RecordStep(QStringLiteral("Read Scene Data"), [this] {
                UnpackSceneImages(state_.Bank, Link.ImageBuffer);
                ControlListClick();
            });
            state_.MarkClean();
            UpdateModified();
            return;
        }
        dialogs_.warn(QString::fromLatin1(ReadFailedText));
    }
    ControlListClick();
}

void TFormMain::SendSceneData1Click()
{
    const std::int32_t length = SceneDataLen(state_.DefaultParams);
    if (FindDevice(Link) != 0) {
        dialogs_.warn(QString::fromLatin1(DeviceNotFoundText));
        return;
    }
    if (dialogs_.ask(DialogIcon::Confirmation, QString::fromLatin1(ConfirmSendText),
                     DialogButtons::YesNoCancel) != DialogAnswer::Yes)
        return;
    RepaintNow();
    PackSceneImages(state_.Bank, Link.ImageBuffer);
    int result = 1;
    {
        HideWhenDone hide{ProgressBar1};
        result = TransmitSceneData(Link, length, ShowProgress());
    }
    if (result == 0)
        dialogs_.inform(QString::fromLatin1(SendOkText));
    else
        dialogs_.warn(QString::fromLatin1(SendFailedText));
}

} // namespace korvo
