#include "bridge/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {
Dialogs platformDialogs;
Dialogs *installed = nullptr;
} // namespace

QString Dialogs::openFileName(
    QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString Dialogs::saveFileName(
    QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
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
