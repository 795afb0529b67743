#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

#include "bridge/systempointer.h"

// The Linux desktops' pointer settings. Which one a session gets is decided once, at the
// first use, from what the session offers.
namespace LinuxPointer {

// The mouse as the input stack names it: USB vendor and product.
struct MouseIdentity
{
    quint16 vendor = 0;
    quint16 product = 0;
    bool operator==(const MouseIdentity &other) const
    {
        return vendor == other.vendor && product == other.product;
    }
};

enum class Backend { GSettings, Kde, X11, ProfileOnly };

struct Session
{
    // SKELDA_SYSTEM_POINTER: gsettings, kde, x11 or none overrides the choice.
    QString forced;
    QString currentDesktop; // XDG_CURRENT_DESKTOP
    bool kdeFullSession = false;
    bool wayland = false;
    bool x11Display = false; // an X display of the session's own that opens
    bool gnomeSchema = false; // the mouse peripheral schema is installed, if the choice asked

    static Session probe(const QProcessEnvironment &environment);
};

Backend choose(const Session &session);
QString describe(Backend backend, const Session &session);

// The mouse records of the device table.
QList<MouseIdentity> mouseIdentities();

bool gnomeSchemaInstalled();

// Each returns nullptr where it cannot run at all.
std::unique_ptr<SystemPointer> makeGSettings();
std::unique_ptr<SystemPointer> makeKde(const QList<MouseIdentity> &mice, bool wayland);
std::unique_ptr<SystemPointer> makeX11(const QList<MouseIdentity> &mice);
std::unique_ptr<SystemPointer> makeNone();

} // namespace LinuxPointer
