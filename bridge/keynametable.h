#pragma once

#include <QString>
#include <QtGlobal>

// Process-wide map from the documents' key names ("A", "L Ctrl", "MS-L") to
// the code the device understands: USB keyboard usages, 0xF0..0xF4 for mouse buttons.
namespace KeyNameTable {
// Empties the table and fills it again; building twice gives the same table.
void build();
// Case-sensitive; 0 for a name that is not in the table.
quint8 code(const QString &name);
int size();
} // namespace KeyNameTable
