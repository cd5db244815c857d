// The File and Edit menu commands: scene files, and copy and paste of a control.
#include "app/EditorSettings.h"
#include "app/KorvoMain.h"
#include "app/UserDialogs.h"
#include "app/widgets/ControlListBox.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "files/SceneFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvo {

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

void TFormMain::New1Click()
{
    if (!AskToSaveChanges())
        return;
    RecordStep(QStringLiteral("New"), [this] {
        LoadDefaults(state_.Bank, state_.DefaultParams);
        state_.CurrentFileName.clear();
        ControlListClick();
    });
    state_.MarkClean();
    UpdateModified();
}

void TFormMain::Open1Click()
{
    if (!AskToSaveChanges())
        return;
    if (const auto chosen = dialogs_.openFile(EditorSettings().sceneFolder()))
        OpenSceneFile(*chosen);
}

void TFormMain::OpenSceneFile(const QString& chosen, bool wholeOrNothing)
{
    const std::string path = LocalPath(chosen);
    const auto read = [&](SceneBank& bank) {
        if (QFileInfo(chosen).isDir())
            throw SceneFileError(CannotOpenMessage(path, "it is a folder, not a scene file"));
        try {
            ReadSceneFile(path, bank);
        } catch (const SceneFileError& e) {
            throw SceneFileError(CannotOpenMessage(path, e.what()));
        }
    };
    SceneBank whole = state_.Bank;
    if (wholeOrNothing)
        read(whole);
    RecordStep(QStringLiteral("Open %1").arg(QFileInfo(chosen).fileName()), [&] {
        // A failure stops here, before the redisplay.
        if (wholeOrNothing)
            state_.Bank.Scenes = whole.Scenes;
        else
            read(state_.Bank);
        // Save writes back to the file being edited.
        state_.CurrentFileName = path;
        ControlListClick();
    });
    state_.MarkClean();
    UpdateModified();
    RememberSceneFile(path);
}

void TFormMain::Save1Click()
{
    if (state_.CurrentFileName.empty()) {
        SaveAs();
        return;
    }
    SaveTo(state_.CurrentFileName);
}

void TFormMain::Saveas1Click()
{
    SaveAs();
}

bool TFormMain::SaveAs()
{
    // The file being edited, or a stamped name in the folder last used.
    const QFileInfo known(QFile::decodeName(state_.CurrentFileName.c_str()));
    const QString folder = known.isAbsolute() ? known.absolutePath() : EditorSettings().sceneFolder();
    const QString name = state_.CurrentFileName.empty() ? QFile::decodeName(StampedSceneFileName().c_str())
                                                        : known.fileName();
    const auto chosen = dialogs_.saveFile(folder, name);
    if (!chosen) {
        // The dialog's name, in the folder it showed, stays the file name, even
        // after a cancel.
        state_.CurrentFileName = LocalPath(QDir(folder).filePath(name));
        UpdateModified();
        return false;
    }
    SaveTo(LocalPath(*chosen));
    return true;
}

// Writes the scenes safely (the previous version becomes the backup); on success
// the scenes count as saved. A failure throws with a message naming the file.
void TFormMain::SaveTo(const std::string& path)
{
    state_.BackupFileName = SaveSceneFile(path, state_.Bank);
    state_.CurrentFileName = path;
    state_.MarkClean();
    UpdateModified();
    RememberSceneFile(path);
}

void TFormMain::RememberSceneFile(const std::string& path)
{
    const QString file = QFile::decodeName(path.c_str());
    const EditorSettings settings;
    settings.addRecentFile(file);
    settings.rememberSceneFolderOf(file);
    FillOpenRecent();
}

void TFormMain::Copy1Click()
{
    CopyControl(state_.Clipboard, state_.Bank.Current(), state_.SelectedKind, ControlList->itemIndex());
}

void TFormMain::Peast1Click()
{
    RecordStep(QStringLiteral("Paste"), [this] {
        if (PasteControl(state_.Clipboard, state_.Bank.Current(), state_.SelectedKind, ControlList->itemIndex()))
            ControlListClick();
    });
}

} // namespace korvo
