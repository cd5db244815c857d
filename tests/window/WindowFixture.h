#pragma once
// A main window started in a scratch working directory that holds the shipped
// start-up files (or the given DefPara.ini), answered by ScriptedDialogs.

#include "ScriptedDialogs.h"
#include "app/KorvoMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace korvo::test {

class WindowFixture {
public:
    // defParaText: the DefPara.ini to use; empty for the shipped one. midi: the MIDI
    // service; none gives one without devices. keepSettings: start with the
    // settings a previous window kept, instead of none.
    explicit WindowFixture(const QByteArray& defParaText = {}, std::unique_ptr<MidiPorts> midi = nullptr,
                           bool keepSettings = false);
    ~WindowFixture();

    TFormMain& window() { return *window_; }
    EditorState& state() { return window_->state(); }
    QString dir() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    template <class W>
    W* find(const QString& name)
    {
        return window_->findChild<W*>(name);
    }

    ScriptedDialogs dialogs;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::unique_ptr<TFormMain> window_;
};

// Forgets every setting the editor keeps (in the test's own HOME). Each fixture
// starts so; a test that looks at settings kept across windows calls it itself.
void ClearSettings();

// Writes the shipped start-up files (or the given DefPara.ini) into a folder.
void WriteStartupFiles(const QString& folder, const QByteArray& defParaText = {});

} // namespace korvo::test
