#include "WindowFixture.h"

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

WindowFixture::WindowFixture(const QByteArray& defParaText, bool show) : previousDir_(QDir::currentPath())
{
    WriteStartupFiles(dir_.path(), defParaText);
    QDir::setCurrent(dir_.path());
    window_ = std::make_unique<TFormMain>(dialogs);
    if (show) {
        window_->show();
        window_->activateWindow();
        (void)QTest::qWaitForWindowExposed(window_.get());
    }
}

WindowFixture::~WindowFixture()
{
    window_.reset();
    QDir::setCurrent(previousDir_);
}

} // namespace korvo::test
