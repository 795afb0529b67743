#pragma once

#include <QString>

class QWindow;

// The file dialogs and message boxes the bridge shows. Tests install their
// own answers; the program uses the platform's standard dialogs.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Each returns the chosen path, or an empty string when cancelled.
    virtual QString openFileName(
        QWindow *parent, const QString &caption, const QString &folder, const QString &filter);
    // The platform dialog asks before an existing file is replaced.
    virtual QString saveFileName(
        QWindow *parent, const QString &caption, const QString &folder, const QString &filter);
    // A modal warning without parent with one OK button.
    virtual void warning(const QString &title, const QString &text);
    // A modal warning without parent with OK and Cancel, Cancel the default; true for OK.
    virtual bool confirm(const QString &title, const QString &text);

    static Dialogs &current();
    // Not owned; nullptr goes back to the platform dialogs.
    static void install(Dialogs *dialogs);
};
