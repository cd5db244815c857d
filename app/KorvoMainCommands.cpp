// The File and Edit menu commands: scene files, and copy and paste of a control.
#include "app/KorvoMain.h"
#include "app/UserDialogs.h"
#include "app/widgets/ControlListBox.h"
#include "files/SceneBackup.h"
#include "files/SceneFile.h"
#include "files/SceneFileName.h"

#include <QFile>
#include <filesystem>

namespace korvo {

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Only a plain file is moved aside; a folder of that name is never touched.
bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

void TFormMain::New1Click()
{
    LoadDefaults(state_.Bank, state_.DefaultParams);
    state_.CurrentFileName.clear();
    ControlListClick();
}

void TFormMain::Open1Click()
{
    const auto chosen = dialogs_.openFile();
    if (!chosen)
        return;
    const std::string path = LocalPath(*chosen);
    ReadSceneFile(path, state_.Bank); // a failure stops here, before the redisplay
    // Save writes back to the file being edited.
    state_.CurrentFileName = path;
    ControlListClick();
}

void TFormMain::Save1Click()
{
    if (state_.CurrentFileName.empty()) {
        SaveAs();
        return;
    }
    if (FileExists(state_.CurrentFileName))
        state_.BackupFileName = MakeBackup(state_.CurrentFileName);
    WriteSceneFile(state_.CurrentFileName, state_.Bank);
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
        return false;
    }
    const std::string path = LocalPath(*chosen);
    if (FileExists(path))
        state_.BackupFileName = MakeBackup(path);
    WriteSceneFile(path, state_.Bank);
    state_.CurrentFileName = path;
    return true;
}

bool TFormMain::RunSaveAs()
{
    return SaveAs();
}

void TFormMain::Copy1Click()
{
    CopyControl(state_.Clipboard, state_.Bank.Current(), state_.SelectedKind, ControlList->itemIndex());
}

void TFormMain::Peast1Click()
{
    if (PasteControl(state_.Clipboard, state_.Bank.Current(), state_.SelectedKind, ControlList->itemIndex()))
        ControlListClick();
}

} // namespace korvo
