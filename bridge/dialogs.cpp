#include "bridge/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWindow>

namespace {
Dialogs platformDialogs;
Dialogs *installed = nullptr;

// The dialog stays above the window that asked for it.
QString askFileName(QWindow *parent, QFileDialog::AcceptMode mode, const QString &caption,
    const QString &folder, const QString &filter)
{
    QFileDialog dialog(nullptr, caption, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.winId();
    if (parent && dialog.windowHandle())
        dialog.windowHandle()->setTransientParent(parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString Dialogs::openFileName(
    QWindow *parent, const QString &caption, const QString &folder, const QString &filter)
{
    return askFileName(parent, QFileDialog::AcceptOpen, caption, folder, filter);
}

QString Dialogs::saveFileName(
    QWindow *parent, const QString &caption, const QString &folder, const QString &filter)
{
    return askFileName(parent, QFileDialog::AcceptSave, caption, folder, filter);
}

void Dialogs::warning(const QString &title, const QString &text)
{
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}

bool Dialogs::confirm(const QString &title, const QString &text)
{
    return QMessageBox::warning(
               nullptr, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
        == QMessageBox::Ok;
}

Dialogs &Dialogs::current()
{
    return installed ? *installed : platformDialogs;
}

void Dialogs::install(Dialogs *dialogs)
{
    installed = dialogs;
}
