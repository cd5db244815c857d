// The main window's fixed layout: every element at its pixel place, with its
// name, colours, font, items and tab order.
#include "app/ControllerPictureWidget.h"
#include "app/KorvoMain.h"
#include "app/OverlayLabelPlaces.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/InstantProgressBar.h"
#include "app/widgets/OverlayLabel.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"
#include "editor/ControlIndex.h"
#include "editor/ListItems.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>
#include <QUndoStack>
#include <cstring>
#include <span>
#include <stdexcept>

namespace korvo {

namespace {

const QColor WindowColour(0, 128, 192);
const QColor SelectedLabelColour(0, 128, 255);
const QColor Lime(0, 255, 0);
const QColor InactiveCaption(191, 205, 219);
constexpr int ClientWidth = 792;
constexpr int ClientHeight = 546;

QFont ArialPixels(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

template <class W>
W* Place(W* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
    return w;
}

QStringList Items(std::span<const std::string_view> items)
{
    QStringList list;
    for (auto item : items)
        list << QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size()));
    return list;
}

// A filled rectangle with a thin outline, optionally rounded.
class ShapeWidget : public QWidget {
public:
    ShapeWidget(QWidget* parent, QColor fill, int radius) : QWidget(parent), fill_(fill), radius_(radius)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, radius_ > 0);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(fill_);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (radius_ > 0)
            p.drawRoundedRect(r, radius_, radius_);
        else
            p.drawRect(r);
    }

private:
    QColor fill_;
    int radius_;
};

QLabel* Caption(QWidget* panel, const char* name, const char* text, int left, int top)
{
    auto* label = new QLabel(QString::fromLatin1(text), panel);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

const PropertyBinding& BindingNamed(const char* name)
{
    for (const PropertyBinding& b : AllBindings())
        if (std::strcmp(b.objectName, name) == 0)
            return b;
    throw std::logic_error(std::string("no property binding for ") + name);
}

DropDownList* List(QWidget* panel, const char* name, const QStringList& items, int left, int top)
{
    auto* list = Place(new DropDownList(panel), name, left, top, 145, 24);
    list->addItems(items);
    list->setItemIndex(-1);
    list->setMaxVisibleItems(17);
    return list;
}

// A property editor's list, with the items of its binding.
DropDownList* List(QWidget* panel, const char* name, int left, int top)
{
    return List(panel, name, Items(BindingNamed(name).items), left, top);
}

// A property editor's spin box, with the range of its binding.
SpinEdit* Spin(QWidget* panel, const char* name, int left, int top, int initial = 0)
{
    auto* spin = Place(new SpinEdit(panel), name, left, top, 145, 24);
    spin->setRange(BindingNamed(name).minimum, BindingNamed(name).maximum);
    spin->setValue(initial);
    return spin;
}

QWidget* Panel(QWidget* parent, const char* name, int height)
{
    auto* panel = Place(new QWidget(parent), name, 0, 0, 583, height);
    panel->hide();
    return panel;
}

} // namespace

