#pragma once
// Everything the editor keeps for the whole run, in one place. The main window
// owns one and hands it to the code that needs it.

#include "editor/ControlClipboard.h"
#include "editor/ControlIndex.h"
#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <array>
#include <cstring>
#include <string>

namespace korvo {

struct EditorState {
    SceneBank Bank;               // the four scenes and CurrentScene
    korvo::DefaultParams DefaultParams; // lines of DefPara.ini
    korvo::NoteNames NoteNames;         // lines of NotePara.ini
    ControlKind SelectedKind = ControlKind::Common; // kind of the selected control
    ControlClipboard Clipboard;   // Copy and Paste of one control's settings
    std::string CurrentFileName;  // the scene file that Save writes without asking
    std::string BackupFileName;   // where the last save moved the replaced file

    // The scenes as last filled (start-up, New, Open, Read) or written (Save).
    std::array<TSceneRecord, SceneCount> CleanScenes{};

    // Unsaved changes: the scenes differ, byte for byte, from their clean state.
    bool Modified() const
    {
        return std::memcmp(Bank.Scenes.data(), CleanScenes.data(), sizeof CleanScenes) != 0;
    }
    // The scenes as they are now count as unchanged.
    void MarkClean() { CleanScenes = Bank.Scenes; }
};

} // namespace korvo
