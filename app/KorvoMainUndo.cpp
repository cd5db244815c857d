// Undo and redo of every change of the scenes, the unsaved-changes state and the
// one question asked before unsaved scenes are replaced.
#include "app/BankUndoStep.h"
#include "app/KorvoMain.h"
#include "app/RecoveryKeeper.h"
#include "app/TransferRunner.h"
#include "app/UserDialogs.h"
#include "app/widgets/ControlListBox.h"

#include <QFileInfo>
#include <QToolButton>
#include <QUndoStack>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace korvo {

BankSnapshot TFormMain::CurrentSnapshot() const
{
    return {state_.Bank.Scenes, state_.CurrentFileName};
}

StepSelection TFormMain::CurrentSelection() const
{
    return {state_.Bank.CurrentScene, ControlList->itemIndex()};
}

void TFormMain::RecordStep(const QString& name, const std::function<void()>& action, int mergeKey)
{
    if (stepDepth_ > 0 || applyingStep_) {
        action();
        return;
    }
    BankSnapshot before = CurrentSnapshot();
    ++stepDepth_;
    // A step that fails part-way (a short scene file) still changed what it changed.
    std::exception_ptr failure;
    try {
        action();
    } catch (...) {
        failure = std::current_exception();
    }
    --stepDepth_;
    BankSnapshot after = CurrentSnapshot();
    if (!(before == after))
        undoStack_->push(new BankUndoStep(name, std::move(before), std::move(after), CurrentSelection(), mergeKey,
                                          [this](const BankSnapshot& s, const StepSelection& w, bool f) { ApplyStep(s, w, f); }));
    UpdateModified();
    if (failure)
        std::rethrow_exception(failure);
}

void TFormMain::ApplyStep(const BankSnapshot& snapshot, const StepSelection& selection, bool withFileName)
{
    // The panels show the step's scene and control, as a click on them would; what
    // the fill shows is not stored, so the bytes stay exactly those of the step.
    applyingStep_ = true;
    state_.Bank.Scenes = snapshot.scenes;
    if (withFileName)
        state_.CurrentFileName = snapshot.fileName;
    state_.Bank.CurrentScene = selection.scene;
    SceneButtons[static_cast<std::size_t>(selection.scene - 1)]->setChecked(true);
    ControlList->setItemIndex(selection.controlIndex);
    Guarded([this] { ControlListClick(); });
    applyingStep_ = false;
    UpdateModified();
}

void TFormMain::UpdateTitle()
{
    // The file's name, then the program's, as desktop programs do; "[*]" is where
    // the desktop's modified marker goes.
    const QString program = QStringLiteral("Controller editor");
    if (state_.CurrentFileName.empty())
        setWindowTitle(program + QStringLiteral("[*]"));
    else
        setWindowTitle(QFileInfo(QFile::decodeName(state_.CurrentFileName.c_str())).fileName() +
                       QStringLiteral("[*] - ") + program);
}

void TFormMain::UpdateModified()
{
    UpdateTitle();
    const bool modified = state_.Modified();
    setWindowModified(modified);
    if (recovery_)
        recovery_->changed(modified, state_.Bank, state_.CurrentFileName);
}

bool TFormMain::AskToSaveChanges()
{
    if (!state_.Modified())
        return true;
    switch (dialogs_.ask(DialogIcon::Warning, SaveChangesQuestion, DialogButtons::YesNoCancel)) {
    case DialogAnswer::Yes:
        // Unsaved scenes are never lost: a cancelled or failed save stops the command.
        return SaveAs();
    case DialogAnswer::No:
        DiscardRecovery();
        return true;
    default:
        return false;
    }
}

void TFormMain::OfferRecovery()
{
    if (!recovery_)
        return;
    for (ClaimedRecoveryFile& claim : ClaimOrphanedRecoveryFiles(recovery_->folder())) {
        const RecoveryReadResult found = claim.Read();
        if (!found.Contents) {
            // Never loaded half: kept aside for a look, and never offered again.
            const std::string moved = claim.MoveAside();
            QString text = QString::fromLocal8Bit(found.Message.c_str());
            if (!moved.empty())
                text += QStringLiteral("\nIt was moved to %1.").arg(QFile::decodeName(moved.c_str()));
            dialogs_.warn(text);
            continue;
        }
        switch (dialogs_.ask(DialogIcon::Confirmation, RestoreRecoveryQuestion, DialogButtons::YesNo)) {
        case DialogAnswer::Yes:
            RecordStep(QStringLiteral("Restore Unsaved Scenes"), [&] {
                state_.Bank.Scenes = found.Contents->Scenes;
                state_.CurrentFileName = found.Contents->FileName;
                ControlListClick();
            });
            // Written to this editor's own file before the old one goes.
            recovery_->writeNow();
            claim.Delete();
            return;
        case DialogAnswer::No:
            claim.Delete();
            break;
        default:
            break; // kept for a later start
        }
    }
}

void TFormMain::EndOnSignal()
{
    if (recovery_)
        recovery_->writeNow();
    if (Runner && Runner->running()) {
        // The worker thread still uses the ports: it is told to stop and the
        // program ends without closing them under it.
        RequestCancel(Link);
    } else {
        // Closing the ports ends this program's client of the MIDI service.
        Link.Handles = {};
        Link.Ports.reset();
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void TFormMain::DiscardRecovery()
{
    if (recovery_)
        recovery_->discard();
}

} // namespace korvo