void TFormMain::BuildLayout()
{
    setWindowTitle(QStringLiteral("Controller editor"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setFont(ArialPixels(14));
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, WindowColour);
    client->setPalette(pal);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Lowest first: the picture, the selection frame, the rounded rectangle, then
    // the captions and overlay labels; the windowed controls lie above them all.
    Image1 = Place(new ControllerPictureWidget(client), "Image1", 38, 26, 713, 306);

    Panel2 = Place(new QFrame(client), "Panel2", 7, 224, 50, 50);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(1);
    Panel2->setAttribute(Qt::WA_TransparentForMouseEvents);

    Shape1 = Place(new ShapeWidget(client, InactiveCaption, 12), "Shape1", 25, 333, 742, 209);

    Label2 = Place(new QLabel(QStringLiteral("CONTROL"), client), "Label2", 46, 334, 100, 23);
    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(20);
    times.setBold(true);
    Label2->setFont(times);

    // Overlay labels, Label31..Label75 in control-list order.
    const auto& places = OverlayLabelPlaces;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto& p = places[i];
        const QByteArray name = "Label" + QByteArray::number(FirstLabelNumber + static_cast<int>(i));
        auto* label = Place(new OverlayLabel(client), name.constData(), p.left, p.top, p.width, p.height);
        QPalette lp = label->palette();
        lp.setColor(QPalette::Window, SelectedLabelColour);
        lp.setColor(QPalette::WindowText, p.lime ? Lime : QColor(Qt::black));
        label->setPalette(lp);
        const auto kind = ControlAt(static_cast<int>(i) + 1).kind;
        label->setCaption(kind == ControlKind::Knob || kind == ControlKind::Slider ? QStringLiteral("Enable")
                                                                 : QStringLiteral("CC# 123"));
        connect(label, &OverlayLabel::clicked, this, [this, label] { Guarded([&] { Label31Click(label); }); });
    }

    // The control area.
    ControlList = Place(new ControlListBox(client), "ControlList", 25, 356, 145, 166);
    for (int i = 0; i < ControlEntryCount; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(ControlEntryName(i)), ControlList);
        item->setSizeHint(QSize(0, 16));
    }
    ControlList->setItemIndex(-1);
    connect(ControlList, &ControlListBox::clickedByUser, this, [this] { Guarded([this] { ControlListClick(); }); });

    // The display selector.
    StaticText1 = Place(new QLabel(QStringLiteral("Display Select"), client), "StaticText1", 517, 4, 96, 20);
    StaticText1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SelDisp = List(client, "SelDisp", Items(DisplayModeItems), 616, 1);
    SelDisp->setGeometry(616, 1, 137, 24);
    connect(SelDisp, &DropDownList::changedByUser, this, [this] { Guarded([this] { SelDispChange(); }); });

    // The scene button bar.
    Panel1 = Place(new QWidget(client), "Panel1", 43, 0, 361, 27);
    Panel1->setFont(ArialPixels(14));
    auto* sceneGroup = new QButtonGroup(this);
    sceneGroup->setExclusive(true);
    for (int n = 0; n < 4; ++n) {
        const QByteArray shapeName = "Shape" + QByteArray::number(n + 2);
        Place(new ShapeWidget(Panel1, Qt::white, 0), shapeName.constData(), n * 90, 0, 91, 27);
    }
    for (int n = 0; n < 4; ++n) {
        const QByteArray name = "SceneButton" + QByteArray::number(n + 1);
        auto* button = Place(new QToolButton(Panel1), name.constData(), 1 + n * 90, 1, 89, 25);
        button->setText(QStringLiteral("SCENE%1").arg(n + 1));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QToolButton { background: white; border: none; color: black; }"
                                             "QToolButton:checked { background: rgb(204, 228, 247);"
                                             " border: 1px inset rgb(0, 84, 153); }"
                                             "QToolButton:hover:!checked { background: rgb(229, 241, 251); }"));
        sceneGroup->addButton(button);
        connect(button, &QToolButton::clicked, this, [this] { Guarded([this] { SceneButton1Click(); }); });
        // Alt+1 to Alt+4 click the button; the button's own shortcut would follow its text.
        auto* key = new QAction(this);
        key->setObjectName(QStringLiteral("SceneKey%1").arg(n + 1));
        key->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + n)));
        key->setShortcutContext(Qt::WindowShortcut);
        connect(key, &QAction::triggered, button, &QToolButton::click);
        addAction(key);
    }
    Panel1->findChild<QToolButton*>(QStringLiteral("SceneButton1"))->setChecked(true);

    // The property panels; FormCreate stacks them beside the list.
    PanelCommon = Panel(client, "PanelCommon", 166);
    EditSceneName = Place(new Edit(PanelCommon), "EditSceneName", 136, 8, 145, 24);
    EditSceneName->setUpperCase(true);
    EditSceneName->setText(QStringLiteral("SCENE1"));
    Caption(PanelCommon, "Label22", "Scene Name", 51, 12);
    SelSceneMIDICh = List(PanelCommon, "SelSceneMIDICh", 136, 40);
    Caption(PanelCommon, "Label23", "Global MIDI Ch", 37, 44);
    SelPianoKeyCh = List(PanelCommon, "SelPianoKeyCh", 136, 72);
    Caption(PanelCommon, "Label24", "Piano Key CC# Ch", 13, 76);
    EditBendSpeed = Spin(PanelCommon, "EditBendSpeed", 136, 104, 1);
    Caption(PanelCommon, "Label25", "Pitch Bend Speed", 18, 108);
    EditKeyTrans = Spin(PanelCommon, "EditKeyTrans", 418, 8);
    Caption(PanelCommon, "Label30", "Key Transpose", 293, 12);
    SelKeyVelocityCurve = List(PanelCommon, "SelKeyVelocityCurve", 418, 40);
    Caption(PanelCommon, "Label26", "Key Velocity Curve", 293, 44);
    EditKeyConstVelocity = Spin(PanelCommon, "EditKeyConstVelocity", 418, 72);
    Caption(PanelCommon, "Label27", "Key Const Velocity", 293, 76);
    SelPadVelocityCurve = List(PanelCommon, "SelPadVelocityCurve", 418, 104);
    Caption(PanelCommon, "Label29", "Pad Velocity Curve", 293, 108);
    EditPadConstVelocity = Spin(PanelCommon, "EditPadConstVelocity", 418, 136);
    Caption(PanelCommon, "Label28", "Pad Const Velocity", 293, 140);

    PanelGroup = Panel(client, "PanelGroup", 166);
    SelMIDICh = List(PanelGroup, "SelMIDICh", 136, 8);
    Caption(PanelGroup, "Label21", "MIDI Channel", 40, 12);

    PanelKonb = Panel(client, "PanelKonb", 166);
    SelKonbEnable = List(PanelKonb, "SelKonbEnable", 136, 8);
    Caption(PanelKonb, "Label1", "Enable", 80, 12);
    EditKonbCCNumber = Spin(PanelKonb, "EditKonbCCNumber", 136, 40);
    Caption(PanelKonb, "Label3", "CC Number", 51, 44);
    EditKonbURValue = Spin(PanelKonb, "EditKonbURValue", 136, 72);
    Caption(PanelKonb, "Label4", "Upper/Right Value", 9, 76);
    EditKonbLLValue = Spin(PanelKonb, "EditKonbLLValue", 136, 104);
    Caption(PanelKonb, "Label5", "Lower/Left Value", 18, 108);

    PanelPad = Panel(client, "PanelPad", 166);
    SelPadAssignType = List(PanelPad, "SelPadAssignType", 136, 8);
    Caption(PanelPad, "Label10", "Assign Type", 46, 12);
    EditPadCCNumber = Place(new Edit(PanelPad), "EditPadCCNumber", 136, 40, 124, 24);
    EditPadCCNumber->setUpperCase(true);
    EditPadCCNumber->setCursor(Qt::SizeVerCursor);
    EditPadCCNumber->setText(QStringLiteral("0"));
    Caption(PanelPad, "Label11", "CC/Note Number", 18, 44);
    RxSpinButton1 = Place(new StepButton(PanelPad), "RxSpinButton1", 259, 41, 21, 23);
    RxSpinButton1->setFocusControl(EditPadCCNumber);
    EditPadONValue = Spin(PanelPad, "EditPadONValue", 136, 72);
    Caption(PanelPad, "Label12", "ON Value", 64, 76);
    EditPadOFFValue = Spin(PanelPad, "EditPadOFFValue", 136, 104);
    Caption(PanelPad, "Label13", "OFF Value", 55, 108);
    SelPadBehavior = List(PanelPad, "SelPadBehavior", 392, 40);
    Caption(PanelPad, "Label14", "Pad Behavior", 302, 44);
    SelPadMIDICh = List(PanelPad, "SelPadMIDICh", 392, 72);
    Caption(PanelPad, "Label15", "MIDI Channel", 302, 76);

    PanelKey = Panel(client, "PanelKey", 166);
    SelKeyAssignType = List(PanelKey, "SelKeyAssignType", 136, 8);
    Caption(PanelKey, "Label16", "Assign Type", 46, 12);
    EditKeyCCNumber = Spin(PanelKey, "EditKeyCCNumber", 136, 40);
    Caption(PanelKey, "Label17", "CC/Note Number", 18, 44);
    EditKeyONValue = Spin(PanelKey, "EditKeyONValue", 136, 72);
    Caption(PanelKey, "Label18", "ON Value", 64, 76);
    EditKeyOFFValue = Spin(PanelKey, "EditKeyOFFValue", 136, 104);
    Caption(PanelKey, "Label19", "OFF Value", 55, 108);
    SelKeyBehavior = List(PanelKey, "SelKeyBehavior", 392, 40);
    Caption(PanelKey, "Label20", "Key Behavior", 302, 44);

    ProgressBar1 = Place(new InstantProgressBar(client), "ProgressBar1", 46, 173, 697, 16);
    ProgressBar1->setFont(ArialPixels(14));
    ProgressBar1->hide();
    BuildTransferStatus(client);

    BuildMenu();
    BuildTabOrder();
    ConnectEditors();
}

