// The File and Edit menu commands: scene files, and copy and paste of a control.
#include "app/KorvoMain.h"
#include "app/UserDialogs.h"
#include "app/widgets/ControlListBox.h"
#include "files/SceneFile.h"
#include "files/SceneFileName.h"

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
    const auto chosen = dialogs_.openFile();
    if (!chosen)
        return;
    const std::string path = LocalPath(*chosen);
    RecordStep(QStringLiteral("Open %1").arg(QFileInfo(*chosen).fileName()), [&] {
        ReadSceneFile(path, state_.Bank); // a failure stops here, before the redisplay
        // Save writes back to the file being edited.
        state_.CurrentFileName = path;
        ControlListClick();
    });
    state_.MarkClean();
    UpdateModified();
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
    const std::string preset = state_.CurrentFileName.empty() ? StampedSceneFileName() : state_.CurrentFileName;
    const auto chosen = dialogs_.saveFile(QFile::decodeName(preset.c_str()));
    if (!chosen) {
        // The dialog's name stays the file name, even after a cancel.
        state_.CurrentFileName = preset;
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
