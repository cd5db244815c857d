#include "app/QtDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace korvo {

namespace {

const QString SceneFileFilter = QStringLiteral("*.kvo Korvo File (*.kvo)");

QFileDialog::Options SceneDialogOptions()
{
    return QFileDialog::DontUseNativeDialog;
}

} // namespace

QString ApplicationTitle()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

DialogAnswer QtDialogs::ask(DialogIcon icon, const QString& text, DialogButtons buttons)
{
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton escape = QMessageBox::Cancel;
    switch (buttons) {
    case DialogButtons::YesNoCancel:
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case DialogButtons::YesNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case DialogButtons::OkCancel:
        shown = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case DialogButtons::Ok:
        shown = QMessageBox::Ok;
        escape = QMessageBox::Ok;
        break;
    }
    const bool warning = icon == DialogIcon::Warning;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Question,
                    warning ? QStringLiteral("Warning") : QStringLiteral("Confirm"), text, shown, parent_);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Ok:
        return DialogAnswer::Ok;
    default:
        return buttons == DialogButtons::YesNo ? DialogAnswer::No : DialogAnswer::Cancel;
    }
}

void QtDialogs::inform(const QString& text)
{
    QMessageBox::information(parent_, QStringLiteral("Information"), text);
}

void QtDialogs::warn(const QString& text)
{
    QMessageBox::warning(parent_, QStringLiteral("Warning"), text);
}

void QtDialogs::error(const QString& text)
{
    QMessageBox::critical(parent_, ApplicationTitle(), text);
}

std::optional<QString> QtDialogs::openFile(const QString& folder)
{
    QFileDialog dialog(parent_, QString(), folder);
    dialog.setOptions(SceneDialogOptions());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist is reported on opening
    dialog.setNameFilter(SceneFileFilter);
    dialog.setDefaultSuffix(QStringLiteral("kvo"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogs::saveFile(const QString& folder, const QString& presetName)
{
    QFileDialog dialog(parent_, QString(), folder);
    dialog.setOptions(SceneDialogOptions()); // asks before replacing a file
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(SceneFileFilter);
    dialog.setDefaultSuffix(QStringLiteral("kvo"));
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace korvo