void TFormMain::BuildMenu()
{
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                       void (TFormMain::*handler)()) {
        auto* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return action;
    };

    auto* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    New1 = item(file, "New1", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), &TFormMain::New1Click);
    Open1 = item(file, "Open1", QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &TFormMain::Open1Click);
    // Filled from the settings each time it opens: another editor may have added files.
    OpenRecent1 = file->addMenu(QStringLiteral("Open Recent"));
    OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
    OpenRecent1->setToolTipsVisible(true);
    connect(OpenRecent1, &QMenu::aboutToShow, this, [this] { FillOpenRecent(); });
    FillOpenRecent();
    Save1 = item(file, "Save1", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &TFormMain::Save1Click);
    Saveas1 = item(file, "Saveas1", QStringLiteral("Save as"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), &TFormMain::Saveas1Click);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    Quit1 = item(file, "Quit1", QStringLiteral("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &TFormMain::Quit1Click);

    auto* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    // The undo stack keeps the actions' texts ("Undo Paste") and enabled states.
    Undo1 = undoStack_->createUndoAction(edit);
    Undo1->setObjectName(QStringLiteral("Undo1"));
    Undo1->setShortcuts(QKeySequence::Undo);
    Redo1 = undoStack_->createRedoAction(edit);
    Redo1->setObjectName(QStringLiteral("Redo1"));
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* a : {Undo1, Redo1}) {
        a->setShortcutContext(Qt::WindowShortcut);
        edit->addAction(a);
    }
    edit->addSeparator();
    Copy1 = item(edit, "Copy1", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &TFormMain::Copy1Click);
    Peast1 = item(edit, "Peast1", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &TFormMain::Peast1Click);

    auto* comm = bar->addMenu(QStringLiteral("Communication"));
    comm->setObjectName(QStringLiteral("Comminucation1"));
    ReadSceneData1 =
        item(comm, "ReadSceneData1", QStringLiteral("Read Scene Data"), QKeySequence(Qt::CTRL | Qt::Key_L),
             &TFormMain::ReadSceneData1Click);
    SendSceneData1 =
        item(comm, "SendSceneData1", QStringLiteral("Send Scene Data"), QKeySequence(Qt::CTRL | Qt::Key_T),
             &TFormMain::SendSceneData1Click);
    BuildLinkMenu(comm);

    auto* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    About1 = item(help, "About1", QStringLiteral("About"), QKeySequence(Qt::CTRL | Qt::Key_H), &TFormMain::About1Click);
}

void TFormMain::BuildTabOrder()
{
    // The list, then the editors of each panel in the panel's own order, then the
    // display selector. Hidden panels are skipped; the static text and the scene
    // buttons take no focus.
    const QList<QWidget*> order = {
        ControlList,      EditSceneName,   SelSceneMIDICh,  SelPianoKeyCh,   EditBendSpeed,
        EditKeyTrans,     SelKeyVelocityCurve, EditKeyConstVelocity, SelPadVelocityCurve, EditPadConstVelocity,
        SelMIDICh,        SelKonbEnable,   EditKonbCCNumber, EditKonbURValue, EditKonbLLValue,
        SelPadAssignType, EditPadCCNumber, EditPadONValue,  EditPadOFFValue, SelPadBehavior,
        SelPadMIDICh,     SelKeyAssignType, EditKeyCCNumber, EditKeyONValue, EditKeyOFFValue,
        SelKeyBehavior,   SelDisp};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    StaticText1->setFocusPolicy(Qt::NoFocus);
}

} // namespace korvo
