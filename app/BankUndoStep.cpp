#include "app/BankUndoStep.h"

namespace korvo {

BankUndoStep::BankUndoStep(const QString& name, BankSnapshot before, BankSnapshot after, StepSelection where,
                           int mergeKey, Apply apply)
    : QUndoCommand(name), before_(std::move(before)), after_(std::move(after)), where_(where), mergeKey_(mergeKey),
      apply_(std::move(apply))
{
}

void BankUndoStep::undo()
{
    apply_(before_, where_, before_.fileName != after_.fileName);
}

void BankUndoStep::redo()
{
    if (done_) {
        done_ = false; // pushed after the change was made
        return;
    }
    apply_(after_, where_, before_.fileName != after_.fileName);
}

bool BankUndoStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const BankUndoStep*>(other);
    if (!next || next->mergeKey_ != mergeKey_ || next->where_.scene != where_.scene ||
        next->where_.controlIndex != where_.controlIndex)
        return false;
    after_ = next->after_;
    // Typing the old value back leaves nothing to undo.
    setObsolete(before_ == after_);
    return true;
}

} // namespace korvo
