#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "app/cli.h"
#include "app/clinames.h"

class myQQuickView;
class Hid_Thread;

// Carries out one command through the bridge's slots, in the window's copy or in a
// copy without a window. Reads come from the settings files; every change goes through
// the same slot the documents call, so it is stored and sent the way the window does it.
class CliRunner
{
public:
    CliRunner(myQQuickView &bridge, Hid_Thread &link);

    // Told after a change which part of the profile the screen must read again:
    // "profile", "dpi", "rate", "light" or "buttons".
    void setChangeListener(std::function<void(const QString &)> listener)
    {
        changed = std::move(listener);
    }

    // Runs once before the first change reaches the bridge (not for refused commands).
    void setBeforeChange(std::function<void()> prepare) { beforeChange = std::move(prepare); }

    Cli::Outcome run(const Cli::Command &command);

    // The profile with number profile (from 0) as the window would show it.
    Cli::ProfileState readProfile(int profile) const;
    // The stored current profile number, from 0.
    int currentProfile() const;

private:
    struct ProfileRow
    {
        int number; // from 0
        QString name;
    };
    // The window's profile list, with the names it shows.
    QList<ProfileRow> profileRows() const;
    // The number (from 0) a command names, or -1 with the refusal in error.
    int resolveProfile(const Cli::Command &command, Cli::Outcome &error) const;

    bool mouseReady() const;
    // Runs change, waits until the mouse has had everything, and fails when a transfer did.
    Cli::Outcome change(
        const std::function<void()> &change, const QString &part, const Cli::Outcome &answer);

    Cli::Outcome list(const Cli::Command &command);
    Cli::Outcome show(const Cli::Command &command);
    Cli::Outcome profile(const Cli::Command &command);
    Cli::Outcome dpi(const Cli::Command &command);
    Cli::Outcome dpiEnable(const Cli::Command &command);
    Cli::Outcome rate(const Cli::Command &command);
    Cli::Outcome light(const Cli::Command &command);
    Cli::Outcome button(const Cli::Command &command);
    Cli::Outcome names(const Cli::Command &command);
    Cli::Outcome apply(const Cli::Command &command);
    Cli::Outcome exportProfile(const Cli::Command &command);
    Cli::Outcome importProfile(const Cli::Command &command);

    // The DPI slots as the page calls them after a change of its stages.
    void sendDpi(const Cli::ProfileState &state, const QVariantList &storedValues);
    // Everything the pages send when a profile is loaded.
    void sendProfile();

    // The names of the button actions, read once from the documents' tables.
    const ButtonNames *buttonNames() const;
    void nameButtons(Cli::ProfileState &state) const;
    QString gunName(int profile) const;
    QString macroInSlot(int profile, int slot) const;

    myQQuickView &bridge;
    Hid_Thread &link;
    mutable std::optional<ButtonNames> actionNames;
    mutable bool namesTried = false;
    std::function<void(const QString &)> changed;
    std::function<void()> beforeChange;
};
