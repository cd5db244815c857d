#include "WindowFixture.h"

#include "FakeMidiPorts.h"

#include <QFile>
#include <QTest>

namespace korvo::test {

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

WindowFixture::WindowFixture(const QByteArray& defParaText, std::unique_ptr<MidiPorts> midi, const QString& fileToOpen)
    : previousDir_(QDir::currentPath())
{
    WriteStartupFiles(dir_.path(), defParaText);
    QDir::setCurrent(dir_.path());
    // Settings, recent files and recovery files of this window only.
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(var, QFile::encodeName(dir_.filePath(QStringLiteral("home/") + QString::fromLatin1(var))));
    QDir().mkpath(dir_.filePath(QStringLiteral("home/HOME")));
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
