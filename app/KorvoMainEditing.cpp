// Filling the property panels from the current scene, and storing every edit back,
// both through the table of property bindings.
#include "app/KorvoMain.h"
#include "app/TextConversion.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"
#include "editor/ControlIndex.h"
#include "editor/EnableRules.h"
#include "editor/PadNumberEntry.h"
#include "scene/WholeNumber.h"

#include <QKeyEvent>
#include <algorithm>

namespace korvo {

namespace {

bool IsPadNumberMode(std::int64_t assignType)
{
    return assignType == ItemOf(PadAssignType::ControlChange) || assignType == ItemOf(PadAssignType::Note);
}

QString StepName(const PropertyBinding& b, int controlIndex)
{
    const std::string control = b.panel == PropertyPanel::Common ? "Common" : ControlEntryName(controlIndex);
    return QString::fromStdString(control + " " + b.fieldLabel);
}

} // namespace

void TFormMain::ConnectEditors()
{
    // Text and spin boxes store whenever their text changes, by the user or by
    // code; drop-down lists only for the user's choice.
    for (const PropertyBinding& b : AllBindings()) {
        QWidget* w = findChild<QWidget*>(QString::fromLatin1(b.objectName));
        Q_ASSERT(w);
        editors_[static_cast<std::size_t>(b.editor)] = w;
        const PropertyEditor editor = b.editor;
        auto handler = [this, editor] { Guarded([this, editor] { StoreEdit(editor); }); };
        if (editor == PropertyEditor::PadAssignType)
            connect(SelPadAssignType, &DropDownList::changedByUser, this,
                    [this] { Guarded([this] { SelPadAssignTypeChange(); }); });
        else if (editor == PropertyEditor::PadCCNumber)
            connect(EditPadCCNumber, &QLineEdit::textChanged, this, [this] {
                UpdatePadNumberLook();
                Guarded([this] { EditPadCCNumberChange(); });
            });
        else if (auto* list = qobject_cast<DropDownList*>(w))
            connect(list, &DropDownList::changedByUser, this, handler);
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            connect(box, &QLineEdit::textChanged, this, handler);
    }

    connect(RxSpinButton1, &StepButton::topClick, this, [this] { Guarded([this] { RxSpinButton1TopClick(); }); });
    connect(RxSpinButton1, &StepButton::bottomClick, this, [this] { Guarded([this] { RxSpinButton1BottomClick(); }); });
    EditPadCCNumber->installEventFilter(this);
}

// Fills the panel of a control-list entry in the panel's order. Text and spin boxes
// whose text changes run their handlers at once, as a user's edit would.
void TFormMain::FillPanel(int i)
{
    const ControlRef c = ControlAt(i);
    if (c.kind == ControlKind::Common && i != 0)
        return;
    const PropertyPanel panel = PanelOf(c.kind);
    for (const PropertyBinding& b : PanelBindings(panel)) {
        // Each step reads the record afresh: an earlier step may have stored.
        const TSceneRecord& R = state_.Bank.Current();
        QWidget* w = EditorWidget(b.editor);
        const std::int32_t* field = BoundField(R, b, i);
        switch (b.form) {
        case ShownForm::Name:
            static_cast<QLineEdit*>(w)->setText(ShownText(SceneNameText(R)));
            break;
        case ShownForm::ListPosition:
            static_cast<DropDownList*>(w)->setItemIndex(*field);
            break;
        case ShownForm::Number:
            if (b.fill == FillWay::Value)
                static_cast<SpinEdit*>(w)->setValue(ShownNumber(b, *field));
            else
                static_cast<QLineEdit*>(w)->setText(QString::number(ShownNumber(b, *field)));
            break;
        case ShownForm::PadNumber: {
            // The stored assign type decides; any other type leaves the box as it is.
            const std::int32_t type = *BoundField(R, BindingOf(PropertyEditor::PadAssignType), i);
            if (IsPadNumberMode(type))
                static_cast<QLineEdit*>(w)->setText(
                    QString::fromLatin1(PadNumberText(*field, type, state_.NoteNames).c_str()));
            break;
        }
        }
    }
    RunEnableRule(PanelInfoOf(panel).rule);
}

void TFormMain::RunEnableRule(EnableRule rule)
{
    switch (rule) {
    case EnableRule::Velocity:
        UpdateVelocityEnables(SelKeyVelocityCurve->itemIndex(), SelPadVelocityCurve->itemIndex());
        break;
    case EnableRule::Knob:
        UpdateKnobEnables(SelKonbEnable->itemIndex());
        break;
    case EnableRule::Pad:
        UpdatePadEnables(SelPadAssignType->itemIndex());
        break;
    case EnableRule::Key:
        UpdateKeyEnables(SelKeyAssignType->itemIndex());
        break;
    case EnableRule::None:
        break;
    }
}

void TFormMain::UpdateVelocityEnables(int keyCurve, int padCurve)
{
    const VelocityEnables e = VelocityEnablesFor(keyCurve, padCurve);
    EditKeyConstVelocity->setEnabled(e.keyConstVelocity);
    EditPadConstVelocity->setEnabled(e.padConstVelocity);
}

void TFormMain::UpdateKnobEnables(int enable)
{
    const bool on = KnobNumbersEnabled(enable);
    for (QWidget* w : {EditKonbCCNumber, EditKonbURValue, EditKonbLLValue})
        w->setEnabled(on);
}

void TFormMain::UpdateKeyEnables(int assignType)
{
    const bool on = KeyEditorsEnabled(assignType);
    for (QWidget* w : std::initializer_list<QWidget*>{EditKeyCCNumber, EditKeyONValue, EditKeyOFFValue, SelKeyBehavior})
        w->setEnabled(on);
}

void TFormMain::UpdatePadEnables(int assignType)
{
    const PadEnables e = PadEnablesFor(assignType);
    RxSpinButton1->setEnabled(e.number);
    EditPadCCNumber->setEnabled(e.number);
    EditPadONValue->setEnabled(e.values);
    EditPadOFFValue->setEnabled(e.values);
    SelPadBehavior->setEnabled(e.behaviour);
    SelPadMIDICh->setEnabled(e.behaviour);
    UpdatePadNumberLook();
}

// Text the pad number box does not understand (it stores 0) shows in the error
// colour until corrected, with what the box accepts as its tooltip.
void TFormMain::UpdatePadNumberLook()
{
    const int mode = SelPadAssignType->itemIndex();
    const std::string text = StoredBytes(EditPadCCNumber->text());
    const bool understood = !IsPadNumberMode(mode) || PadNumberUnderstood(text, mode, state_.NoteNames);
    EditPadCCNumber->setProblem(
        understood ? QString() : QString::fromLatin1(PadNumberAccepted(mode, state_.NoteNames).c_str()));
}

// The change handler of every editor but the pad number's own: run the enable rule,
// read the editor as its binding says, store, and show the overview again.
void TFormMain::StoreEdit(PropertyEditor editor)
{
    const PropertyBinding& b = BindingOf(editor);
    RunEnableRule(b.rule);
    if (applyingStep_)
        return;
    const int i = ControlList->itemIndex();
    QWidget* w = EditorWidget(editor);
    StoredValue value;
    switch (b.form) {
    case ShownForm::Name:
        value = StoredBytes(static_cast<QLineEdit*>(w)->text());
        break;
    case ShownForm::ListPosition:
        value = static_cast<std::int32_t>(static_cast<DropDownList*>(w)->itemIndex());
        break;
    case ShownForm::Number:
    case ShownForm::PadNumber: {
        // The trimmed text read as a whole number, the box's lower bound when it is
        // none; a number outside the range is stored as typed.
        const auto shown = WholeNumberOr(TrimBlanksAndControls(static_cast<QLineEdit*>(w)->text().toStdString()),
                                         b.minimum);
        value = StoredNumber(b, shown);
        break;
    }
    }
    RecordStep(StepName(b, i), [&] { StoreProperty(state_.Bank.Current(), b, i, value); },
               static_cast<int>(editor));
    ShowOverview();
}

// --- The pad number: a control-change number or a note name ---

void TFormMain::SelPadAssignTypeChange()
{
    const int t = SelPadAssignType->itemIndex();
    UpdatePadEnables(t);
    if (applyingStep_)
        return;
    const int i = ControlList->itemIndex();
    RecordStep(StepName(BindingOf(PropertyEditor::PadAssignType), i), [&] {
        TSceneRecord& R = state_.Bank.Current();
        StoreProperty(R, BindingOf(PropertyEditor::PadAssignType), i, std::int32_t{t});
        if (const std::int32_t* number = BoundField(R, BindingOf(PropertyEditor::PadCCNumber), i)) {
            // Note shows the name at min(number, 120); the read-back then stores it.
            const std::int64_t shown = t == ItemOf(PadAssignType::Note) ? std::min<std::int64_t>(*number, 120) : *number;
            if (IsPadNumberMode(t))
                EditPadCCNumber->setText(QString::fromLatin1(PadNumberText(shown, t, state_.NoteNames).c_str()));
        }
    });
    ShowOverview();
}

void TFormMain::EditPadCCNumberChange()
{
    if (applyingStep_)
        return;
    const int t = SelPadAssignType->itemIndex();
    const int i = ControlList->itemIndex();
    const PropertyBinding& b = BindingOf(PropertyEditor::PadCCNumber);
    if (IsPadNumberMode(t))
        RecordStep(StepName(b, i), [&] {
            StoreProperty(state_.Bank.Current(), b, i,
                          ReadPadNumber(StoredBytes(EditPadCCNumber->text()), t, state_.NoteNames));
        }, static_cast<int>(PropertyEditor::PadCCNumber));
    ShowOverview();
}

void TFormMain::StepPadNumberBy(int step)
{
    const std::string next =
        StepPadNumber(StoredBytes(EditPadCCNumber->text()), SelPadAssignType->itemIndex(), step, state_.NoteNames);
    // Each step of the button or an arrow key is an undo step of its own.
    RecordStep(StepName(BindingOf(PropertyEditor::PadCCNumber), ControlList->itemIndex()),
               [&] { EditPadCCNumber->setText(QString::fromLatin1(next.c_str())); });
}

void TFormMain::RxSpinButton1TopClick()
{
    StepPadNumberBy(+1);
}

void TFormMain::RxSpinButton1BottomClick()
{
    StepPadNumberBy(-1);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* e)
{
    // EditPadCCNumberKeyDown: the arrow keys step like the two halves of the button.
    if (watched == EditPadCCNumber && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Guarded([this, key] { key == Qt::Key_Up ? RxSpinButton1TopClick() : RxSpinButton1BottomClick(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

} // namespace korvo
