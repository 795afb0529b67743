// Start-up time and memory of the real program on the virtual mouse, next to a bare
// Qt Quick window of the same size measured in the same run, on a private X server.
//
// Time to first frame: from just before the process is started until its line
// "first frame <renderer>" arrives on standard output (SKELDA_REPORT_FIRST_FRAME asks
// for it). The program prints it after the first painted picture of the scene was
// flushed to the window, the floor on its first frameSwapped. Watching the window from
// outside would only tell when it is mapped, which happens before anything is drawn.
//
// Memory: VmRSS of the process a few seconds after start, and again after the window
// has been hidden in the tray for a while. The X server gets a minimal tray (a selection
// owner of _NET_SYSTEM_TRAY_S0), so the close button hides the window as on a desktop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <optional>

#include "privatexserver.h"
#include "programcopy.h"

// Last: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace {
struct Options
{
    // Another build's program, measured with the data tree beside it.
    QString program;
    int runs = 5;
    int settleSeconds = 5;
    int hiddenSeconds = 30;
};

struct Sample
{
    double firstFrameMs = 0;
    QString renderer;
    double residentMb = 0;
    double hiddenMb = 0;
};

struct Subject
{
    QString name;
    QString program;
    QProcessEnvironment environment;
    QString workingDir;
    QList<Sample> samples;
};

QTextStream out(stdout);

QString loadAverage()
{
    QFile file("/proc/loadavg");
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readAll()).section(' ', 0, 2);
}

// Resident memory in MB, 0 when the process is gone.
double residentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QStringList lines = QString::fromLatin1(status.readAll()).split('\n');
    for (const QString &line : lines)
        if (line.startsWith("VmRSS:"))
            return line.section(':', 1).trimmed().section(' ', 0, 0).toDouble() / 1024.0;
    return 0;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = int(values.size());
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Owns the tray selection of screen 0, which is all Qt looks for before it hides a
// window in the tray. Dock requests are not answered: the icon is never looked at.
class MinimalTray
{
public:
    bool start(const QString &display)
    {
        connection = XOpenDisplay(display.toLatin1().constData());
        if (!connection)
            return false;
        const Window root = DefaultRootWindow(connection);
        owner = XCreateSimpleWindow(connection, root, 0, 0, 1, 1, 0, 0, 0);
        const Atom selection = XInternAtom(connection, "_NET_SYSTEM_TRAY_S0", False);
        XSetSelectionOwner(connection, selection, owner, CurrentTime);
        XEvent manager = {};
        manager.xclient.type = ClientMessage;
        manager.xclient.window = root;
        manager.xclient.message_type = XInternAtom(connection, "MANAGER", False);
        manager.xclient.format = 32;
        manager.xclient.data.l[0] = CurrentTime;
        manager.xclient.data.l[1] = long(selection);
        manager.xclient.data.l[2] = long(owner);
        XSendEvent(connection, root, False, StructureNotifyMask, &manager);
        XSync(connection, False);
        return XGetSelectionOwner(connection, selection) == owner;
    }
    ~MinimalTray()
    {
        if (connection)
            XCloseDisplay(connection);
    }

private:
    Display *connection = nullptr;
    Window owner = 0;
};

class Bench
{
public:
    Bench(const PrivateXServer &x, const Options &options)
        : x(x)
        , options(options)
    {
    }

