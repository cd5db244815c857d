#include "WindowFixture.h"

#include "FakeMidiPorts.h"
#include "app/EditorSettings.h"
#include "app/UserKorvoFolder.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace korvo::test {

namespace {

// The editor keeps settings (QSettings): every window test program runs with a
// HOME and XDG folders of its own, made before main() so that nothing looks at
// the real ones first, and removed when the program ends.
QTemporaryDir& PrivateHome()
{
    static QTemporaryDir home;
    return home;
}

const bool homeIsPrivate = [] {
    const QByteArray home = PrivateHome().path().toLocal8Bit();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_DATA_HOME", home + "/data");
    qputenv("XDG_CACHE_HOME", home + "/cache");
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

} // namespace

void ClearSettings()
{
    QFile::remove(EditorSettingsFile());
    // Recovery files that earlier windows of the program left.
    if (const QString folder = RecoveryFolder(); !folder.isEmpty())
        QDir(folder).removeRecursively();
}

void WriteStartupFiles(const QString& folder, const QByteArray& defParaText)
{
    const QString data = QStringLiteral(KORVO_DATA_DIR);
    QFile::copy(data + QStringLiteral("/NotePara.ini"), folder + QStringLiteral("/NotePara.ini"));
    if (defParaText.isEmpty()) {
        QFile::copy(data + QStringLiteral("/DefPara.ini"), folder + QStringLiteral("/DefPara.ini"));
    } else {
        QFile f(folder + QStringLiteral("/DefPara.ini"));
        f.open(QIODevice::WriteOnly);
        f.write(defParaText);
    }
}

WindowFixture::WindowFixture(const QByteArray& defParaText, std::unique_ptr<MidiPorts> midi, bool keepSettings,
                             const QString& fileToOpen)
    : previousDir_(QDir::currentPath())
{
    if (!keepSettings)
        ClearSettings();
    WriteStartupFiles(dir_.path(), defParaText);
    QDir::setCurrent(dir_.path());
    if (!midi)
        midi = std::make_unique<FakeMidiPorts>(std::vector<FakeMidiPorts::Output>{}, std::vector<FakeMidiPorts::Input>{});
    window_ = std::make_unique<TFormMain>(dialogs, std::move(midi));
    window_->openAtStart(fileToOpen);
    window_->show();
    window_->activateWindow();
    (void)QTest::qWaitForWindowExposed(window_.get());
}

WindowFixture::~WindowFixture()
{
    window_.reset();
    QDir::setCurrent(previousDir_);
}

} // namespace korvo::test
