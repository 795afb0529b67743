#include "device/hidtrace.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {
struct TraceState
{
    TraceState()
    {
        clock.start();
        const QString name = qEnvironmentVariable("SKELDA_HID_TRACE");
        if (!name.isEmpty())
            open(name);
    }
    void open(const QString &name)
    {
        file.close();
        if (name.isEmpty())
            return;
        file.setFileName(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            qWarning("HID trace file %s cannot be opened", qPrintable(name));
    }
    QMutex mutex;
    QElapsedTimer clock;
    QFile file;
};

TraceState &state()
{
    static TraceState traceState;
    return traceState;
}
} // namespace

namespace HidTrace {

void begin()
{
    state();
}

bool enabled()
{
    TraceState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.file.isOpen();
}

void setFile(const QString &fileName)
{
    TraceState &s = state();
    QMutexLocker lock(&s.mutex);
    s.open(fileName);
}

void record(const char *operation, const QByteArray &detail, bool failed)
{
    TraceState &s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.file.isOpen())
        return;
    QByteArray line = QByteArray::number(double(s.clock.nsecsElapsed()) / 1e6, 'f', 3);
    line += ' ';
    line += operation;
    if (!detail.isEmpty())
        line += ' ' + detail;
    if (failed)
        line += " failed";
    line += '\n';
    s.file.write(line);
    s.file.flush();
}

QByteArray hexBytes(const uchar *data, int length)
{
    if (!data || length <= 0)
        return {};
    return QByteArray(reinterpret_cast<const char *>(data), length).toHex(' ');
}

} // namespace HidTrace
