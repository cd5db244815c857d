#pragma once
// The main window: the controller picture with its overlay labels, the scene
// buttons, the control list and the property panels, and the menus.

#include "device/DeviceLink.h"
#include "editor/BankSnapshot.h"
#include "editor/ControlIndex.h"
#include "editor/EditorState.h"
#include "editor/PropertyBindings.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QUrl;
class QUndoStack;
class QWidget;

namespace korvo {

class ControlListBox;
class DropDownList;
class Edit;
class InstantProgressBar;
class OverlayLabel;
class RecoveryKeeper;
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

    // Centring and snapping arithmetic, kept pure for tests.
    static QPoint CentredPosition(const QRect& workArea, const QSize& outerSize);
    static QPoint SnappedPosition(const QRect& frame, const QRect& workArea, int distance);

    DeviceLink Link; // the MIDI service, the pair found, the capture ring, the image

    // A termination signal: unsaved changes go to the recovery file at once, the
    // MIDI ports are closed, and the program ends with status 0 without questions.
    [[noreturn]] void EndOnSignal();

    // A scene file (an absolute path) to open once the window is up and the
    // recovery question, if any, is answered.
    void openAtStart(const QString& path) { startFile_ = path; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Handlers, named after their element and event.
    void FormCreate();
    void FormShow();
    void Quit1Click();
    void ControlListClick();
    void Label31Click(OverlayLabel* sender);
    void SceneButton1Click();
    void SelDispChange();
    void About1Click();

    // Property editing: every editor of the panels stores through its binding.
    void StoreEdit(PropertyEditor editor);
    void FillPanel(int controlIndex);
    void RunEnableRule(EnableRule rule);
    void UpdateVelocityEnables(int keyCurve, int padCurve);
    void UpdateKnobEnables(int enable);
    void UpdateKeyEnables(int assignType);
    void UpdatePadEnables(int assignType);
    QWidget* EditorWidget(PropertyEditor editor) const { return editors_[static_cast<std::size_t>(editor)]; }

    // Pad number entry.
    void RxSpinButton1TopClick();
    void RxSpinButton1BottomClick();
    void SelPadAssignTypeChange();
    void EditPadCCNumberChange();
    void StepPadNumberBy(int step);

    // Copy and paste.
    void Copy1Click();
    void Peast1Click();

    // Scene files.
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    bool SaveAs();
    void SaveTo(const std::string& path);
    // The one way a scene file is opened: by File > Open, the command line, a drop
    // and Open Recent. The scenes, the name Save writes, no unsaved changes.
    // wholeOrNothing: a file that cannot be read whole changes nothing (else a
    // short file has replaced what it holds, as File > Open always did).
    void OpenSceneFile(const QString& path, bool wholeOrNothing = false);
    void OpenFileArgument();
    void OpenRecentClick(const QString& path);
    void OpenDropped(const QList<QUrl>& urls);
    // A file just opened or saved: first in Open Recent, its folder the dialogs' start.
    void RememberSceneFile(const std::string& path);
    void FillOpenRecent();

    // Communication with the controller.
    void ReadSceneData1Click();
    void SendSceneData1Click();
    void MIDIServiceClick(MidiService service);
    void VerifyafterSend1Click();

    // Undo and redo. An action that may change the scenes runs inside RecordStep:
    // when the bank's bytes (or the file name) differ afterwards, it becomes one
    // undo step. Steps with the same merge key that follow each other are merged
    // (typing in one box). Nested calls belong to the outermost step.
    void RecordStep(const QString& name, const std::function<void()>& action, int mergeKey = -1);
    void ApplyStep(const BankSnapshot& snapshot, const StepSelection& selection, bool withFileName);
    StepSelection CurrentSelection() const;
    BankSnapshot CurrentSnapshot() const;

    // The unsaved-changes state: the title's marker and the recovery file follow it.
    void UpdateModified();
    void UpdateTitle();
    // The one save question: true when the caller may go on (Yes and a successful
    // Save as, or No); false for Cancel or a save that did not happen.
    bool AskToSaveChanges();
    void DiscardRecovery();
    // At start-up: scenes left unsaved by an editor that is no longer running.
    void OfferRecovery();

    void BuildLayout();
    void BuildMenu();
    void BuildTabOrder();
    void CentreOnWorkArea();
    void FrameSelectedLabel(bool outOfView);
    QWidget* FirstEditorOf(QWidget* panel) const;
    QWidget* PanelHolding(QWidget* w) const;
    void UpdatePadNumberLook();
    void ConnectEditors();
    void RefreshOverview(int mode);
    void ShowOverview(); // RefreshOverview with the display mode chosen
    // Runs a handler; an error that escapes it is shown and the program goes on.
    void Guarded(const std::function<void()>& handler);

    // Shows the progress bar and its percentage during a transfer (called on the
    // worker thread; the bar changes on the window's).
    TransferProgress ShowProgress();
    void RepaintNow();
    QList<QWidget*> PropertyPanels() const;
    // The Communication menu's settings items and the strip beside the progress bar.
    void BuildLinkMenu(QMenu* communication);
    void BuildTransferStatus(QWidget* client);
    // Searches on the worker thread, the pair that answered last time first; a pair
    // that answers is remembered.
    LinkResult SearchController();
    TransferRunner* Runner = nullptr;

    UserDialogs& dialogs_;
    EditorState state_;
    QUndoStack* undoStack_ = nullptr;
    int stepDepth_ = 0;         // RecordStep calls under way
    bool applyingStep_ = false; // an undo or redo is filling the panels: store nothing
    RecoveryKeeper* recovery_ = nullptr;
    QString startFile_; // opened once the window is up

    bool shownOnce_ = false;
    bool closeConfirmed_ = false;
    bool snapping_ = false;

    TFormAbout* FormAbout = nullptr; // exists only while the about box is shown

    // Components, named as in the layout; tests find them by objectName.
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

    // Every property editor, by its binding.
    std::array<QWidget*, PropertyEditorCount> editors_{};

    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QMenu* OpenRecent1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Saveas1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
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
    std::array<QToolButton*, SceneCount> SceneButtons{};
    std::array<OverlayLabel*, OverlayLabelCount> Labels{}; // Label31..Label75, control-list order
    OverlayLabel* SelectedLabel = nullptr;
};

} // namespace korvo
