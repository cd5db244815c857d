#pragma once
// Everything the editor keeps for the whole run, in one place. The main window
// owns one and hands it to the code that needs it.

#include "editor/ControlClipboard.h"
#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"
#include "scene/SceneBank.h"

#include <string>

namespace korvo {

struct EditorState {
    SceneBank Bank;               // the four scenes and CurrentScene
    korvo::DefaultParams DefaultParams; // lines of DefPara.ini
    korvo::NoteNames NoteNames;         // lines of NotePara.ini
    bool Modified = false;        // unsaved changes
    int SelectedKind = 0;         // kind of the selected control (ControlIndex.h)
    ControlClipboard Clipboard;   // Copy and Paste of one control's settings
    std::string CurrentFileName;  // the scene file that Save writes without asking
    std::string BackupFileName;   // where the last save moved the replaced file
};

} // namespace korvo
