// Read Scene Data and Send Scene Data from the menu, against the emulated
// controller on the in-process MIDI service: messages and their reasons, the
// worker thread with Cancel, the remembered pair and the link's settings.
#include "WithController.h"
#include "app/LinkSettings.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/InstantProgressBar.h"
#include "app/widgets/TransferStatus.h"
#include "device/ProtocolMessages.h"

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <functional>

using namespace korvo;
using korvo::test::FakeMidiPorts;
using korvo::test::WindowFixture;
using namespace korvo::test;

namespace {

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

// Runs `during` from the event loop once the command started by `command` is
// `afterMs` into its transfer (the progress bar is shown); the command returns
// once its transfers are done.
void WhileTransferring(TFormMain& w, int afterMs, const std::function<void()>& during,
                       const std::function<void()>& command)
{
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!Find<InstantProgressBar>(w, "ProgressBar1")->isVisible())
            return;
        poll.stop();
        QTimer::singleShot(afterMs, during);
    });
    poll.start();
    command();
}

// Answers for a Read: no save question (the scenes are unchanged), Yes to the confirmation.
const std::deque<DialogAnswer> ReadYes = {DialogAnswer::Yes};

} // namespace

class DeviceCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void readReplacesTheScenes();
    void readWithoutControllerKeepsTheEdits();
    void withoutAMidiServiceTheWarningSaysSo();
    void readStopsWhenTheSaveIsCancelled();
    void readDeclinedChangesNothing();
    void failedTransfersSayWhy();
    void sendWritesTheControllersImage();
    void sendWithoutController();
    void verifyAfterSend();
    void theWindowStaysAliveAndTakesNoInputDuringATransfer();
    void escOrCancelStopsTheCommand();
    void theControllerIsRemembered();
    void theLinkSettingsAreKept();
};

