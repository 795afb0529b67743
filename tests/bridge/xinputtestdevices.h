#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <cstring>

// Pointer devices of a private X server dressed as libinput would dress them: each new
// master brings an XTEST slave pointer, which gets the product id and libinput's
// acceleration properties. Reads and writes them the way xinput does.
class XInputTestDevices
{
public:
    explicit XInputTestDevices(const QString &display)
        : x(XOpenDisplay(display.toLocal8Bit().constData()))
    {
    }
    ~XInputTestDevices()
    {
        if (x)
            XCloseDisplay(x);
    }
    XInputTestDevices(const XInputTestDevices &) = delete;
    XInputTestDevices &operator=(const XInputTestDevices &) = delete;

    bool isOpen() const { return x != nullptr; }

    // The id of the new slave pointer, -1 when the server refused.
    int addPointer(const QString &name)
    {
        QByteArray master = name.toUtf8();
        XIAddMasterInfo add {};
        add.type = XIAddMaster;
        add.name = master.data();
        add.send_core = True;
        add.enable = True;
        XIChangeHierarchy(x, reinterpret_cast<XIAnyHierarchyChangeInfo *>(&add), 1);
        XSync(x, False);
        return deviceNamed(name + " XTEST pointer");
    }

    void dressAsLibinput(int device, quint32 vendor, quint32 product)
    {
        setProperty32(device, "Device Product ID", XA_INTEGER, {vendor, product});
        setSpeed(device, 0.0f);
        setBytes(device, "libinput Accel Profiles Available", QByteArray::fromHex("010100"));
        setBytes(device, "libinput Accel Profile Enabled", QByteArray::fromHex("010000"));
        XSync(x, False);
    }

    void removeProperty(int device, const char *name)
    {
        XIDeleteProperty(x, device, atom(name));
        XSync(x, False);
    }

    void setSpeed(int device, float speed)
    {
        quint32 raw = 0;
        std::memcpy(&raw, &speed, sizeof raw);
        setProperty32(device, "libinput Accel Speed", atom("FLOAT"), {raw});
    }

    float speed(int device)
    {
        const QByteArray raw = property(device, "libinput Accel Speed", atom("FLOAT"), 32);
        float value = -99.0f;
        if (raw.size() == 4)
            std::memcpy(&value, raw.constData(), sizeof value);
        return value;
    }

    QByteArray profile(int device)
    {
        return property(device, "libinput Accel Profile Enabled", XA_INTEGER, 8);
    }

    // Numerator, denominator and threshold of the core pointer.
    std::array<int, 3> corePointer()
    {
        std::array<int, 3> control {};
        XGetPointerControl(x, &control[0], &control[1], &control[2]);
        return control;
    }

    void setCorePointer(int numerator, int denominator, int threshold)
    {
        XChangePointerControl(x, True, True, numerator, denominator, threshold);
        XSync(x, False);
    }

private:
    Atom atom(const char *name) { return XInternAtom(x, name, False); }

    int deviceNamed(const QString &name)
    {
        int count = 0;
        int found = -1;
        XIDeviceInfo *devices = XIQueryDevice(x, XIAllDevices, &count);
        for (int n = 0; n < count; ++n) {
            if (devices[n].use == XISlavePointer && name == QString::fromUtf8(devices[n].name))
                found = devices[n].deviceid;
        }
        XIFreeDeviceInfo(devices);
        return found;
    }

    void setProperty32(int device, const char *name, Atom type, QList<quint32> values)
    {
        XIChangeProperty(x, device, atom(name), type, 32, PropModeReplace,
            reinterpret_cast<unsigned char *>(values.data()), int(values.size()));
    }

    void setBytes(int device, const char *name, QByteArray values)
    {
        XIChangeProperty(x, device, atom(name), XA_INTEGER, 8, PropModeReplace,
            reinterpret_cast<unsigned char *>(values.data()), int(values.size()));
    }

    QByteArray property(int device, const char *name, Atom type, int format)
    {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        QByteArray bytes;
        if (XIGetProperty(x, device, atom(name), 0, 16, False, type, &actualType, &actualFormat,
                &items, &after, &data)
                == Success
            && data && actualFormat == format)
            bytes = QByteArray(reinterpret_cast<const char *>(data), int(items * (format / 8)));
        if (data)
            XFree(data);
        return bytes;
    }

    Display *x = nullptr;
};

// Xlib's macros would rename Qt's enum values in the code that follows (moc's output).
#undef Bool
#undef None
#undef Status
#undef Success