    std::optional<Sample> runOnce(const Subject &subject)
    {
        QProcess process;
        process.setProcessEnvironment(subject.environment);
        process.setWorkingDirectory(subject.workingDir);
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(subject.program, {});
        if (!process.waitForStarted(10000))
            return fail(subject, "did not start");
        Sample sample;
        QByteArray output;
        while (!output.contains('\n') && clock.elapsed() < 60000) {
            if (process.waitForReadyRead(100))
                output += process.readAllStandardOutput();
            else if (process.state() != QProcess::Running)
                break;
        }
        sample.firstFrameMs = double(clock.nsecsElapsed()) / 1e6;
        const QString line = QString::fromLatin1(output).section('\n', 0, 0);
        if (!line.startsWith("first frame "))
            return stop(process, subject, "printed no first frame");
        sample.renderer = line.section(' ', 2);

        const QString window = mainWindowOf(process.processId());
        if (window.isEmpty())
            return stop(process, subject, "shows no window of 1000x640");
        waitUntil(clock, options.settleSeconds * 1000);
        sample.residentMb = residentMb(process.processId());

        // The close button; the program locks its screen for a moment after start.
        QElapsedTimer hiding;
        hiding.start();
        while (isViewable(window) && hiding.elapsed() < 20000) {
            x.xdotool({"mousemove", "--window", window, "985", "15", "click", "1"});
            QDeadlineTimer gone(2000);
            while (isViewable(window) && !gone.hasExpired())
                QTest::qWait(50);
        }
        if (isViewable(window))
            return stop(process, subject, "did not hide its window");
        QElapsedTimer hidden;
        hidden.start();
        waitUntil(hidden, options.hiddenSeconds * 1000);
        if (process.state() != QProcess::Running)
            return fail(subject, "ended while hidden");
        sample.hiddenMb = residentMb(process.processId());
        stop(process, subject, nullptr);
        return sample;
    }

private:
    std::optional<Sample> fail(const Subject &subject, const char *what)
    {
        out << subject.name << ": " << what << "\n";
        out.flush();
        return std::nullopt;
    }

    std::optional<Sample> stop(QProcess &process, const Subject &subject, const char *what)
    {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished();
        }
        return what ? fail(subject, what) : std::nullopt;
    }

    static void waitUntil(const QElapsedTimer &clock, qint64 ms)
    {
        while (clock.elapsed() < ms)
            QTest::qWait(int(std::min<qint64>(100, ms - clock.elapsed())));
    }

    QString mainWindowOf(qint64 pid) const
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            const QStringList ids
                = x.xdotool({"search", "--onlyvisible", "--pid", QString::number(pid)})
                      .split('\n', Qt::SkipEmptyParts);
            for (const QString &id : ids)
                if (x.xdotool({"getwindowgeometry", id}).contains("Geometry: 1000x640"))
                    return id;
            QTest::qWait(100);
        }
        return {};
    }

    bool isViewable(const QString &window) const
    {
        QProcess info;
        info.setProcessEnvironment(x.environment());
        info.start("xwininfo", {"-id", window});
        info.waitForFinished(10000);
        return info.readAllStandardOutput().contains("IsViewable");
    }

    const PrivateXServer &x;
    const Options &options;
};

Options parse(const QStringList &arguments)
{
    Options options;
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == "--program")
            options.program = arguments.at(i + 1);
        const int value = arguments.at(i + 1).toInt();
        if (value <= 0)
            continue;
        if (arguments.at(i) == "--runs")
            options.runs = value;
        else if (arguments.at(i) == "--settle")
            options.settleSeconds = value;
        else if (arguments.at(i) == "--hidden")
            options.hiddenSeconds = value;
    }
    return options;
}