void DeviceCommandsTest::readReplacesTheScenes()
{
    WithController c;
    SetModified(*c.window, true);
    c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
    QTest::keyClick(&c.w(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(c.shown(), QStringList({"ask: Warning: Do you want to save changes?",
                                     "ask: Confirm: Are you sure to read data from device?",
                                     "inform: Read data OK."}));
    SceneBank expected;
    SceneImageBuffer image{};
    std::memcpy(image.data(), Pattern().data(), Pattern().size());
    UnpackSceneImages(expected, image);
    // Showing scene 1's "Common" panel clamps its transpose into the box's range.
    expected.Scenes[0].KeyTrans = 12 + 13;
    QCOMPARE(BankBytes(c.state().Bank).mid(16), BankBytes(expected).mid(16)); // the name block aside
    QCOMPARE(c.state().Modified(), false);
    QVERIFY(!Find<InstantProgressBar>(c.w(), "ProgressBar1")->isVisible());
    QVERIFY(!Find<TransferStatus>(c.w(), "TransferStatus1")->isVisible());
    QCOMPARE(Find<InstantProgressBar>(c.w(), "ProgressBar1")->percent(), 100);
}

void DeviceCommandsTest::readWithoutControllerKeepsTheEdits()
{
    WindowFixture f;
    SetModified(f, true);
    f.state().Bank.Scenes[0].KonbCCNumber[0] = 5;
    f.dialogs.answers = {DialogAnswer::No};
    Find<QAction>(f.window(), "ReadSceneData1")->trigger();
    QCOMPARE(f.dialogs.shown.last(), QStringLiteral("warn: Korvo Device is not exist."));
    QCOMPARE(f.state().Modified(), true);
    QCOMPARE(f.state().Bank.Scenes[0].KonbCCNumber[0], 5);
}

void DeviceCommandsTest::withoutAMidiServiceTheWarningSaysSo()
{
    WithController c;
    c.ports->serviceRuns = false;
    Find<QAction>(c.w(), "ReadSceneData1")->trigger();
    Find<QAction>(c.w(), "SendSceneData1")->trigger();
    QCOMPARE(c.shown(), QStringList({"warn: No MIDI service is available (ALSA sequencer or JACK).",
                                     "warn: No MIDI service is available (ALSA sequencer or JACK)."}));
}

void DeviceCommandsTest::readStopsWhenTheSaveIsCancelled()
{
    WithController c;
    SetModified(*c.window, true);
    c.window->dialogs.answers = {DialogAnswer::Yes};
    c.window->dialogs.files = {QString()};
    Find<QAction>(c.w(), "ReadSceneData1")->trigger();
    QCOMPARE(c.state().Modified(), true);
    QVERIFY(c.ports->Sent().empty()); // the controller was not even looked for
}

void DeviceCommandsTest::readDeclinedChangesNothing()
{
    WithController c;
    const QByteArray before = BankBytes(c.state().Bank);
    c.window->dialogs.answers = {DialogAnswer::No};
    Find<QAction>(c.w(), "ReadSceneData1")->trigger();
    QCOMPARE(c.shown().last(), QStringLiteral("ask: Confirm: Are you sure to read data from device?"));
    QCOMPARE(BankBytes(c.state().Bank), before);
    QCOMPARE(c.state().Modified(), false);
}

void DeviceCommandsTest::failedTransfersSayWhy()
{
    struct Case {
        const char* what;
        EmulatorFaults faults;
        bool read;
        QString message;
    };
    const QString stray = QStringLiteral("A message that was not asked for arrived during the %1 (a key, knob, slider "
                                         "or pad moved on the controller).");
    const std::vector<Case> cases = {
        {"a note in the middle of the read", {.noteBeforeReply = 300}, true, "Read data failed.\n" + stray.arg("read")},
        {"no reply", {.noReplyToByte = 600}, true, "Read data failed.\nNo reply to request 600 of 1024."},
        {"a note before the echo", {.noteBeforeReply = 1}, true,
         "Read data failed.\nThe controller's first answer to the read command was not its echo."},
        {"a note while a block goes out", {.noteBeforeReply = 2}, false, "Send data failed.\n" + stray.arg("send")},
        {"wrong acknowledgement", {.wrongAck = true}, false,
         "Send data failed.\nThe controller answered block 1 of 2 with something else than its acknowledgement."},
    };
    for (const auto& k : cases) {
        WithController c(k.faults);
        SetModified(*c.window, true);
        c.state().Bank.Scenes[1].KonbCCNumber[2] = 9;
        const QByteArray before = BankBytes(c.state().Bank);
        c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
        if (!k.read)
            c.window->dialogs.answers.pop_front(); // Send asks nothing about unsaved changes
        (k.read ? Find<QAction>(c.w(), "ReadSceneData1") : Find<QAction>(c.w(), "SendSceneData1"))->trigger();
        QCOMPARE(c.shown().last(), "warn: " + k.message);
        QCOMPARE(BankBytes(c.state().Bank), before);
        QCOMPARE(c.state().Modified(), true);
        QVERIFY(!Find<InstantProgressBar>(c.w(), "ProgressBar1")->isVisible());
    }
}

void DeviceCommandsTest::sendWritesTheControllersImage()
{
    WithController c;
    c.window->dialogs.answers = {DialogAnswer::Yes};
    QTest::keyClick(&c.w(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(c.shown(), QStringList({"ask: Confirm: Are you sure to send data?", "inform: Send data OK."}));
    SceneImageBuffer packed{};
    PackSceneImages(c.state().Bank, packed);
    QCOMPARE(std::memcmp(c.controller.Image().data(), packed.data(), DeviceImageSize), 0);
    QCOMPARE(c.state().Modified(), false);
}

void DeviceCommandsTest::sendWithoutController()
{
    WindowFixture f;
    Find<QAction>(f.window(), "SendSceneData1")->trigger();
    QCOMPARE(f.dialogs.shown, QStringList({"warn: Korvo Device is not exist."}));
}

void DeviceCommandsTest::verifyAfterSend()
{
    {
        WithController c;
        QVERIFY(!Find<QAction>(c.w(), "VerifyafterSend1")->isChecked()); // off by default
        Find<QAction>(c.w(), "VerifyafterSend1")->trigger();
        c.window->dialogs.answers = {DialogAnswer::Yes};
        Find<QAction>(c.w(), "SendSceneData1")->trigger();
        QCOMPARE(c.shown().last(), QStringLiteral("inform: Send data OK.\nThe controller holds the sent scenes."));
    }
    {
        WithController c({.corruptByte = 230}, {}, true); // the check item stays on
        QVERIFY(Find<QAction>(c.w(), "VerifyafterSend1")->isChecked());
        c.window->dialogs.answers = {DialogAnswer::Yes};
        Find<QAction>(c.w(), "SendSceneData1")->trigger();
        QCOMPARE(c.shown().last(),
                 QStringLiteral("warn: Send data failed.\nThe controller holds something else at scene 2, Common, Scene Name (character 2)."));
    }
}

void DeviceCommandsTest::theWindowStaysAliveAndTakesNoInputDuringATransfer()
{
    // Replies 1 ms late: the read takes over a second.
    WithController c({}, std::chrono::milliseconds(1));
    c.window->dialogs.answers = ReadYes;
    const QByteArray before = BankBytes(c.state().Bank);
    bool statusShown = false, barShown = false, paints = false;
    QString stage;
    WhileTransferring(
        c.w(), 50,
        [&] {
            statusShown = Find<TransferStatus>(c.w(), "TransferStatus1")->isVisible();
            barShown = Find<InstantProgressBar>(c.w(), "ProgressBar1")->isVisible();
            stage = Find<TransferStatus>(c.w(), "TransferStatus1")->stage();
            // The window repaints: a paint request is served by the running event loop.
            Find<ControlListBox>(c.w(), "ControlList")->update();
            QCoreApplication::processEvents();
            paints = true;
            // Keys, shortcuts, clicks and closing reach nothing.
            QTest::keyClick(&c.w(), Qt::Key_O, Qt::ControlModifier); // File > Open
            QTest::mouseClick(SceneButton(c.w(), 2), Qt::LeftButton);
            QTest::keyClick(Find<ControlListBox>(c.w(), "ControlList"), Qt::Key_Down);
            c.w().close();
        },
        [&] { Find<QAction>(c.w(), "ReadSceneData1")->trigger(); });
    QVERIFY(statusShown);
    QVERIFY(barShown);
    QVERIFY(paints);
    QCOMPARE(stage, QStringLiteral("Reading scene data"));
    QVERIFY(c.w().isVisible());
    QCOMPARE(c.shown(), QStringList({"ask: Confirm: Are you sure to read data from device?", "inform: Read data OK."}));
    QVERIFY(BankBytes(c.state().Bank) != before);
    QCOMPARE(c.state().Bank.CurrentScene, 1);
    QCOMPARE(Find<ControlListBox>(c.w(), "ControlList")->itemIndex(), 0);
}

void DeviceCommandsTest::escOrCancelStopsTheCommand()
{
    struct Case {
        const char* what;
        bool read;
        bool esc;
    };
    for (const Case k : {Case{"Esc during a read", true, true}, Case{"Cancel during a read", true, false},
                         Case{"Esc during a send", false, true}}) {
        // Replies late, so that the request comes while the command runs: a read
        // takes over a second, a send waits 50 ms for each acknowledgement.
        WithController c({}, std::chrono::milliseconds(k.read ? 1 : 50));
        SetModified(*c.window, true);
        c.state().Bank.Scenes[0].KonbCCNumber[0] = 5;
        const QByteArray before = BankBytes(c.state().Bank);
        const auto imageBefore = c.controller.Image();
        c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
        if (!k.read)
            c.window->dialogs.answers.pop_front();
        std::size_t sentAtCancel = 0;
        WhileTransferring(
            c.w(), 20,
            [&] {
                sentAtCancel = c.ports->Sent().size();
                if (k.esc)
                    QTest::keyClick(&c.w(), Qt::Key_Escape);
                else
                    QTest::mouseClick(Find<TransferStatus>(c.w(), "TransferStatus1")->cancelButton(), Qt::LeftButton);
            },
            [&] { (k.read ? Find<QAction>(c.w(), "ReadSceneData1") : Find<QAction>(c.w(), "SendSceneData1"))->trigger(); });
        QCOMPARE(c.shown().last(), QString(k.read ? "warn: Read data failed.\nCancelled." : "warn: Send data failed.\nCancelled."));
        // At most the message in flight went out after the request.
        QVERIFY2(c.ports->Sent().size() <= sentAtCancel + 1, k.what);
        QCOMPARE(BankBytes(c.state().Bank), before);
        QCOMPARE(c.state().Modified(), true);
        QCOMPARE(c.controller.Image(), imageBefore);

        // The next command runs as usual.
        c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
        if (!k.read)
            c.window->dialogs.answers.pop_front();
        (k.read ? Find<QAction>(c.w(), "ReadSceneData1") : Find<QAction>(c.w(), "SendSceneData1"))->trigger();
        QCOMPARE(c.shown().last(), QString(k.read ? "inform: Read data OK." : "inform: Send data OK."));
    }
}

void DeviceCommandsTest::theControllerIsRemembered()
{
    {
        WithController c({}, {}, false, true);
        c.w().Link.ReplyWait = ReplyWaitTime; // three silent pairs cost a wait each
        c.window->dialogs.answers = {DialogAnswer::No};
        Find<QAction>(c.w(), "ReadSceneData1")->trigger();
        // The silent device's pairs came first: (0,0), (0,1), (1,0), then the controller.
        QCOMPARE(c.Handshakes(), 4);
        QCOMPARE(StoredDevicePair(), (DevicePair{"out 1", "in 1"}));
    }
    {
        WithController c({}, {}, true, true); // the settings of the window before
        c.window->dialogs.answers = {DialogAnswer::No};
        Find<QAction>(c.w(), "SendSceneData1")->trigger();
        QCOMPARE(c.Handshakes(), 1);
    }
}

void DeviceCommandsTest::theLinkSettingsAreKept()
{
    {
        WithController c;
        QVERIFY(Find<QAction>(c.w(), "Automatic1")->isChecked());
        Find<QAction>(c.w(), "JACK1")->trigger();
        QVERIFY(Find<QAction>(c.w(), "JACK1")->isChecked() && !Find<QAction>(c.w(), "Automatic1")->isChecked());
    }
    QCOMPARE(StoredMidiService(), MidiService::Jack);
    WithController again({}, {}, true);
    QVERIFY(Find<QAction>(again.w(), "JACK1")->isChecked());
    QCOMPARE(Find<QMenu>(again.w(), "MIDIService1")->title(), QStringLiteral("MIDI Service"));
}

QTEST_MAIN(DeviceCommandsTest)
#include "DeviceCommandsTest.moc"
