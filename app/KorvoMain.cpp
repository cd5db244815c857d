#include "app/KorvoMain.h"

#include "app/About.h"
#include "app/RecoveryKeeper.h"
#include "app/TextConversion.h"
#include "app/UserDialogs.h"
#include "app/UserKorvoFolder.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/OverlayLabel.h"
#include "app/widgets/SpinEdit.h"
#include "editor/ControlIndex.h"
#include "editor/OverviewTexts.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QUndoStack>
#include <QToolButton>
#include <algorithm>
#include <exception>

namespace korvo {

namespace {

constexpr int UndoLimit = 1000; // steps kept; each holds two 3,536-byte snapshots

} // namespace

TFormMain::TFormMain(UserDialogs& dialogs, std::unique_ptr<MidiPorts> midi, QWidget* parent)
    : QMainWindow(parent), Link(std::move(midi)), dialogs_(dialogs)
{
    // A fixed single border: system menu and minimise button, no maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // A scene file dropped anywhere on the window opens (the text boxes take no drops).
    setAcceptDrops(true);
    undoStack_ = new QUndoStack(this);
    undoStack_->setUndoLimit(UndoLimit);
    const QString recoveryFolder = RecoveryFolder();
    if (!recoveryFolder.isEmpty())
        recovery_ = new RecoveryKeeper(
            QFile::encodeName(recoveryFolder).toStdString(),
            [this](const std::string& message) {
                dialogs_.warn(QStringLiteral("Unsaved scenes cannot be kept for recovery after a crash.\n%1")
                                  .arg(QString::fromLocal8Bit(message.c_str())));
            },
            this);
    BuildLayout();
    FormCreate();
}

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate()
{
    CentreOnWorkArea();
    state_.DefaultParams = LoadTextLines(DefaultParamsFileName);
    state_.NoteNames = LoadTextLines(NoteNamesFileName);
    SelDisp->setItemIndex(ItemOf(DisplayMode::CCNoteNumber));
    for (QWidget* panel : PropertyPanels())
        panel->setGeometry(ControlList->x() + ControlList->width() + 5, ControlList->y(), panel->width(),
                           ControlList->height());
    PanelCommon->show();
    for (int n = 1; n <= SceneCount; ++n)
        SceneButtons[static_cast<std::size_t>(n - 1)] = findChild<QToolButton*>(QStringLiteral("SceneButton%1").arg(n));
    for (int n = FirstLabelNumber; n < FirstLabelNumber + OverlayLabelCount; ++n)
        Labels[static_cast<std::size_t>(n - FirstLabelNumber)] = findChild<OverlayLabel*>(QStringLiteral("Label%1").arg(n));
    SelectedLabel = Labels[0];
    state_.Bank.CurrentScene = 1;
}

void TFormMain::FormShow()
{
    LoadDefaults(state_.Bank, state_.DefaultParams);
    SceneButtons[0]->setChecked(true);
    SceneButton1Click();
    // The scenes as first shown are the clean state; nothing before it can be undone.
    state_.MarkClean();
    undoStack_->clear();
    UpdateModified();
    Panel2->move(-100, Panel2->y());
    // Asked once the window is on the screen; a file named on the command line is
    // opened after that, so that restored scenes get the save question first.
    QTimer::singleShot(0, this, [this] {
        Guarded([this] { OfferRecovery(); });
        Guarded([this] { OpenFileArgument(); });
    });
}

void TFormMain::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    Guarded([this] { FormShow(); });
    // The window system frames the window only once it is shown; centre again with
    // the real outer size.
    QTimer::singleShot(0, this, [this] { CentreOnWorkArea(); });
}

QPoint TFormMain::CentredPosition(const QRect& workArea, const QSize& outerSize)
{
    const int left = std::max(workArea.width() - outerSize.width(), 0) / 2 + workArea.left();
    const int top = std::max(workArea.height() - outerSize.height(), 0) / 2 + workArea.top();
    return {left, top};
}

void TFormMain::CentreOnWorkArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize outer = frameGeometry().size().expandedTo(sizeHint());
    move(CentredPosition(screen->availableGeometry(), outer));
}

QPoint TFormMain::SnappedPosition(const QRect& frame, const QRect& workArea, int distance)
{
    QPoint p = frame.topLeft();
    if (std::abs(frame.left() - workArea.left()) <= distance)
        p.setX(workArea.left());
    else if (std::abs(frame.right() - workArea.right()) <= distance)
        p.setX(workArea.right() - frame.width() + 1);
    if (std::abs(frame.top() - workArea.top()) <= distance)
        p.setY(workArea.top());
    else if (std::abs(frame.bottom() - workArea.bottom()) <= distance)
        p.setY(workArea.bottom() - frame.height() + 1);
    return p;
}

void TFormMain::moveEvent(QMoveEvent* e)
{
    QMainWindow::moveEvent(e);
    if (snapping_ || !isVisible())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint snapped = SnappedPosition(frameGeometry(), screen->availableGeometry(), 10);
    if (snapped != frameGeometry().topLeft()) {
        snapping_ = true;
        move(snapped);
        snapping_ = false;
    }
}

void TFormMain::Quit1Click()
{
    close();
}

void TFormMain::closeEvent(QCloseEvent* e)
{
    // File > Quit, the close box, the system menu and Alt+F4 all ask the same.
    bool close = false;
    Guarded([&] { close = AskToSaveChanges(); });
    if (close)
        e->accept();
    else
        e->ignore();
}

