// The Communication commands: reading the scenes from the controller and sending
// them to it, the MIDI service to use, and verifying a send.
#include "app/KorvoMain.h"
#include "app/LinkSettings.h"
#include "app/TransferRunner.h"
#include "app/UserDialogs.h"
#include "app/widgets/InstantProgressBar.h"
#include "app/widgets/TransferStatus.h"
#include "device/LinkMessages.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace korvo {

namespace {

// Hides the progress bar when a transfer returns, however it ends.
struct HideWhenDone {
    InstantProgressBar* bar;
    ~HideWhenDone() { bar->hide(); }
};

QString Text(const char* text) { return QString::fromLatin1(text); }

// A failed transfer: its message, then the reason on a second line.
QString Failure(const char* message, const LinkResult& result)
{
    return Text(message) + QLatin1Char('\n') + QString::fromStdString(ReasonText(result));
}

} // namespace

void TFormMain::BuildTransferStatus(QWidget* client)
{
    // Under the progress bar, as wide as it; shown only while a command runs.
    TransferStatus1 = new TransferStatus(client);
    TransferStatus1->setObjectName(QStringLiteral("TransferStatus1"));
    TransferStatus1->setGeometry(46, 189, 697, 30);
    TransferStatus1->hide();
    Runner = new TransferRunner(TransferStatus1, [this] { RequestCancel(Link); }, this);
}

void TFormMain::BuildLinkMenu(QMenu* communication)
{
    communication->addSeparator();
    MIDIService1 = communication->addMenu(QStringLiteral("MIDI Service"));
    MIDIService1->setObjectName(QStringLiteral("MIDIService1"));
    auto* group = new QActionGroup(MIDIService1);
    const MidiService stored = StoredMidiService();
    auto service = [&](const char* name, MidiService s) {
        auto* action = MIDIService1->addAction(Text(MidiServiceName(s)));
        action->setObjectName(Text(name));
        action->setCheckable(true);
        action->setChecked(s == stored);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, s] { Guarded([this, s] { MIDIServiceClick(s); }); });
        return action;
    };
    Automatic1 = service("Automatic1", MidiService::Automatic);
    ALSA1 = service("ALSA1", MidiService::Alsa);
    JACK1 = service("JACK1", MidiService::Jack);
    if (Link.Ports)
        Link.Ports->ChooseService(stored);

    VerifyafterSend1 = communication->addAction(QStringLiteral("Verify after Send"));
    VerifyafterSend1->setObjectName(QStringLiteral("VerifyafterSend1"));
    VerifyafterSend1->setCheckable(true);
    VerifyafterSend1->setChecked(StoredVerifyAfterSend());
    connect(VerifyafterSend1, &QAction::triggered, this, [this] { Guarded([this] { VerifyafterSend1Click(); }); });
}

void TFormMain::MIDIServiceClick(MidiService service)
{
    StoreMidiService(service);
    if (Link.Ports)
        Link.Ports->ChooseService(service);
}

void TFormMain::VerifyafterSend1Click() { StoreVerifyAfterSend(VerifyafterSend1->isChecked()); }

// The window looks right before a transfer starts: the closed question box is
// gone and everything is painted.
void TFormMain::RepaintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

TransferProgress TFormMain::ShowProgress()
{
    return [this](int percent) {
        Runner->Post([this, percent] {
            if (!ProgressBar1->isVisible()) {
                ProgressBar1->show();
                ProgressBar1->repaint();
            }
            ProgressBar1->setPercent(percent);
        });
    };
}

LinkResult TFormMain::SearchController()
{
    const DevicePair remembered = StoredDevicePair();
    ClearCancel(Link);
    const LinkResult found = Runner->Run(Text(SearchingStageText), [&] { return FindDevice(Link, remembered); });
    if (found.Ok() && Link.Found != remembered)
        StoreDevicePair(Link.Found);
    return found;
}

void TFormMain::ReadSceneData1Click()
{
    if (!AskToSaveChanges())
        return;
    const std::int32_t length = SceneDataLen(state_.DefaultParams);

    const LinkResult found = SearchController();
    if (found.Status == LinkStatus::Cancelled) {
        dialogs_.warn(Failure(ReadFailedText, found));
    } else if (!found.Ok()) {
        dialogs_.warn(QString::fromStdString(ReasonText(found)));
    } else {
        if (dialogs_.ask(DialogIcon::Confirmation, Text(ConfirmReadText), DialogButtons::YesNoCancel) !=
            DialogAnswer::Yes)
            return;
        RepaintNow();
        LinkResult result;
        {
            HideWhenDone hide{ProgressBar1};
            const std::int32_t blockAddOne = BlockAddOne(state_.DefaultParams);
            ClearCancel(Link);
            result = Runner->Run(Text(ReadingStageText),
                                 [&] { return ReceiveSceneData(Link, length, blockAddOne, ShowProgress()); });
        }
        if (result.Ok()) {
            dialogs_.inform(Text(ReadOkText));
            // The scenes just read are the clean state, undone as one step.
            RecordStep(QStringLiteral("Read Scene Data"), [this] {
                UnpackSceneImages(state_.Bank, Link.ImageBuffer);
                ControlListClick();
            });
            state_.MarkClean();
            UpdateModified();
            return;
        }
        dialogs_.warn(Failure(ReadFailedText, result));
    }
    ControlListClick();
}

void TFormMain::SendSceneData1Click()
{
    const std::int32_t length = SceneDataLen(state_.DefaultParams);
    const LinkResult found = SearchController();
    if (found.Status == LinkStatus::Cancelled) {
        dialogs_.warn(Failure(SendFailedText, found));
        return;
    }
    if (!found.Ok()) {
        dialogs_.warn(QString::fromStdString(ReasonText(found)));
        return;
    }
    if (dialogs_.ask(DialogIcon::Confirmation, Text(ConfirmSendText), DialogButtons::YesNoCancel) != DialogAnswer::Yes)
        return;
    RepaintNow();
    PackSceneImages(state_.Bank, Link.ImageBuffer);
    const bool verify = VerifyafterSend1->isChecked();
    const std::int32_t blockAddOne = BlockAddOne(state_.DefaultParams);
    LinkResult result;
    {
        HideWhenDone hide{ProgressBar1};
        ClearCancel(Link);
        result = Runner->Run(Text(SendingStageText), [&] { return TransmitSceneData(Link, length, ShowProgress()); });
        if (result.Ok() && verify) {
            ProgressBar1->hide();
            result = Runner->Run(Text(CheckingStageText),
                                 [&] { return VerifySentImage(Link, length, blockAddOne, ShowProgress()); });
        }
    }
    if (!result.Ok())
        dialogs_.warn(Failure(SendFailedText, result));
    else if (verify)
        dialogs_.inform(Text(SendOkText) + QLatin1Char('\n') + Text(SendVerifiedText));
    else
        dialogs_.inform(Text(SendOkText));
}

} // namespace korvo
