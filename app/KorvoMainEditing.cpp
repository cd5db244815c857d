// Filling the property panels from the current scene, and storing every edit back.
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
#include "editor/PropertyFields.h"
#include "scene/WholeNumber.h"

#include <QKeyEvent>
#include <algorithm>

namespace korvo {

namespace {

QString Decimal(std::int64_t value)
{
    return QString::number(value);
}

} // namespace

void TFormMain::ConnectEditors()
{
    // Text and spin boxes run their handler whenever their text changes, by the user
    // or by code; drop-down lists only for the user's choice.
    auto onText = [this](QLineEdit* box, void (TFormMain::*handler)()) {
        connect(box, &QLineEdit::textChanged, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    auto onChoice = [this](DropDownList* list, void (TFormMain::*handler)()) {
        connect(list, &DropDownList::changedByUser, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    onText(EditSceneName, &TFormMain::EditSceneNameChange);
    onChoice(SelSceneMIDICh, &TFormMain::SelSceneMIDIChChange);
    onChoice(SelPianoKeyCh, &TFormMain::SelPianoKeyChChange);
    onText(EditBendSpeed, &TFormMain::EditBendSpeedChange);
    onText(EditKeyTrans, &TFormMain::EditKeyTransChange);
    onChoice(SelKeyVelocityCurve, &TFormMain::SelKeyVelocityCurveChange);
    onText(EditKeyConstVelocity, &TFormMain::EditKeyConstVelocityChange);
    onChoice(SelPadVelocityCurve, &TFormMain::SelPadVelocityCurveChange);
    onText(EditPadConstVelocity, &TFormMain::EditPadConstVelocityChange);
    onChoice(SelMIDICh, &TFormMain::SelMIDIChChange);
    onChoice(SelKonbEnable, &TFormMain::SelKonbEnableChange);
    onText(EditKonbCCNumber, &TFormMain::EditKonbCCNumberChange);
    onText(EditKonbURValue, &TFormMain::EditKonbURValueChange);
    onText(EditKonbLLValue, &TFormMain::EditKonbLLValueChange);
    onChoice(SelPadAssignType, &TFormMain::SelPadAssignTypeChange);
    onText(EditPadCCNumber, &TFormMain::EditPadCCNumberChange);
    onText(EditPadONValue, &TFormMain::EditPadONValueChange);
    onText(EditPadOFFValue, &TFormMain::EditPadOFFValueChange);
    onChoice(SelPadBehavior, &TFormMain::SelPadBehaviorChange);
    onChoice(SelPadMIDICh, &TFormMain::SelPadMIDIChChange);
    onChoice(SelKeyAssignType, &TFormMain::SelKeyAssignTypeChange);
    onText(EditKeyCCNumber, &TFormMain::EditKeyCCNumberChange);
    onText(EditKeyONValue, &TFormMain::EditKeyONValueChange);
    onText(EditKeyOFFValue, &TFormMain::EditKeyOFFValueChange);
    onChoice(SelKeyBehavior, &TFormMain::SelKeyBehaviorChange);

    connect(RxSpinButton1, &StepButton::topClick, this, [this] { Guarded([this] { RxSpinButton1TopClick(); }); });
    connect(RxSpinButton1, &StepButton::bottomClick, this, [this] { Guarded([this] { RxSpinButton1BottomClick(); }); });
    EditPadCCNumber->installEventFilter(this);
}

// Fills the panel of a control-list entry in the panel's order. Text and spin boxes
// whose text changes run their handlers at once, as a user's edit would.
void TFormMain::FillPanel(int i)
{
    const TSceneRecord& R = state_.Bank.Current();
    const ControlRef c = ControlAt(i);
    const int k = c.element;
    switch (c.kind) {
    case KindCommon:
        if (i != 0)
            return;
        EditSceneName->setText(ShownText(SceneNameText(R)));
        SelSceneMIDICh->setItemIndex(R.SceneMIDICh);
        SelPianoKeyCh->setItemIndex(R.PianoKeyCh);
        EditBendSpeed->setText(Decimal(std::int64_t{R.BendSpeed} + 1));
        EditKeyTrans->setValue(std::int64_t{R.KeyTrans} - 13);
        SelKeyVelocityCurve->setItemIndex(R.KeyVelocityCurve);
        EditKeyConstVelocity->setText(Decimal(R.KeyConstVelocity));
        SelPadVelocityCurve->setItemIndex(R.PadVelocityCurve);
        EditPadConstVelocity->setText(Decimal(R.PadConstVelocity));
        UpdateVelocityEnables(SelKeyVelocityCurve->itemIndex(), SelPadVelocityCurve->itemIndex());
        break;
    case KindGroup:
        SelMIDICh->setItemIndex(R.MIDICh[k]);
        break;
    case KindKnob:
    case KindSlider: {
        const bool knob = c.kind == KindKnob;
        SelKonbEnable->setItemIndex(knob ? R.KonbEnable[k] : R.SliderEnable[k]);
        EditKonbCCNumber->setValue(knob ? R.KonbCCNumber[k] : R.SliderCCNumber[k]);
        EditKonbURValue->setValue(knob ? R.KonbURValue[k] : R.SliderURValue[k]);
        EditKonbLLValue->setValue(knob ? R.KonbLLValue[k] : R.SliderLLValue[k]);
        UpdateKnobEnables(SelKonbEnable->itemIndex());
        break;
    }
    case KindPad:
        SelPadAssignType->setItemIndex(R.PadAssignType[k]);
        if (R.PadAssignType[k] == PadModeControlChange || R.PadAssignType[k] == PadModeNote)
            EditPadCCNumber->setText(
                QString::fromLatin1(PadNumberText(R.PadCCNumber[k], R.PadAssignType[k], state_.NoteNames).c_str()));
        EditPadONValue->setValue(R.PadONValue[k]);
        EditPadOFFValue->setValue(R.PadOFFValue[k]);
        SelPadBehavior->setItemIndex(R.PadBehavior[k]);
        SelPadMIDICh->setItemIndex(R.PadMIDICh[k]);
        UpdatePadEnables(SelPadAssignType->itemIndex());
        break;
    case KindKey:
        SelKeyAssignType->setItemIndex(R.KeyAssignType[k]);
        EditKeyCCNumber->setValue(R.KeyCCNumber[k]);
        EditKeyONValue->setValue(R.KeyONValue[k]);
        EditKeyOFFValue->setValue(R.KeyOFFValue[k]);
        SelKeyBehavior->setItemIndex(R.KeyBehavior[k]);
        UpdateKeyEnables(SelKeyAssignType->itemIndex());
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
}

void TFormMain::Changed()
{
    RefreshOverview(SelDisp->itemIndex());
    state_.Modified = true;
}

// --- The common panel ---

void TFormMain::EditSceneNameChange()
{
    StoreSceneName(state_.Bank.Current(), StoredBytes(EditSceneName->text()));
    Changed();
}

void TFormMain::SelSceneMIDIChChange()
{
    state_.Bank.Current().SceneMIDICh = SelSceneMIDICh->itemIndex();
    Changed();
}

void TFormMain::SelPianoKeyChChange()
{
    state_.Bank.Current().PianoKeyCh = SelPianoKeyCh->itemIndex();
    Changed();
}

void TFormMain::EditBendSpeedChange()
{
    // Reads the trimmed text itself, not the spin value: 1 when it is no number.
    const auto typed = WholeNumberOr(TrimBlanksAndControls(EditBendSpeed->text().toStdString()), 1);
    state_.Bank.Current().BendSpeed = WrappedSum(typed, -1);
    Changed();
}

void TFormMain::EditKeyTransChange()
{
    state_.Bank.Current().KeyTrans = WrappedSum(EditKeyTrans->value(), 13);
    Changed();
}

void TFormMain::SelKeyVelocityCurveChange()
{
    UpdateVelocityEnables(SelKeyVelocityCurve->itemIndex(), SelPadVelocityCurve->itemIndex());
    state_.Bank.Current().KeyVelocityCurve = SelKeyVelocityCurve->itemIndex();
    Changed();
}

void TFormMain::EditKeyConstVelocityChange()
{
    state_.Bank.Current().KeyConstVelocity = EditKeyConstVelocity->value();
    Changed();
}

void TFormMain::SelPadVelocityCurveChange()
{
    UpdateVelocityEnables(SelKeyVelocityCurve->itemIndex(), SelPadVelocityCurve->itemIndex());
    state_.Bank.Current().PadVelocityCurve = SelPadVelocityCurve->itemIndex();
    Changed();
}

void TFormMain::EditPadConstVelocityChange()
{
    state_.Bank.Current().PadConstVelocity = EditPadConstVelocity->value();
    Changed();
}

// --- Groups, knobs and sliders, pads, keys: each stores only into its own arrays ---

namespace {

void StoreInto(std::int32_t* field, std::int32_t value)
{
    if (field)
        *field = value;
}

} // namespace

void TFormMain::SelMIDIChChange()
{
    StoreInto(GroupChannelField(state_.Bank.Current(), ControlList->itemIndex()), SelMIDICh->itemIndex());
    Changed();
}

void TFormMain::SelKonbEnableChange()
{
    UpdateKnobEnables(SelKonbEnable->itemIndex());
    StoreInto(KnobOrSliderField(state_.Bank.Current(), ControlList->itemIndex(), KnobField::Enable),
              SelKonbEnable->itemIndex());
    Changed();
}

void TFormMain::EditKonbCCNumberChange()
{
    StoreInto(KnobOrSliderField(state_.Bank.Current(), ControlList->itemIndex(), KnobField::CCNumber),
              EditKonbCCNumber->value());
    Changed();
}

void TFormMain::EditKonbURValueChange()
{
    StoreInto(KnobOrSliderField(state_.Bank.Current(), ControlList->itemIndex(), KnobField::URValue),
              EditKonbURValue->value());
    Changed();
}

void TFormMain::EditKonbLLValueChange()
{
    StoreInto(KnobOrSliderField(state_.Bank.Current(), ControlList->itemIndex(), KnobField::LLValue),
              EditKonbLLValue->value());
    Changed();
}

void TFormMain::EditPadONValueChange()
{
    StoreInto(PadFieldAt(state_.Bank.Current(), ControlList->itemIndex(), PadField::ONValue), EditPadONValue->value());
    Changed();
}

void TFormMain::EditPadOFFValueChange()
{
    StoreInto(PadFieldAt(state_.Bank.Current(), ControlList->itemIndex(), PadField::OFFValue),
              EditPadOFFValue->value());
    Changed();
}

void TFormMain::SelPadBehaviorChange()
{
    StoreInto(PadFieldAt(state_.Bank.Current(), ControlList->itemIndex(), PadField::Behavior),
              SelPadBehavior->itemIndex());
    Changed();
}

void TFormMain::SelPadMIDIChChange()
{
    StoreInto(PadFieldAt(state_.Bank.Current(), ControlList->itemIndex(), PadField::MIDICh), SelPadMIDICh->itemIndex());
    Changed();
}

void TFormMain::SelKeyAssignTypeChange()
{
    UpdateKeyEnables(SelKeyAssignType->itemIndex());
    StoreInto(KeyFieldAt(state_.Bank.Current(), ControlList->itemIndex(), KeyField::AssignType),
              SelKeyAssignType->itemIndex());
    Changed();
}

void TFormMain::EditKeyCCNumberChange()
{
    StoreInto(KeyFieldAt(state_.Bank.Current(), ControlList->itemIndex(), KeyField::CCNumber),
              EditKeyCCNumber->value());
    Changed();
}

void TFormMain::EditKeyONValueChange()
{
    StoreInto(KeyFieldAt(state_.Bank.Current(), ControlList->itemIndex(), KeyField::ONValue), EditKeyONValue->value());
    Changed();
}

void TFormMain::EditKeyOFFValueChange()
{
    StoreInto(KeyFieldAt(state_.Bank.Current(), ControlList->itemIndex(), KeyField::OFFValue),
              EditKeyOFFValue->value());
    Changed();
}

void TFormMain::SelKeyBehaviorChange()
{
    StoreInto(KeyFieldAt(state_.Bank.Current(), ControlList->itemIndex(), KeyField::Behavior),
              SelKeyBehavior->itemIndex());
    Changed();
}

// --- The pad number: a control-change number or a note name ---

void TFormMain::SelPadAssignTypeChange()
{
    const int t = SelPadAssignType->itemIndex();
    UpdatePadEnables(t);
    TSceneRecord& R = state_.Bank.Current();
    const int i = ControlList->itemIndex();
    StoreInto(PadFieldAt(R, i, PadField::AssignType), t);
    if (const std::int32_t* number = PadFieldAt(R, i, PadField::CCNumber)) {
        // Note shows the name at min(number, 120); the read-back then stores it.
        const std::int64_t shown = t == PadModeNote ? std::min<std::int64_t>(*number, 120) : *number;
        if (t == PadModeControlChange || t == PadModeNote)
            EditPadCCNumber->setText(QString::fromLatin1(PadNumberText(shown, t, state_.NoteNames).c_str()));
    }
    Changed();
}

void TFormMain::EditPadCCNumberChange()
{
    const int t = SelPadAssignType->itemIndex();
    if (t == PadModeControlChange || t == PadModeNote)
        StoreInto(PadFieldAt(state_.Bank.Current(), ControlList->itemIndex(), PadField::CCNumber),
                  ReadPadNumber(StoredBytes(EditPadCCNumber->text()), t, state_.NoteNames));
    Changed();
}

void TFormMain::StepPadNumberBy(int step)
{
    const std::string next =
        StepPadNumber(StoredBytes(EditPadCCNumber->text()), SelPadAssignType->itemIndex(), step, state_.NoteNames);
    EditPadCCNumber->setText(QString::fromLatin1(next.c_str()));
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
