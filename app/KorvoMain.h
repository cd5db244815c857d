#pragma once
// The main window: the controller picture with its overlay labels, the scene
// buttons, the control list and the property panels, and the menus.

#include "device/DeviceLink.h"
#include "editor/EditorState.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;

namespace korvo {

class ControlListBox;
class DropDownList;
class Edit;
class InstantProgressBar;
class OverlayLabel;
class SpinEdit;
class StepButton;
class TFormAbout;
class TransferRunner;
class TransferStatus;
class UserDialogs;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up steps. Throws FileOpenError when a start-up file cannot be
    // read. The controller is looked for on the given MIDI service.
    TFormMain(UserDialogs& dialogs, std::unique_ptr<MidiPorts> midi, QWidget* parent = nullptr);
    ~TFormMain() override;

    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }

    // Handlers, named after their element and event.
    void FormShow();
    void Quit1Click();
    void ControlListClick();
    void Label31Click(OverlayLabel* sender);
    void SceneButton1Click();
    void SelDispChange();
    void About1Click();

    // Property editing.
    void EditSceneNameChange();
    void SelSceneMIDIChChange();
    void SelPianoKeyChChange();
    void EditBendSpeedChange();
    void EditKeyTransChange();
    void SelKeyVelocityCurveChange();
    void EditKeyConstVelocityChange();
    void SelPadVelocityCurveChange();
    void EditPadConstVelocityChange();
    void SelMIDIChChange();
    void SelKonbEnableChange();
    void EditKonbCCNumberChange();
    void EditKonbURValueChange();
    void EditKonbLLValueChange();
    void EditPadONValueChange();
    void EditPadOFFValueChange();
    void SelPadBehaviorChange();
    void SelPadMIDIChChange();
    void SelKeyAssignTypeChange();
    void EditKeyCCNumberChange();
    void EditKeyONValueChange();
    void EditKeyOFFValueChange();
    void SelKeyBehaviorChange();

    // Pad number entry.
    void RxSpinButton1TopClick();
    void RxSpinButton1BottomClick();
    void SelPadAssignTypeChange();
    void EditPadCCNumberChange();

    // Copy and paste.
    void Copy1Click();
    void Peast1Click();

    // Scene files.
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();

    // Communication with the controller.
    void ReadSceneData1Click();
    void SendSceneData1Click();
    void MIDIServiceClick(MidiService service);
    void VerifyafterSend1Click();

    void RefreshOverview(int mode);

    // The Save as that the quit prompt runs; true when the scenes were written.
    bool RunSaveAs();

    // Centring and snapping arithmetic, kept pure for tests.
    static QPoint CentredPosition(const QRect& workArea, const QSize& outerSize);
    static QPoint SnappedPosition(const QRect& frame, const QRect& workArea, int distance);

    TFormAbout* FormAbout = nullptr; // exists only while the about box is shown

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void FormCreate();
    void BuildLayout();
    void BuildMenu();
    void BuildTabOrder();
    void CentreOnWorkArea();
    bool QuitPrompt();
    void FrameSelectedLabel(bool outOfView);
    void ConnectEditors();
    void FillPanel(int controlIndex);
    void UpdateVelocityEnables(int keyCurve, int padCurve);
    void UpdateKnobEnables(int enable);
    void UpdateKeyEnables(int assignType);
    void UpdatePadEnables(int assignType);
    // The end of every property change: the overview is rewritten, the scenes marked.
    void Changed();
    void StepPadNumberBy(int step);
    bool SaveAs();
    // Runs a handler; an error that escapes it is shown and the program goes on.
    void Guarded(const std::function<void()>& handler);

    // Shows the progress bar and its percentage during a transfer (called on the
    // worker thread; the bar changes on the window's).
    TransferProgress ShowProgress();
    void RepaintNow();
    // The Communication menu's settings items and the strip beside the progress bar.
    void BuildLinkMenu(QMenu* communication);
    void BuildTransferStatus(QWidget* client);
    // Searches on the worker thread, the pair that answered last time first; a pair
    // that answers is remembered.
    LinkResult SearchController();
    TransferRunner* Runner = nullptr;

    UserDialogs& dialogs_;
    EditorState state_;

public:
    DeviceLink Link; // the MIDI service, the pair found, the capture ring, the image

private:
    bool shownOnce_ = false;
    bool closeConfirmed_ = false;
    bool snapping_ = false;

public:
    // Components, named as in the layout; tests find them by objectName too.
    QWidget* Image1 = nullptr;
    QFrame* Panel2 = nullptr;
    QWidget* Shape1 = nullptr;
    QLabel* Label2 = nullptr;
    ControlListBox* ControlList = nullptr;
    QLabel* StaticText1 = nullptr;
    DropDownList* SelDisp = nullptr;
    QWidget* Panel1 = nullptr;
    InstantProgressBar* ProgressBar1 = nullptr;
    TransferStatus* TransferStatus1 = nullptr; // stage text and Cancel during a transfer

    QWidget* PanelCommon = nullptr;
    QWidget* PanelGroup = nullptr;
    QWidget* PanelKonb = nullptr;
    QWidget* PanelPad = nullptr;
    QWidget* PanelKey = nullptr;

    Edit* EditSceneName = nullptr;
    DropDownList* SelSceneMIDICh = nullptr;
    DropDownList* SelPianoKeyCh = nullptr;
    SpinEdit* EditBendSpeed = nullptr;
    SpinEdit* EditKeyTrans = nullptr;
    DropDownList* SelKeyVelocityCurve = nullptr;
    SpinEdit* EditKeyConstVelocity = nullptr;
    DropDownList* SelPadVelocityCurve = nullptr;
    SpinEdit* EditPadConstVelocity = nullptr;

    DropDownList* SelMIDICh = nullptr;

    DropDownList* SelKonbEnable = nullptr;
    SpinEdit* EditKonbCCNumber = nullptr;
    SpinEdit* EditKonbURValue = nullptr;
    SpinEdit* EditKonbLLValue = nullptr;

    DropDownList* SelPadAssignType = nullptr;
    Edit* EditPadCCNumber = nullptr;
    StepButton* RxSpinButton1 = nullptr;
    SpinEdit* EditPadONValue = nullptr;
    SpinEdit* EditPadOFFValue = nullptr;
    DropDownList* SelPadBehavior = nullptr;
    DropDownList* SelPadMIDICh = nullptr;

    DropDownList* SelKeyAssignType = nullptr;
    SpinEdit* EditKeyCCNumber = nullptr;
    SpinEdit* EditKeyONValue = nullptr;
    SpinEdit* EditKeyOFFValue = nullptr;
    DropDownList* SelKeyBehavior = nullptr;

    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Saveas1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Peast1 = nullptr;
    QAction* ReadSceneData1 = nullptr;
    QAction* SendSceneData1 = nullptr;
    QMenu* MIDIService1 = nullptr;
    QAction* Automatic1 = nullptr;
    QAction* ALSA1 = nullptr;
    QAction* JACK1 = nullptr;
    QAction* VerifyafterSend1 = nullptr;
    QAction* About1 = nullptr;

    // Tables built at start-up.
    std::array<QToolButton*, 4> SceneButtons{};
    std::array<OverlayLabel*, 45> Labels{}; // Label31..Label75, control-list order
    OverlayLabel* SelectedLabel = nullptr;

    QList<QWidget*> PropertyPanels() const;
};

} // namespace korvo
