#pragma once
// The main window's menu shortcuts (Ctrl+C, Ctrl+V, Ctrl+S, ...) work from anywhere
// in the window, also while a text field has the focus. Text fields call this from
// event() so that they do not claim Ctrl key combinations for themselves.

#include <QEvent>
#include <QKeyEvent>

namespace korvo {

// True when the event was a shortcut override for a Ctrl combination; the event is
// then left unaccepted, so the window's shortcut runs. Keys that no shortcut takes
// still reach the field as ordinary key presses.
inline bool LeaveShortcutToWindow(QEvent* e)
{
    if (e->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (!(key->modifiers() & Qt::ControlModifier))
        return false;
    e->ignore();
    return true;
}

} // namespace korvo
