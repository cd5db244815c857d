#pragma once
// One undo step: the scenes' bytes (and the file name) before and after a change,
// and where it was made. Undo and redo hand the snapshot back to the window, which
// puts it in place and selects the step's scene and control.

#include "editor/BankSnapshot.h"

#include <QUndoCommand>
#include <functional>

namespace korvo {

class BankUndoStep : public QUndoCommand {
public:
    // The snapshot to put in place; withFileName when the step changed the file name
    // (New, Open), which is then put back too.
    using Apply = std::function<void(const BankSnapshot&, const StepSelection&, bool withFileName)>;

    // The change has already been made when the step is pushed: the first redo()
    // does nothing. mergeKey >= 0 merges the step into the one before it when both
    // have the same key and selection (consecutive typing in one box).
    BankUndoStep(const QString& name, BankSnapshot before, BankSnapshot after, StepSelection where, int mergeKey,
                 Apply apply);

    void undo() override;
    void redo() override;
    int id() const override { return mergeKey_; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    BankSnapshot before_;
    BankSnapshot after_;
    StepSelection where_;
    int mergeKey_;
    Apply apply_;
    bool done_ = true;
};

} // namespace korvo
