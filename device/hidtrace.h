#pragma once

#include <QByteArray>
#include <QString>

// Appends one line per backend call to the file named by SKELDA_HID_TRACE:
// "<ms since start, 3 decimals> <operation>[ <path or hex bytes>][ failed]".
namespace HidTrace {
// Opens the file now: a relative name then means the current folder, and times count from here.
void begin();
bool enabled();
// Overrides the environment; an empty name switches tracing off.
void setFile(const QString &fileName);
void record(const char *operation, const QByteArray &detail, bool failed);
QByteArray hexBytes(const uchar *data, int length);
} // namespace HidTrace
