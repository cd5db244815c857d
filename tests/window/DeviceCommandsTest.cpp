// Read Scene Data and Send Scene Data from the menu, against the emulated
// controller on the in-process MIDI service: messages and their reasons, the
// worker thread with Cancel, the remembered pair and the link's settings.
#include "FakeMidiPorts.h"
#include "WindowFixture.h"
#include "app/LinkSettings.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/InstantProgressBar.h"
#include "app/widgets/TransferStatus.h"
#include "device/ProtocolMessages.h"
#include "tools/emulator/EmulatedController.h"

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

namespace {

ControllerImage Pattern()
{
    ControllerImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

// A window whose MIDI service has the emulated controller with one output and
// one input, after a silent device's if asked for.
struct WithController {
    explicit WithController(EmulatorFaults faults = {}, std::chrono::microseconds latency = {},
                            bool keepSettings = false, bool silentDeviceFirst = false)
        : controller(Pattern(), faults)
    {
        FakeMidiPorts::Output output;
        output.respond = [this](std::uint32_t sent, std::vector<std::uint32_t>& answers) {
            controller.Receive(sent, answers);
        };
        output.latency = latency;
        std::vector<FakeMidiPorts::Output> outputs{output};
        if (silentDeviceFirst) {
            outputs.back().answersOn = 1;
            outputs.insert(outputs.begin(), FakeMidiPorts::Output{});
        }
        auto midi = std::make_unique<FakeMidiPorts>(outputs, std::vector<FakeMidiPorts::Input>(outputs.size()));
        ports = midi.get();
        window = std::make_unique<WindowFixture>(QByteArray(), std::move(midi), keepSettings);
        // Longer than the program's own bound: a machine busy with other work
        // must not make a reply late.
        w().Link.ReplyWait = std::chrono::seconds(1);
    }
    TFormMain& w() { return window->window(); }
    EditorState& state() { return window->state(); }
    QStringList& shown() { return window->dialogs.shown; }
    // The handshakes sent so far.
    int Handshakes() const
    {
        const auto sent = ports->Sent();
        return static_cast<int>(std::count(sent.begin(), sent.end(), CmdIdentify));
    }

    EmulatedController controller;
    FakeMidiPorts* ports = nullptr;
    std::unique_ptr<WindowFixture> window;
};

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
        if (!w.ProgressBar1->isVisible())
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
    c.state().Modified = true;
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
    QCOMPARE(c.state().Modified, false);
    QVERIFY(!c.w().ProgressBar1->isVisible());
    QVERIFY(!c.w().TransferStatus1->isVisible());
    QCOMPARE(c.w().ProgressBar1->percent(), 100);
}

void DeviceCommandsTest::readWithoutControllerKeepsTheEdits()
{
    WindowFixture f;
    f.state().Modified = true;
    f.state().Bank.Scenes[0].KonbCCNumber[0] = 5;
    f.dialogs.answers = {DialogAnswer::No};
    f.window().ReadSceneData1->trigger();
    QCOMPARE(f.dialogs.shown.last(), QStringLiteral("warn: Korvo Device is not exist."));
    QCOMPARE(f.state().Modified, true);
    QCOMPARE(f.state().Bank.Scenes[0].KonbCCNumber[0], 5);
}

void DeviceCommandsTest::withoutAMidiServiceTheWarningSaysSo()
{
    WithController c;
    c.ports->serviceRuns = false;
    c.w().ReadSceneData1->trigger();
    c.w().SendSceneData1->trigger();
    QCOMPARE(c.shown(), QStringList({"warn: No MIDI service is available (ALSA sequencer or JACK).",
                                     "warn: No MIDI service is available (ALSA sequencer or JACK)."}));
}

void DeviceCommandsTest::readStopsWhenTheSaveIsCancelled()
{
    WithController c;
    c.state().Modified = true;
    c.window->dialogs.answers = {DialogAnswer::Yes};
    c.window->dialogs.files = {QString()};
    c.w().ReadSceneData1->trigger();
    QCOMPARE(c.state().Modified, true);
    QVERIFY(c.ports->Sent().empty()); // the controller was not even looked for
}

void DeviceCommandsTest::readDeclinedChangesNothing()
{
    WithController c;
    const QByteArray before = BankBytes(c.state().Bank);
    c.window->dialogs.answers = {DialogAnswer::No};
    c.w().ReadSceneData1->trigger();
    QCOMPARE(c.shown().last(), QStringLiteral("ask: Confirm: Are you sure to read data from device?"));
    QCOMPARE(BankBytes(c.state().Bank), before);
    QCOMPARE(c.state().Modified, false);
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
        c.state().Modified = true;
        c.state().Bank.Scenes[1].KonbCCNumber[2] = 9;
        const QByteArray before = BankBytes(c.state().Bank);
        c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
        if (!k.read)
            c.window->dialogs.answers.pop_front(); // Send asks nothing about unsaved changes
        (k.read ? c.w().ReadSceneData1 : c.w().SendSceneData1)->trigger();
        QCOMPARE(c.shown().last(), "warn: " + k.message);
        QCOMPARE(BankBytes(c.state().Bank), before);
        QCOMPARE(c.state().Modified, true);
        QVERIFY(!c.w().ProgressBar1->isVisible());
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
    QCOMPARE(c.state().Modified, false);
}

void DeviceCommandsTest::sendWithoutController()
{
    WindowFixture f;
    f.window().SendSceneData1->trigger();
    QCOMPARE(f.dialogs.shown, QStringList({"warn: Korvo Device is not exist."}));
}

void DeviceCommandsTest::verifyAfterSend()
{
    {
        WithController c;
        QVERIFY(!c.w().VerifyafterSend1->isChecked()); // off by default
        c.w().VerifyafterSend1->trigger();
        c.window->dialogs.answers = {DialogAnswer::Yes};
        c.w().SendSceneData1->trigger();
        QCOMPARE(c.shown().last(), QStringLiteral("inform: Send data OK.\nThe controller holds the sent scenes."));
    }
    {
        WithController c({.corruptByte = 230}, {}, true); // the check item stays on
        QVERIFY(c.w().VerifyafterSend1->isChecked());
        c.window->dialogs.answers = {DialogAnswer::Yes};
        c.w().SendSceneData1->trigger();
        QCOMPARE(c.shown().last(),
                 QStringLiteral("warn: Send data failed.\nThe controller holds something else at scene 2, byte 1."));
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
            statusShown = c.w().TransferStatus1->isVisible();
            barShown = c.w().ProgressBar1->isVisible();
            stage = c.w().TransferStatus1->stage();
            // The window repaints: a paint request is served by the running event loop.
            c.w().ControlList->update();
            QCoreApplication::processEvents();
            paints = true;
            // Keys, shortcuts, clicks and closing reach nothing.
            QTest::keyClick(&c.w(), Qt::Key_O, Qt::ControlModifier); // File > Open
            QTest::mouseClick(c.w().SceneButtons[2], Qt::LeftButton);
            QTest::keyClick(c.w().ControlList, Qt::Key_Down);
            c.w().close();
        },
        [&] { c.w().ReadSceneData1->trigger(); });
    QVERIFY(statusShown);
    QVERIFY(barShown);
    QVERIFY(paints);
    QCOMPARE(stage, QStringLiteral("Reading scene data"));
    QVERIFY(c.w().isVisible());
    QCOMPARE(c.shown(), QStringList({"ask: Confirm: Are you sure to read data from device?", "inform: Read data OK."}));
    QVERIFY(BankBytes(c.state().Bank) != before);
    QCOMPARE(c.state().Bank.CurrentScene, 1);
    QCOMPARE(c.w().ControlList->itemIndex(), 0);
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
        c.state().Modified = true;
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
                    QTest::mouseClick(c.w().TransferStatus1->cancelButton(), Qt::LeftButton);
            },
            [&] { (k.read ? c.w().ReadSceneData1 : c.w().SendSceneData1)->trigger(); });
        QCOMPARE(c.shown().last(), QString(k.read ? "warn: Read data failed.\nCancelled." : "warn: Send data failed.\nCancelled."));
        // At most the message in flight went out after the request.
        QVERIFY2(c.ports->Sent().size() <= sentAtCancel + 1, k.what);
        QCOMPARE(BankBytes(c.state().Bank), before);
        QCOMPARE(c.state().Modified, true);
        QCOMPARE(c.controller.Image(), imageBefore);

        // The next command runs as usual.
        c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
        if (!k.read)
            c.window->dialogs.answers.pop_front();
        (k.read ? c.w().ReadSceneData1 : c.w().SendSceneData1)->trigger();
        QCOMPARE(c.shown().last(), QString(k.read ? "inform: Read data OK." : "inform: Send data OK."));
    }
}