QString figure(double value, int precision)
{
    return QString::number(value, 'f', precision);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options options = parse(app.arguments());
    QTemporaryDir scratch;
    PrivateXServer x;
    const QString xError = x.start();
    if (!scratch.isValid() || !xError.isEmpty()) {
        out << "no private X server: " << xError << "\n";
        return 1;
    }
    MinimalTray tray;
    if (!tray.start(x.display())) {
        out << "cannot own the tray selection on " << x.display() << "\n";
        return 1;
    }
    QString copyError = copyProgramTo(scratch.filePath("app"));
    if (copyError.isEmpty() && !options.program.isEmpty()) {
        QFile::remove(scratch.filePath("app/skelda"));
        if (!QFile::copy(options.program, scratch.filePath("app/skelda")))
            copyError = "cannot copy " + options.program;
    }
    if (!copyError.isEmpty()) {
        out << copyError << "\n";
        return 1;
    }

    // The renderer is the programs' own choice unless the caller named one.
    QProcessEnvironment environment = x.environment();
    const QProcessEnvironment caller = QProcessEnvironment::systemEnvironment();
    if (caller.contains("QT_QUICK_BACKEND"))
        environment.insert("QT_QUICK_BACKEND", caller.value("QT_QUICK_BACKEND"));
    else
        environment.remove("QT_QUICK_BACKEND");
    environment.insert("SKELDA_REPORT_FIRST_FRAME", "1");
    environment.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    environment.insert("SKELDA_SYSTEM_POINTER", "none");
    environment.remove("SKELDA_HID_TRACE");

    Subject program {"program", scratch.filePath("app/skelda"), environment, scratch.path(), {}};
    Subject floor {"floor", SKELDA_FLOOR_PROGRAM, environment, scratch.path(), {}};

    out << "load average at start: " << loadAverage() << "\n";
    out << options.runs << " runs; memory " << options.settleSeconds << " s after start and after "
        << options.hiddenSeconds << " s hidden in the tray\n";
    out.flush();
    Bench bench(x, options);
    for (int run = 1; run <= options.runs; ++run) {
        // Alternating the order spreads changes in the machine's load over both.
        QList<Subject *> order {&program, &floor};
        if (run % 2 == 0)
            std::reverse(order.begin(), order.end());
        for (Subject *subject : order) {
            const std::optional<Sample> sample = bench.runOnce(*subject);
            if (!sample)
                return 1;
            subject->samples << *sample;
            out << QStringLiteral("run %1 %2: first frame %3 ms (%4), %5 MB after %6 s, %7 MB "
                                  "hidden; load %8\n")
                       .arg(run)
                       .arg(subject->name, -7)
                       .arg(figure(sample->firstFrameMs, 1))
                       .arg(sample->renderer)
                       .arg(figure(sample->residentMb, 1))
                       .arg(options.settleSeconds)
                       .arg(figure(sample->hiddenMb, 1))
                       .arg(loadAverage());
            out.flush();
        }
    }

    auto medianOf = [](const Subject &subject, double Sample::*field) {
        QList<double> values;
        for (const Sample &sample : subject.samples)
            values << sample.*field;
        return median(values);
    };
    const double frame = medianOf(program, &Sample::firstFrameMs);
    const double frameFloor = medianOf(floor, &Sample::firstFrameMs);
    const double resident = medianOf(program, &Sample::residentMb);
    const double residentFloor = medianOf(floor, &Sample::residentMb);
    const double hidden = medianOf(program, &Sample::hiddenMb);
    const double hiddenFloor = medianOf(floor, &Sample::hiddenMb);

    out << "\n"
        << QStringLiteral("%1 %2 %3 %4\n")
               .arg("median", -28)
               .arg("program", 10)
               .arg("floor", 10)
               .arg("ratio", 8);
    auto row = [&](const QString &name, double value, double floorValue, int precision) {
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(name, -28)
                   .arg(figure(value, precision), 10)
                   .arg(figure(floorValue, precision), 10)
                   .arg(figure(floorValue > 0 ? value / floorValue : 0, 2), 8);
    };
    row("first frame (ms)", frame, frameFloor, 1);
    row(QStringLiteral("resident after %1 s (MB)").arg(options.settleSeconds), resident,
        residentFloor, 1);
    row(QStringLiteral("resident hidden %1 s (MB)").arg(options.hiddenSeconds), hidden, hiddenFloor,
        1);
    out << "\n";
    auto check = [&](const QString &what, bool met) {
        out << (met ? "met:     " : "not met: ") << what << "\n";
    };
    check(QStringLiteral("resident after start %1 MB <= 60 MB").arg(figure(resident, 1)),
        resident <= 60);
    check(QStringLiteral("resident after start %1 x floor <= 1.25 x")
              .arg(figure(resident / residentFloor, 2)),
        resident <= 1.25 * residentFloor);
    check(QStringLiteral("first frame %1 x floor <= 1.5 x").arg(figure(frame / frameFloor, 2)),
        frame <= 1.5 * frameFloor);
    check(QStringLiteral("hidden %1 MB <= shown %2 MB").arg(figure(hidden, 1), figure(resident, 1)),
        hidden <= resident);
    out << "load average at end: " << loadAverage() << "\n";
    return 0;
}
