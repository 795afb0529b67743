#include "bridge/xinputpointer_linux.h"

#include <QByteArray>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>

#include "bridge/pointermappings.h"

namespace XInputPointer {

namespace {

constexpr int acceleratedNumerator = 2;
constexpr int acceleratedDenominator = 1;

// The default Xlib handler would end the process on a refused request.
bool requestRefused = false;
int noteRefusal(Display *, XErrorEvent *)
{
    requestRefused = true;
    return 0;
}

// One display connection for one call, with refusals noted instead of fatal.
class Connection
{
public:
    Connection()
        : display(XOpenDisplay(nullptr))
    {
        if (!display)
            return;
        requestRefused = false;
        previous = XSetErrorHandler(noteRefusal);
        int event = 0;
        int error = 0;
        int major = 2;
        int minor = 0;
        hasXInput2 = XQueryExtension(display, "XInputExtension", &opcode, &event, &error)
            && XIQueryVersion(display, &major, &minor) == Success;
    }
    ~Connection()
    {
        if (!display)
            return;
        XSync(display, False);
        XSetErrorHandler(previous);
        XCloseDisplay(display);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // True when every request so far was taken.
    bool accepted()
    {
        XSync(display, False);
        return !requestRefused;
    }

    Atom atom(const char *name) { return XInternAtom(display, name, False); }

    // The property's raw items, empty when the device lacks it or it has another form.
    QByteArray property(int device, Atom property, Atom type, int format)
    {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        QByteArray bytes;
        if (XIGetProperty(display, device, property, 0, 64, False, type, &actualType, &actualFormat,
                &items, &after, &data)
                == Success
            && actualType == type && actualFormat == format && data)
            bytes = QByteArray(reinterpret_cast<const char *>(data), int(items * (format / 8)));
        if (data)
            XFree(data);
        return bytes;
    }

    // Slave pointers of the mice that libinput drives.
    QList<int> mouseDevices(const QList<LinuxPointer::MouseIdentity> &mice)
    {
        QList<int> found;
        if (!hasXInput2)
            return found;
        const Atom productId = atom("Device Product ID");
        const Atom speed = atom("libinput Accel Speed");
        int count = 0;
        XIDeviceInfo *devices = XIQueryDevice(display, XIAllDevices, &count);
        for (int n = 0; n < count; ++n) {
            if (devices[n].use != XISlavePointer)
                continue;
            const QByteArray ids = property(devices[n].deviceid, productId, XA_INTEGER, 32);
            if (ids.size() != 8)
                continue;
            quint32 pair[2] = {};
            std::memcpy(pair, ids.constData(), sizeof pair);
            const LinuxPointer::MouseIdentity identity {quint16(pair[0]), quint16(pair[1])};
            if (pair[0] <= 0xFFFF && pair[1] <= 0xFFFF && mice.contains(identity)
                && !property(devices[n].deviceid, speed, atom("FLOAT"), 32).isEmpty())
                found.append(devices[n].deviceid);
        }
        if (devices)
            XIFreeDeviceInfo(devices);
        return found;
    }

    Display *display = nullptr;
    bool hasXInput2 = false;

private:
    XErrorHandler previous = nullptr;
    int opcode = 0;
};

} // namespace

Result setSpeed(const QList<LinuxPointer::MouseIdentity> &mice, double speed)
{
    Connection x;
    if (!x.display)
        return Result::Failed;
    const QList<int> devices = x.mouseDevices(mice);
    if (devices.isEmpty())
        return Result::NoDevice;
    float value = float(speed);
    for (int device : devices) {
        XIChangeProperty(x.display, device, x.atom("libinput Accel Speed"), x.atom("FLOAT"), 32,
            PropModeReplace, reinterpret_cast<unsigned char *>(&value), 1);
    }
    return x.accepted() ? Result::Done : Result::Failed;
}

Result setAccelerated(const QList<LinuxPointer::MouseIdentity> &mice, bool accelerate)
{
    Connection x;
    if (!x.display)
        return Result::Failed;
    const QList<int> devices = x.mouseDevices(mice);
    if (devices.isEmpty())
        return Result::NoDevice;
    const Atom enabled = x.atom("libinput Accel Profile Enabled");
    const Atom available = x.atom("libinput Accel Profiles Available");
    const std::array<quint8, 2> wanted = PointerMappings::XInput::accelProfile(accelerate);
    for (int device : devices) {
        QByteArray profile = x.property(device, enabled, XA_INTEGER, 8);
        const QByteArray offered = x.property(device, available, XA_INTEGER, 8);
        const int chosen = accelerate ? 0 : 1;
        if (profile.size() < 2 || (offered.size() > chosen && offered.at(chosen) == 0))
            return Result::Failed;
        // Exactly one profile may be on; any further ones (custom) go off.
        profile.fill(0);
        profile[0] = char(wanted[0]);
        profile[1] = char(wanted[1]);
        XIChangeProperty(x.display, device, enabled, XA_INTEGER, 8, PropModeReplace,
            reinterpret_cast<unsigned char *>(profile.data()), int(profile.size()));
    }
    return x.accepted() ? Result::Done : Result::Failed;
}

Result readAccelerated(const QList<LinuxPointer::MouseIdentity> &mice, bool &accelerate)
{
    Connection x;
    if (!x.display)
        return Result::Failed;
    const QList<int> devices = x.mouseDevices(mice);
    if (devices.isEmpty())
        return Result::NoDevice;
    const QByteArray profile
        = x.property(devices.first(), x.atom("libinput Accel Profile Enabled"), XA_INTEGER, 8);
    if (profile.size() < 2)
        return Result::Failed;
    accelerate = PointerMappings::XInput::accelerates(quint8(profile.at(0)), quint8(profile.at(1)));
    return Result::Done;
}

bool getCoreMouse(SystemPointer::MouseArray &values)
{
    Connection x;
    if (!x.display)
        return false;
    int numerator = 1;
    int denominator = 1;
    int threshold = 0;
    XGetPointerControl(x.display, &numerator, &denominator, &threshold);
    values = {threshold, threshold, numerator > denominator ? 1 : 0};
    return x.accepted();
}

bool setCoreMouse(const SystemPointer::MouseArray &values)
{
    Connection x;
    if (!x.display)
        return false;
    const bool accelerate = values[2] != 0;
    const bool setThreshold = values[0] > 0;
    XChangePointerControl(x.display, True, setThreshold, accelerate ? acceleratedNumerator : 1,
        accelerate ? acceleratedDenominator : 1, setThreshold ? values[0] : -1);
    return x.accepted();
}

} // namespace XInputPointer
