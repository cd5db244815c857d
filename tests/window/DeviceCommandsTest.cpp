// Read Scene Data and Send Scene Data from the menu, against the emulated
// controller on the in-process MIDI service.
#include "WithController.h"
#include "app/widgets/InstantProgressBar.h"

#include <QTest>
#include <cstring>

using namespace korvo;
using korvo::test::FakeMidiPorts;
using korvo::test::WindowFixture;
using namespace korvo::test;

namespace {

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

} // namespace

class DeviceCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void readReplacesTheScenes();
    void readWithoutControllerKeepsTheEdits();
    void readStopsWhenTheSaveIsCancelled();
    void readDeclinedChangesNothing();
    void failedReadIsReported();
    void sendWritesTheControllersImage();
    void sendWithoutControllerOrFailing();
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

void DeviceCommandsTest::failedReadIsReported()
{
    EmulatorFaults faults;
    faults.noteBeforeReply = 300; // a note played in the middle of the read
    WithController c(faults);
    SetModified(*c.window, true);
    const QByteArray before = BankBytes(c.state().Bank);
    c.window->dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
    Find<QAction>(c.w(), "ReadSceneData1")->trigger();
    QCOMPARE(c.shown().last(), QStringLiteral("warn: Read data failed."));
    QCOMPARE(BankBytes(c.state().Bank), before);
    QCOMPARE(c.state().Modified(), true);
    QVERIFY(!Find<InstantProgressBar>(c.w(), "ProgressBar1")->isVisible());
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

void DeviceCommandsTest::sendWithoutControllerOrFailing()
{
    WindowFixture f;
    Find<QAction>(f.window(), "SendSceneData1")->trigger();
    QCOMPARE(f.dialogs.shown, QStringList({"warn: Korvo Device is not exist."}));

    EmulatorFaults faults;
    faults.wrongAck = true;
    WithController c(faults);
    c.window->dialogs.answers = {DialogAnswer::Yes};
    Find<QAction>(c.w(), "SendSceneData1")->trigger();
    QCOMPARE(c.shown().last(), QStringLiteral("warn: Send data failed."));
}

QTEST_MAIN(DeviceCommandsTest)
#include "DeviceCommandsTest.moc"
