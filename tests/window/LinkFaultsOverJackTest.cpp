// The faults of the real world, end to end: the editor's window on the RtMidi
// port layer, korvo-emulator as the controller, all on one private JACK server.
// One table of cases; after each, the editor reads again at once.
#include "WindowFixture.h"
#include "app/widgets/InstantProgressBar.h"
#include "device/RtMidiPorts.h"
#include "tools/testbed/ChildProcess.h"
#include "tools/testbed/PrivateJackServer.h"

#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>

using namespace korvo;
using namespace std::chrono_literals;
using korvo::test::WindowFixture;
using namespace korvo::test;
using korvo::testbed::ChildProcess;
using korvo::testbed::PrivateJackServer;

namespace {

using Clock = std::chrono::steady_clock;

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

// Runs `during` from the event loop once the transfer of the command started by
// `command` has reached `percent`.
void AtPercent(TFormMain& w, int percent, const std::function<void()>& during, const std::function<void()>& command)
{
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* bar = Find<InstantProgressBar>(w, "ProgressBar1");
        if (!bar->isVisible() || bar->percent() < percent)
            return;
        poll.stop();
        during();
    });
    poll.start();
    command();
}

} // namespace

class LinkFaultsOverJackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void faultsOfTheRealWorld();
    void cleanupTestCase();

private:
    std::unique_ptr<ChildProcess> StartEmulator(const QStringList& options);
    // Reads, or sends, with the answers a user gives; returns how long it took.
    Clock::duration Run(bool read, const std::function<void()>& command = {});
    void ReadAgain();

    std::unique_ptr<PrivateJackServer> server_;
    std::unique_ptr<WindowFixture> editor_;
    int started_ = 0;
};

void LinkFaultsOverJackTest::initTestCase()
{
    server_ = std::make_unique<PrivateJackServer>();
    QVERIFY2(server_->Ready(), "jackd did not start");
    editor_ = std::make_unique<WindowFixture>(QByteArray(), MakeRtMidiPorts());
    // Longer than the program's own bound: a machine busy with other work must
    // not make a reply late. The faults are found the same way, one wait later.
    editor_->window().Link.ReplyWait = 1s;
}

void LinkFaultsOverJackTest::cleanupTestCase()
{
    // The editor's clients first, then the server.
    editor_.reset();
    server_.reset();
}

std::unique_ptr<ChildProcess> LinkFaultsOverJackTest::StartEmulator(const QStringList& options)
{
    // Every emulator has a name of its own, so the remembered pair is the last one's.
    std::vector<std::string> argv = {KORVO_EMULATOR, "--name", "Korvo " + std::to_string(started_++)};
    for (const auto& o : options)
        argv.push_back(o.toStdString());
    auto emulator = std::make_unique<ChildProcess>(argv, true);
    if (!emulator->WaitForLine("ready", 10s))
        qWarning("korvo-emulator did not start");
    return emulator;
}

Clock::duration LinkFaultsOverJackTest::Run(bool read, const std::function<void()>& command)
{
    // Read: no save (the question comes when the scenes are modified), then Yes.
    editor_->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
    if (!read || !editor_->state().Modified())
        editor_->dialogs.answers.pop_front();
    const auto start = Clock::now();
    if (command)
        command();
    else
        Find<QAction>(editor_->window(), read ? "ReadSceneData1" : "SendSceneData1")->trigger();
    return Clock::now() - start;
}

void LinkFaultsOverJackTest::ReadAgain()
{
    auto emulator = StartEmulator({});
    Run(true);
    QCOMPARE(editor_->dialogs.shown.last(), QStringLiteral("inform: Read data OK."));
    QCOMPARE(editor_->state().Modified(), false);
}

void LinkFaultsOverJackTest::faultsOfTheRealWorld()
{
    enum class Fault { None, ServerStops };
    struct Case {
        const char* what;
        QStringList options;
        bool read;
        QString message; // the last message shown
        Fault fault = Fault::None;
    };
    const QString stray = QStringLiteral("A message that was not asked for arrived during the read (a key, knob, "
                                         "slider or pad moved on the controller).");
    const QString gone = QStringLiteral("The MIDI port went away (the controller unplugged).");
    const std::vector<Case> cases = {
        {"the controller goes during a read", {"--quit-at", "300"}, true, "warn: Read data failed.\n" + gone},
        {"the controller goes during a send", {"--quit-at", "700"}, false, "warn: Send data failed.\n" + gone},
        {"a slow controller, 50 ms per reply", {"--reply-delay", "50"}, false, "inform: Send data OK."},
        {"sensing and clock running: read", {"--sensing", "20", "--clock", "300"}, true, "inform: Read data OK."},
        {"sensing and clock running: send", {"--sensing", "20", "--clock", "300"}, false, "inform: Send data OK."},
        {"an echo the instant a command arrives", {"--instant-echo"}, true, "inform: Read data OK."},
        {"a flood of notes during a read", {"--note-flood", "300"}, true, "warn: Read data failed.\n" + stray},
        // Last: the server goes, then a new one comes.
        {"the JACK server stops during a read", {}, true, "warn: Read data failed.\nThe MIDI service stopped.",
         Fault::ServerStops},
    };
    for (const auto& c : cases) {
        auto emulator = StartEmulator(c.options);
        // Edits not saved: a failed command keeps them, and Modified with them.
        editor_->state().Bank.Scenes[1].KonbCCNumber[2] = 9;
        SetModified(*editor_, true);
        const QByteArray before = BankBytes(editor_->state().Bank);

        Clock::duration took{};
        if (c.fault == Fault::ServerStops) {
            took = Run(c.read, [&] {
                AtPercent(
                    editor_->window(), 30, [&] { server_.reset(); },
                    [&] { Find<QAction>(editor_->window(), "ReadSceneData1")->trigger(); });
            });
        } else {
            took = Run(c.read);
        }
        const bool failed = c.message.startsWith(QStringLiteral("warn"));
        QVERIFY2(editor_->dialogs.shown.last() == c.message,
                 qPrintable(QStringLiteral("%1: %2").arg(c.what, editor_->dialogs.shown.last())));
        if (failed || !c.read) {
            QVERIFY2(BankBytes(editor_->state().Bank) == before, c.what);
            QVERIFY2(editor_->state().Modified(), c.what);
        } else {
            QVERIFY2(!editor_->state().Modified(), c.what);
        }
        // Search, transfer and at most one wait bound past the fault; a few
        // seconds at most on a busy machine.
        QVERIFY2(took < 10s, c.what);

        emulator.reset();
        if (c.fault == Fault::ServerStops) {
            server_ = std::make_unique<PrivateJackServer>();
            QVERIFY2(server_->Ready(), "jackd did not start again");
        }
        ReadAgain();
    }
}

QTEST_MAIN(LinkFaultsOverJackTest)
#include "LinkFaultsOverJackTest.moc"
