#pragma once
// A main window started in a scratch working directory that holds the shipped
// start-up files (or the given DefPara.ini), answered by ScriptedDialogs.

#include "ScriptedDialogs.h"
#include "app/KorvoMain.h"
#include "app/widgets/OverlayLabel.h"

#include <QAction>
#include <QToolButton>
#include <string>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace korvo::test {

class WindowFixture {
public:
    // defParaText: the DefPara.ini to use; empty for the shipped one. midi: the MIDI
    // service; none gives one without devices. keepSettings: start with the
    // settings a previous window kept, instead of none. fileToOpen: as named on the
    // command line (opened once the window is up: wait for it).
    explicit WindowFixture(const QByteArray& defParaText = {}, std::unique_ptr<MidiPorts> midi = nullptr,
                           bool keepSettings = false, const QString& fileToOpen = {});
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

// A component of the window, by its object name.
template <class W>
W* Find(QObject& window, const char* name)
{
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no component named %s", name);
    return w;
}

// Overlay label i (0..44: Label31..Label75) and scene button n (0..3).
inline OverlayLabel* Label(QObject& window, int i)
{
    return Find<OverlayLabel>(window, ("Label" + std::to_string(FirstLabelNumber + i)).c_str());
}
inline QToolButton* SceneButton(QObject& window, int n)
{
    return Find<QToolButton>(window, ("SceneButton" + std::to_string(n + 1)).c_str());
}

// Gives the scenes unsaved changes (in scene 4, which no test shows first) or none.
inline void SetModified(WindowFixture& f, bool modified)
{
    f.state().MarkClean();
    if (modified)
        f.state().Bank.Scenes[3].PadOFFValue[7] ^= 1;
}

// Forgets every setting the editor keeps (in the test's own HOME). Each fixture
// starts so; a test that looks at settings kept across windows calls it itself.
void ClearSettings();

// Writes the shipped start-up files (or the given DefPara.ini) into a folder.
void WriteStartupFiles(const QString& folder, const QByteArray& defParaText = {});

} // namespace korvo::test