void TFormMain::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        dialogs_.error(QString::fromLocal8Bit(e.what()));
    }
}

QList<QWidget*> TFormMain::PropertyPanels() const
{
    return {PanelCommon, PanelGroup, PanelKonb, PanelPad, PanelKey};
}

void TFormMain::FrameSelectedLabel(bool outOfView)
{
    Panel2->hide();
    const QRect r = SelectedLabel->geometry();
    Panel2->setGeometry(outOfView ? -100 : r.left() - 1, r.top() - 1, r.width() + 2, r.height() + 2);
    Panel2->show();
}

void TFormMain::ControlListClick()
{
    const int index = ControlList->itemIndex();
    const ControlRef control = ControlAt(index);
    state_.SelectedKind = control.kind;

    QWidget* shown = nullptr;
    if (control.kind != ControlKind::Common || index == 0)
        shown = findChild<QWidget*>(QString::fromLatin1(PanelInfoOf(PanelOf(control.kind)).objectName));
    // The focus stays where the user put it. In a box of a panel that goes, it
    // moves to the first editor of the new panel, not along the focus chain.
    QWidget* left = PanelHolding(focusWidget());
    if (shown)
        shown->setVisible(true);
    if (left && left != shown)
        FirstEditorOf(shown)->setFocus(Qt::OtherFocusReason);
    for (QWidget* panel : PropertyPanels())
        if (panel != shown)
            panel->setVisible(false);

    if (index >= 1 && index <= OverlayLabelCount) {
        SelectedLabel->setOpaque(false);
        SelectedLabel = Labels[static_cast<std::size_t>(index - 1)];
        SelectedLabel->setOpaque(true);
    } else if (index == 0) {
        SelectedLabel->setOpaque(false);
    }
    // A fill that rewrites stored values (a number beyond its box's range) is a
    // change of its own, undone as one step.
    RecordStep(QStringLiteral("Select %1").arg(QString::fromStdString(ControlEntryName(index))),
               [&] { FillPanel(index); });

    // A box that the fill disabled (a paste, an undo) has passed the focus along the
    // focus chain: it goes to the panel's first editor instead.
    if (left && left == shown && !PanelHolding(focusWidget()))
        FirstEditorOf(shown)->setFocus(Qt::OtherFocusReason);

    FrameSelectedLabel(index == 0);
    RefreshOverview(SelDisp->itemIndex());
}

void TFormMain::Label31Click(OverlayLabel* sender)
{
    SelectedLabel->setOpaque(false);
    SelectedLabel = sender;
    SelectedLabel->setOpaque(true);
    FrameSelectedLabel(false);

    // The label's number from characters 6 and 7 of its name; 31 if they are no number.
    bool ok = false;
    int n = sender->objectName().mid(5, 2).toInt(&ok);
    if (!ok)
        n = FirstLabelNumber;
    ControlList->setItemIndex(n - (FirstLabelNumber - 1));
    ControlListClick();
}

void TFormMain::SceneButton1Click()
{
    // A box of a panel that the scene's "Common" hides finishes its edit (a number
    // beyond the range becomes the bound) for the control it belongs to, before the
    // scene changes; the focus then goes to the first editor of "Common".
    QWidget* left = PanelHolding(focusWidget());
    const bool leaves = left && left != PanelCommon;
    if (leaves)
        focusWidget()->clearFocus();
    for (int n = 1; n <= SceneCount; ++n)
        if (SceneButtons[static_cast<std::size_t>(n - 1)]->isChecked())
            state_.Bank.CurrentScene = n;
    ControlList->setItemIndex(0);
    ControlListClick();
    if (leaves)
        FirstEditorOf(PanelCommon)->setFocus(Qt::OtherFocusReason);
}

QWidget* TFormMain::PanelHolding(QWidget* w) const
{
    for (QWidget* panel : PropertyPanels())
        if (w && panel->isAncestorOf(w))
            return panel;
    return nullptr;
}

// The panel's first editor that takes the focus; the control list when there is none.
QWidget* TFormMain::FirstEditorOf(QWidget* panel) const
{
    if (panel)
        for (const PanelInfo& info : AllPanels())
            if (panel->objectName() == QLatin1String(info.objectName))
                for (const PropertyBinding& b : PanelBindings(info.panel))
                    if (QWidget* w = EditorWidget(b.editor); w->isEnabled())
                        return w;
    return ControlList;
}

void TFormMain::ShowOverview()
{
    RefreshOverview(SelDisp->itemIndex());
}

void TFormMain::SelDispChange()
{
    RefreshOverview(SelDisp->itemIndex());
}

void TFormMain::RefreshOverview(int mode)
{
    const OverviewTexts texts = ComputeOverview(state_.Bank, mode, state_.NoteNames);
    // A button takes "&" as the mark of a shortcut letter; doubled it shows as stored.
    for (std::size_t s = 0; s < SceneButtons.size(); ++s)
        SceneButtons[s]->setText(ShownText(texts.sceneButtons[s]).replace(QLatin1Char('&'), QStringLiteral("&&")));
    for (std::size_t i = 0; i < Labels.size(); ++i)
        if (texts.labels[i])
            Labels[i]->setCaption(ShownText(*texts.labels[i]));
    Panel2->update();
}

void TFormMain::About1Click()
{
    TFormAbout about(this);
    FormAbout = &about;
    about.exec();
    FormAbout = nullptr;
}

} // namespace korvo