void DeviceCommandsTest::theControllerIsRemembered()
{
    {
        WithController c({}, {}, false, true);
        c.w().Link.ReplyWait = ReplyWaitTime; // three silent pairs cost a wait each
        c.window->dialogs.answers = {DialogAnswer::No};
        c.w().ReadSceneData1->trigger();
        // The silent device's pairs came first: (0,0), (0,1), (1,0), then the controller.
        QCOMPARE(c.Handshakes(), 4);
        QCOMPARE(StoredDevicePair(), (DevicePair{"out 1", "in 1"}));
    }
    {
        WithController c({}, {}, true, true); // the settings of the window before
        c.window->dialogs.answers = {DialogAnswer::No};
        c.w().SendSceneData1->trigger();
        QCOMPARE(c.Handshakes(), 1);
    }
}

void DeviceCommandsTest::theLinkSettingsAreKept()
{
    {
        WithController c;
        QVERIFY(c.w().Automatic1->isChecked());
        c.w().JACK1->trigger();
        QVERIFY(c.w().JACK1->isChecked() && !c.w().Automatic1->isChecked());
    }
    QCOMPARE(StoredMidiService(), MidiService::Jack);
    WithController again({}, {}, true);
    QVERIFY(again.w().JACK1->isChecked());
    QCOMPARE(again.w().MIDIService1->title(), QStringLiteral("MIDI Service"));
}

QTEST_MAIN(DeviceCommandsTest)
#include "DeviceCommandsTest.moc"
