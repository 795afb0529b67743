#include "bridge/keynametable.h"

#include <QMap>

namespace KeyNameTable {

static QMap<QString, quint8> &table()
{
    static QMap<QString, quint8> names;
    return names;
}

static void addRun(
    QMap<QString, quint8> &names, const QString &prefix, int first, int last, quint8 firstCode)
{
    for (int i = first; i <= last; ++i)
        names.insert(prefix + QString::number(i), quint8(firstCode + (i - first)));
}

void build()
{
    QMap<QString, quint8> &names = table();
    names.clear();
    for (int i = 0; i < 26; ++i)
        names.insert(QString(QChar('A' + i)), quint8(0x04 + i));
    addRun(names, QString(), 1, 9, 0x1E);
    names.insert("0", 0x27);

    const struct
    {
        const char *name;
        quint8 code;
    } fixed[] = {
        {"Enter", 0x28},
        {"Esc", 0x29},
        {"Back", 0x2A},
        {"Tab", 0x2B},
        {"Space", 0x2C},
        {"- _", 0x2D},
        {"= +", 0x2E},
        {"[ {", 0x2F},
        {"] }", 0x30},
        {"\\ |", 0x31},
        {"; :", 0x33},
        {"' \"", 0x34},
        {"` ~", 0x35},
        {", <", 0x36},
        {". >", 0x37},
        {"/ ?", 0x38},
        {"Caps", 0x39},
        {"Prt", 0x46},
        {"Scr", 0x47},
        {"Pau", 0x48},
        {"Ins", 0x49},
        {"Hom", 0x4A},
        {"PgU", 0x4B},
        {"Del", 0x4C},
        {"End", 0x4D},
        {"PgD", 0x4E},
        {"\u25BA", 0x4F},
        {"\u25C4", 0x50},
        {"\u25BC", 0x51},
        {"\u25B2", 0x52},
        {"Num", 0x53},
        {"KP /", 0x54},
        {"KP *", 0x55},
        {"KP -", 0x56},
        {"KP +", 0x57},
        {"KP Enter", 0x58},
        {"KP 0", 0x62},
        {"KP .", 0x63},
        {"Eur 2", 0x64},
        {"App", 0x65},
        {"Power", 0x66},
        {"KP =", 0x67},
        {"Keypad", 0x85},
        {"Int'l 1", 0x87},
        {"Intl'2", 0x88},
        {"Int'l 2", 0x89},
        {"Int'l 4", 0x8A},
        {"Int'l 5", 0x8B},
        {"Lang 1", 0x90},
        {"Lang 2", 0x91},
        {"L Ctrl", 0xE0},
        {"L Shift", 0xE1},
        {"L Alt", 0xE2},
        {"L Win", 0xE3},
        {"R Ctrl", 0xE4},
        {"R Shift", 0xE5},
        {"R Alt", 0xE6},
        {"R Win", 0xE7},
        {"MS-L", 0xF0},
        {"MS-R", 0xF1},
        {"MS-M", 0xF2},
        {"MS-B4", 0xF3},
        {"MS-B5", 0xF4},
    };
    for (const auto &entry : fixed)
        names.insert(QString::fromUtf8(entry.name), entry.code);
    addRun(names, "F", 1, 12, 0x3A);
    addRun(names, "KP ", 1, 9, 0x59);
    addRun(names, "F", 13, 24, 0x68);
}

quint8 code(const QString &name)
{
    return table().value(name, 0);
}

int size()
{
    return table().size();
}

} // namespace KeyNameTable
