#include <QtTest>

#include <QQuickItem>

#include "app/inputhookcallbacks.h"
#include "app/inputhookmanager.h"
#include "app/inputhooktranslate.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "hookrecorder.h"
#include "support/workfolder.h"

namespace {
struct KeyMessage
{
    int nCode;
    quint32 message;
    quint32 scanCode;
    quint32 flags;
};
using KeyMessages = QList<KeyMessage>;

struct MouseMessage
{
    quint32 message;
    int x;
    int y;
};
using MouseMessages = QList<MouseMessage>;

constexpr int hc = InputHookManager::HcAction;
constexpr quint32 down = InputHookManager::WmKeyDown;
constexpr quint32 up = InputHookManager::WmKeyUp;
constexpr quint32 sysDown = InputHookManager::WmSysKeyDown;
constexpr quint32 sysUp = InputHookManager::WmSysKeyUp;
constexpr quint32 ext = InputHookManager::LlkhfExtended;
constexpr quint32 altDown = InputHookManager::LlkhfAltDown;

using hookrecorder::lastContext;
using hookrecorder::recordKey;
using hookrecorder::recordMouse;
using hookrecorder::reports;

QStringList copyDataSeen;
void recordCopyData(const CopyDataBlock *data, void *context)
{
    lastContext = context;
    copyDataSeen << (data ? QString::number(data->dwData, 16) : QStringLiteral("null"));
}

QStringList warnings;
void recordWarning(const QString &caption, const QString &text)
{
    warnings << caption + '|' + text;
}

QString pressAndRelease(quint32 scanCode, quint32 flags)
{
    reports.clear();
    InputHookManager::clearKeyStates();
    InputHookManager::handleKeyboard(hc, down, scanCode, flags);
    InputHookManager::handleKeyboard(hc, up, scanCode, flags);
    return reports.join(' ');
}
} // namespace

Q_DECLARE_METATYPE(KeyMessages)
Q_DECLARE_METATYPE(MouseMessages)

class TestInputHooks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void tableSizes();
    void scanTable_data();
    void scanTable();
    void usageTable_data();
    void usageTable();
    void layoutFlag();

    void keyboardProcedure_data();
    void keyboardProcedure();
    void keyStateFollowsReports();
    void keyboardWithoutCallback();
    void registrationReplacesEarlierPair();

    void mouseProcedure_data();
    void mouseProcedure();

    void copyDataMessage();
    void noticeText_data();
    void noticeText();
    void noticeReadsOnlyTheSentBlock();
    void noticeShownWithCaption();

    void evdevMatchesWindowsPath_data();
    void evdevMatchesWindowsPath();
    void evdevKeysWithoutScanCode();
    void xButtons_data();
    void xButtons();
    void wireEvent_data();
    void wireEvent();
    void wireEventTooShort();

    void callbacksReachDocumentAndHotKey();

private:
    InputHookManager *manager = nullptr;
};

void TestInputHooks::initTestCase()
{
    manager = new InputHookManager(false);
    InputHookManager::setWarningPresenter(recordWarning);
}

void TestInputHooks::init()
{
    reports.clear();
    copyDataSeen.clear();
    warnings.clear();
    lastContext = nullptr;
    InputHookManager::clearKeyStates();
    InputHookManager::registerKeyboardCallback(recordKey, this);
    InputHookManager::registerMouseCallback(recordMouse, this);
}

void TestInputHooks::cleanupTestCase()
{
    delete manager;
    QCOMPARE(InputHookManager::instance(), nullptr);
    QVERIFY(!InputHookManager::isInstalled());
}

void TestInputHooks::tableSizes()
{
    QCOMPARE(InputHookManager::instance(), manager);
    QCOMPARE(InputHookManager::scanTableSize(), 105);
    QCOMPARE(InputHookManager::usageTableSize(), 121);
}

void TestInputHooks::scanTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("virtualKey");
    QTest::newRow("Esc") << 0x0100 << 0x1B;
    QTest::newRow("0") << 0x0B00 << 0x30;
    QTest::newRow("Enter") << 0x1C00 << 0x0D;
    QTest::newRow("keypad Enter") << 0x1C01 << 0x0E;
    QTest::newRow("left Ctrl") << 0x1D00 << 0xA2;
    QTest::newRow("right Ctrl") << 0x1D01 << 0xA3;
    QTest::newRow("right Shift") << 0x3601 << 0xA1;
    QTest::newRow("right Shift without flag") << 0x3600 << 0;
    QTest::newRow("keypad *") << 0x3700 << 0x6A;
    QTest::newRow("Print Screen") << 0x3701 << 0x2C;
    QTest::newRow("Pause") << 0x4500 << 0x13;
    QTest::newRow("Num Lock") << 0x4501 << 0x90;
    QTest::newRow("Scroll Lock") << 0x4600 << 0x91;
    QTest::newRow("Ctrl+Break has no row") << 0x4601 << 0;
    QTest::newRow("keypad 0") << 0x5200 << 0x60;
    QTest::newRow("Insert") << 0x5201 << 0x2D;
    QTest::newRow("102nd key") << 0x5600 << 0xE2;
    QTest::newRow("F12") << 0x5800 << 0x7B;
    QTest::newRow("left GUI") << 0x5B01 << 0x5B;
    QTest::newRow("right GUI") << 0x5C01 << 0;
    QTest::newRow("Menu") << 0x5D01 << 0x5D;
    QTest::newRow("F23") << 0x6E00 << 0x86;
    QTest::newRow("0x54") << 0x5400 << 0;
    QTest::newRow("nothing") << 0x0000 << 0;
}

void TestInputHooks::scanTable()
{
    QFETCH(int, key);
    QFETCH(int, virtualKey);
    QCOMPARE(int(InputHookManager::virtualKeyForScan(quint16(key))), virtualKey);
}

void TestInputHooks::usageTable_data()
{
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<int>("usage");
    QTest::newRow("Backspace") << 0x08 << 0x2A;
    QTest::newRow("unassigned 0x0E") << 0x0E << 0x58;
    QTest::newRow("Pause") << 0x13 << 0x48;
    QTest::newRow("Print Screen") << 0x2C << 0x46;
    QTest::newRow("0") << 0x30 << 0x27;
    QTest::newRow("1") << 0x31 << 0x1E;
    QTest::newRow("9") << 0x39 << 0x26;
    QTest::newRow("A") << 0x41 << 0x04;
    QTest::newRow("Z") << 0x5A << 0x1D;
    QTest::newRow("right GUI") << 0x5C << 0xE7;
    QTest::newRow("keypad 1") << 0x61 << 0x59;
    QTest::newRow("keypad 9") << 0x69 << 0x61;
    QTest::newRow("keypad +") << 0x6B << 0x57;
    QTest::newRow("keypad separator") << 0x6C << 0;
    QTest::newRow("F1") << 0x70 << 0x3A;
    QTest::newRow("F12") << 0x7B << 0x45;
    QTest::newRow("F13") << 0x7C << 0x68;
    QTest::newRow("F24") << 0x87 << 0x73;
    QTest::newRow("left Shift") << 0xA0 << 0xE1;
    QTest::newRow("right Alt") << 0xA5 << 0xE6;
    QTest::newRow("backslash") << 0xDC << 0x31;
    QTest::newRow("102nd") << 0xE2 << 0x64;
    QTest::newRow("0xEB") << 0xEB << 0x8B;
    QTest::newRow("0xFF") << 0xFF << 0x66;
    QTest::newRow("Shift (generic)") << 0x10 << 0;
    QTest::newRow("0x00") << 0x00 << 0;
}

void TestInputHooks::usageTable()
{
    QFETCH(int, virtualKey);
    QFETCH(int, usage);
    QCOMPARE(int(InputHookManager::usageForVirtualKey(quint8(virtualKey))), usage);
}

void TestInputHooks::layoutFlag()
{
    QVERIFY(!manager->layoutFlag());
    {
        InputHookManager other(true);
        QVERIFY(other.layoutFlag());
        QCOMPARE(InputHookManager::instance(), &other);
        QCOMPARE(int(InputHookManager::usageForVirtualKey(0xDC)), 0x32);
        QCOMPARE(InputHookManager::usageTableSize(), 121);
        QCOMPARE(pressAndRelease(0x2B, 0), QStringLiteral("32+ 32-"));
    }
    QCOMPARE(InputHookManager::instance(), nullptr);
    delete manager;
    manager = new InputHookManager(false);
    QCOMPARE(int(InputHookManager::usageForVirtualKey(0xDC)), 0x31);
    QCOMPARE(InputHookManager::usageTableSize(), 121);
    InputHookManager::registerKeyboardCallback(recordKey, this);
    QCOMPARE(pressAndRelease(0x2B, 0), QStringLiteral("31+ 31-"));
}

void TestInputHooks::keyboardProcedure_data()
{
    QTest::addColumn<KeyMessages>("messages");
    QTest::addColumn<QString>("expected");

    QTest::newRow("held letter repeats once") << KeyMessages {{hc, down, 0x1E, 0},
        {hc, down, 0x1E, 0}, {hc, down, 0x1E, 0}, {hc, up, 0x1E, 0}}
                                              << "04+ 04-";
    QTest::newRow("duplicate release dropped")
        << KeyMessages {{hc, down, 0x10, 0}, {hc, up, 0x10, 0}, {hc, up, 0x10, 0}} << "14+ 14-";
    QTest::newRow("release without press dropped") << KeyMessages {{hc, up, 0x10, 0}} << "";
    QTest::newRow("main Enter") << KeyMessages {{hc, down, 0x1C, 0}, {hc, up, 0x1C, 0}}
                                << "28+ 28-";
    QTest::newRow("keypad Enter") << KeyMessages {{hc, down, 0x1C, ext}, {hc, up, 0x1C, ext}}
                                  << "58+ 58-";
    QTest::newRow("left Alt as system key")
        << KeyMessages {{hc, sysDown, 0x38, 0}, {hc, sysUp, 0x38, 0}} << "E2+ E2-";
    QTest::newRow("right Alt") << KeyMessages {{hc, sysDown, 0x38, ext}, {hc, up, 0x38, ext}}
                               << "E6+ E6-";
    QTest::newRow("Ctrl+Break") << KeyMessages {{hc, down, 0x1D, 0}, {hc, down, 0x46, ext},
        {hc, up, 0x46, ext}, {hc, up, 0x1D, 0}}
                                << "E0+ 48+ 48- E0-";
    QTest::newRow("Scroll Lock") << KeyMessages {{hc, down, 0x46, 0}} << "47+";
    QTest::newRow("Alt+Print Screen") << KeyMessages {{hc, sysDown, 0x38, 0},
        {hc, sysDown, 0x54, altDown}, {hc, sysUp, 0x54, altDown}, {hc, sysUp, 0x38, 0}}
                                      << "E2+ 46+ 46- E2-";
    QTest::newRow("SysRq without Alt") << KeyMessages {{hc, down, 0x54, 0}} << "";
    QTest::newRow("Print Screen") << KeyMessages {{hc, down, 0x37, ext}} << "46+";
    QTest::newRow("Pause") << KeyMessages {{hc, down, 0x45, 0}} << "48+";
    QTest::newRow("Num Lock") << KeyMessages {{hc, down, 0x45, ext}} << "53+";
    QTest::newRow("right GUI has no row") << KeyMessages {{hc, down, 0x5C, ext}} << "";
    QTest::newRow("unknown scan code") << KeyMessages {{hc, down, 0x59, 0}} << "";
    QTest::newRow("extended letter has no row") << KeyMessages {{hc, down, 0x1E, ext}} << "";
    QTest::newRow("scan code above 0xFF counts as 0")
        << KeyMessages {{hc, down, 0x11E, 0}, {hc, down, 0x1001C, 0}} << "";
    QTest::newRow("other flags ignored")
        << KeyMessages {{hc, down, 0x1E, 0x10}, {hc, up, 0x1E, 0x80}} << "04+ 04-";
    QTest::newRow("other nCode is a release")
        << KeyMessages {{hc, down, 0x1E, 0}, {3, down, 0x1E, 0}} << "04+ 04-";
    QTest::newRow("other nCode never a press") << KeyMessages {{-1, down, 0x1E, 0}} << "";
    QTest::newRow("other message is a release")
        << KeyMessages {{hc, down, 0x1E, 0}, {hc, 0x0102, 0x1E, 0}} << "04+ 04-";
    QTest::newRow("interleaved keys") << KeyMessages {{hc, down, 0x2A, 0}, {hc, down, 0x1E, 0},
        {hc, down, 0x1E, 0}, {hc, down, 0x2A, 0}, {hc, up, 0x1E, 0}, {hc, up, 0x2A, 0}}
                                      << "E1+ 04+ 04- E1-";
}

void TestInputHooks::keyboardProcedure()
{
    QFETCH(KeyMessages, messages);
    QFETCH(QString, expected);
    for (const KeyMessage &m : messages)
        InputHookManager::handleKeyboard(m.nCode, m.message, m.scanCode, m.flags);
    QCOMPARE(reports.join(' '), expected);
    if (!reports.isEmpty())
        QCOMPARE(lastContext, static_cast<void *>(this));
}

void TestInputHooks::keyStateFollowsReports()
{
    InputHookManager::handleKeyboard(hc, down, 0x1E, 0);
    QCOMPARE(int(InputHookManager::keyState(0x04)), 1);
    QCOMPARE(int(InputHookManager::keyState(0x05)), 0);
    InputHookManager::handleKeyboard(hc, up, 0x1E, 0);
    QCOMPARE(int(InputHookManager::keyState(0x04)), 0);
    InputHookManager::handleKeyboard(hc, down, 0x1E, 0);
    InputHookManager::clearKeyStates();
    QCOMPARE(int(InputHookManager::keyState(0x04)), 0);
}

void TestInputHooks::keyboardWithoutCallback()
{
    InputHookManager::registerKeyboardCallback(nullptr, nullptr);
    InputHookManager::handleKeyboard(hc, down, 0x1E, 0);
    QVERIFY(reports.isEmpty());
    // The state still moves, so a later receiver sees no stale press.
    QCOMPARE(int(InputHookManager::keyState(0x04)), 1);
    InputHookManager::registerMouseCallback(nullptr, nullptr);
    InputHookManager::handleMouse(InputHookManager::WmLButtonDown, 1, 2);
    QVERIFY(reports.isEmpty());
}

void TestInputHooks::registrationReplacesEarlierPair()
{
    int other = 0;
    InputHookManager::registerKeyboardCallback(recordKey, &other);
    InputHookManager::handleKeyboard(hc, down, 0x02, 0);
    QCOMPARE(reports, QStringList {"1E+"});
    QCOMPARE(lastContext, static_cast<void *>(&other));
    InputHookManager::registerMouseCallback(recordMouse, &other);
    lastContext = nullptr;
    InputHookManager::handleMouse(InputHookManager::WmRButtonUp, 0, 0);
    QCOMPARE(lastContext, static_cast<void *>(&other));
}

void TestInputHooks::mouseProcedure_data()
{
    QTest::addColumn<MouseMessages>("messages");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left double click")
        << MouseMessages {{0x201, 10, 20}, {0x202, 10, 20}, {0x201, 10, 20}, {0x202, 10, 20}}
        << "F0+@10,20 F0-@10,20 F0+@10,20 F0-@10,20";
    QTest::newRow("double-click messages not reported")
        << MouseMessages {{0x201, 1, 1}, {0x202, 1, 1}, {0x203, 1, 1}, {0x202, 1, 1}, {0x206, 1, 1}}
        << "F0+@1,1 F0-@1,1 F0-@1,1";
    QTest::newRow("right") << MouseMessages {{0x204, 5, 6}, {0x205, 7, 8}} << "F1+@5,6 F1-@7,8";
    QTest::newRow("middle") << MouseMessages {{0x207, 0, 0}, {0x208, 0, 0}} << "F2+@0,0 F2-@0,0";
    QTest::newRow("no repeat suppression")
        << MouseMessages {{0x201, 0, 0}, {0x201, 0, 0}} << "F0+@0,0 F0+@0,0";
    QTest::newRow("negative position (screen left of the primary)")
        << MouseMessages {{0x201, -1920, -5}} << "F0+@-1920,-5";
    QTest::newRow("move, wheel, side buttons, tilt") << MouseMessages {{0x200, 1, 1}, {0x20A, 1, 1},
        {0x20B, 1, 1}, {0x20C, 1, 1}, {0x20E, 1, 1}, {0x209, 1, 1}}
                                                     << "";
}

void TestInputHooks::mouseProcedure()
{
    QFETCH(MouseMessages, messages);
    QFETCH(QString, expected);
    for (const MouseMessage &m : messages)
        InputHookManager::handleMouse(m.message, m.x, m.y);
    QCOMPARE(reports.join(' '), expected);
}

void TestInputHooks::copyDataMessage()
{
    CopyDataBlock block {0x1234, 0, nullptr};
    QVERIFY(!InputHookManager::handleCopyData(InputHookManager::WmCopyData, &block));
    InputHookManager::registerCopyDataCallback(recordCopyData, this);
    QVERIFY(InputHookManager::handleCopyData(InputHookManager::WmCopyData, &block));
    QVERIFY(!InputHookManager::handleCopyData(0x004B, &block));
    QVERIFY(!InputHookManager::handleCopyData(0x0100, &block));
    QCOMPARE(copyDataSeen, QStringList {"1234"});
    QCOMPARE(lastContext, static_cast<void *>(this));
    InputHookManager::registerCopyDataCallback(nullptr, nullptr);
    QVERIFY(!InputHookManager::handleCopyData(InputHookManager::WmCopyData, &block));
}

void TestInputHooks::noticeText_data()
{
    QTest::addColumn<qulonglong>("dwData");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("cbData");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("text");

    const QByteArray hello("Hello\0", 6);
    const QByteArray umlauts = QStringLiteral("Grüße 你好").toUtf8() + '\0';
    QTest::newRow("exact count") << qulonglong(0x250F) << hello << 5 << true << "Hello";
    QTest::newRow("count includes the zero") << qulonglong(0x250F) << hello << 6 << false << "";
    // Only the declared block is read, so a short count shows the part it covers.
    QTest::newRow("count short") << qulonglong(0x250F) << hello << 4 << true << "Hell";
    QTest::newRow("wrong dwData") << qulonglong(0x2510) << hello << 5 << false << "";
    QTest::newRow("dwData 0") << qulonglong(0) << hello << 5 << false << "";
    QTest::newRow("UTF-8 bytes") << qulonglong(0x250F) << umlauts << int(umlauts.size() - 1) << true
                                 << QStringLiteral("Grüße 你好");
    const QByteArray chinese = QStringLiteral("你好").toUtf8() + '\0';
    QTest::newRow("count in characters cuts a character")
        << qulonglong(0x250F) << chinese << 2 << false << "";
    QTest::newRow("invalid UTF-8")
        << qulonglong(0x250F) << QByteArray("\xff\xfe\0", 3) << 2 << false << "";
    QTest::newRow("zero inside") << qulonglong(0x250F) << QByteArray("Hi\0there\0", 9) << 8 << false
                                 << "";
    QTest::newRow("empty text") << qulonglong(0x250F) << QByteArray("\0", 1) << 0 << true << "";
    QTest::newRow("no data") << qulonglong(0x250F) << QByteArray() << 0 << true << "";
    QTest::newRow("no data but a count") << qulonglong(0x250F) << QByteArray() << 4 << false << "";
}

void TestInputHooks::noticeText()
{
    QFETCH(qulonglong, dwData);
    QFETCH(QByteArray, bytes);
    QFETCH(int, cbData);
    QFETCH(bool, shown);
    QFETCH(QString, text);
    const CopyDataBlock block {quintptr(dwData), quint32(cbData),
        bytes.isNull() ? nullptr : static_cast<const void *>(bytes.constData())};
    const std::optional<QString> notice = InputHookManager::noticeText(block);
    QCOMPARE(notice.has_value(), shown);
    if (shown)
        QCOMPARE(*notice, text);
}

void TestInputHooks::noticeReadsOnlyTheSentBlock()
{
    // The sender's text ends at cbData; the bytes after it are not the sender's.
    const QByteArray memory("HelloXYZ\0", 9);
    const CopyDataBlock block {0x250F, 5, memory.constData()};
    QCOMPARE(InputHookManager::noticeText(block).value_or("none"), QStringLiteral("Hello"));
}

void TestInputHooks::noticeShownWithCaption()
{
    const QByteArray text("Firmware updated\0", 17);
    CopyDataBlock block {0x250F, 16, text.constData()};
    InputHookManager::showNotice(&block, "Caption");
    QCOMPARE(warnings, QStringList {"Caption|Firmware updated"});
    block.cbData = 17;
    InputHookManager::showNotice(&block, "Caption");
    InputHookManager::showNotice(nullptr, "Caption");
    QCOMPARE(warnings.size(), 1);
}

void TestInputHooks::evdevMatchesWindowsPath_data()
{
    QTest::addColumn<int>("evdevCode");
    QTest::addColumn<int>("scanCode");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("usage");

    struct Key
    {
        const char *name;
        int evdev;
        int scan;
        int flags;
        int usage;
    };
    // Every key of a standard 105-key (ISO) keyboard, and the two combinations
    // that the keyboard hook sees under another scan code.
    const Key keys[] = {
        {"Esc", 1, 0x01, 0, 0x29},
        {"F1", 59, 0x3B, 0, 0x3A},
        {"F2", 60, 0x3C, 0, 0x3B},
        {"F3", 61, 0x3D, 0, 0x3C},
        {"F4", 62, 0x3E, 0, 0x3D},
        {"F5", 63, 0x3F, 0, 0x3E},
        {"F6", 64, 0x40, 0, 0x3F},
        {"F7", 65, 0x41, 0, 0x40},
        {"F8", 66, 0x42, 0, 0x41},
        {"F9", 67, 0x43, 0, 0x42},
        {"F10", 68, 0x44, 0, 0x43},
        {"F11", 87, 0x57, 0, 0x44},
        {"F12", 88, 0x58, 0, 0x45},
        {"Print Screen", 99, 0x37, ext, 0x46},
        {"Scroll Lock", 70, 0x46, 0, 0x47},
        {"Pause", 119, 0x45, 0, 0x48},
        {"`", 41, 0x29, 0, 0x35},
        {"1", 2, 0x02, 0, 0x1E},
        {"2", 3, 0x03, 0, 0x1F},
        {"3", 4, 0x04, 0, 0x20},
        {"4", 5, 0x05, 0, 0x21},
        {"5", 6, 0x06, 0, 0x22},
        {"6", 7, 0x07, 0, 0x23},
        {"7", 8, 0x08, 0, 0x24},
        {"8", 9, 0x09, 0, 0x25},
        {"9", 10, 0x0A, 0, 0x26},
        {"0", 11, 0x0B, 0, 0x27},
        {"-", 12, 0x0C, 0, 0x2D},
        {"=", 13, 0x0D, 0, 0x2E},
        {"Backspace", 14, 0x0E, 0, 0x2A},
        {"Tab", 15, 0x0F, 0, 0x2B},
        {"Q", 16, 0x10, 0, 0x14},
        {"W", 17, 0x11, 0, 0x1A},
        {"E", 18, 0x12, 0, 0x08},
        {"R", 19, 0x13, 0, 0x15},
        {"T", 20, 0x14, 0, 0x17},
        {"Y", 21, 0x15, 0, 0x1C},
        {"U", 22, 0x16, 0, 0x18},
        {"I", 23, 0x17, 0, 0x0C},
        {"O", 24, 0x18, 0, 0x12},
        {"P", 25, 0x19, 0, 0x13},
        {"[", 26, 0x1A, 0, 0x2F},
        {"]", 27, 0x1B, 0, 0x30},
        {"Caps Lock", 58, 0x3A, 0, 0x39},
        {"A", 30, 0x1E, 0, 0x04},
        {"S", 31, 0x1F, 0, 0x16},
        {"D", 32, 0x20, 0, 0x07},
        {"F", 33, 0x21, 0, 0x09},
        {"G", 34, 0x22, 0, 0x0A},
        {"H", 35, 0x23, 0, 0x0B},
        {"J", 36, 0x24, 0, 0x0D},
        {"K", 37, 0x25, 0, 0x0E},
        {"L", 38, 0x26, 0, 0x0F},
        {";", 39, 0x27, 0, 0x33},
        {"'", 40, 0x28, 0, 0x34},
        {"# (ISO)", 43, 0x2B, 0, 0x31},
        {"Enter", 28, 0x1C, 0, 0x28},
        {"left Shift", 42, 0x2A, 0, 0xE1},
        {"\\ (ISO 102nd)", 86, 0x56, 0, 0x64},
        {"Z", 44, 0x2C, 0, 0x1D},
        {"X", 45, 0x2D, 0, 0x1B},
        {"C", 46, 0x2E, 0, 0x06},
        {"V", 47, 0x2F, 0, 0x19},
        {"B", 48, 0x30, 0, 0x05},
        {"N", 49, 0x31, 0, 0x11},
        {"M", 50, 0x32, 0, 0x10},
        {",", 51, 0x33, 0, 0x36},
        {".", 52, 0x34, 0, 0x37},
        {"/", 53, 0x35, 0, 0x38},
        {"right Shift", 54, 0x36, ext, 0xE5},
        {"left Ctrl", 29, 0x1D, 0, 0xE0},
        {"left GUI", 125, 0x5B, ext, 0xE3},
        {"left Alt", 56, 0x38, 0, 0xE2},
        {"Space", 57, 0x39, 0, 0x2C},
        {"right Alt", 100, 0x38, ext, 0xE6},
        // The hook's tables have no row for the right GUI key on either path.
        {"right GUI", 126, 0x5C, ext, 0},
        {"Menu", 127, 0x5D, ext, 0x65},
        {"right Ctrl", 97, 0x1D, ext, 0xE4},
        {"Insert", 110, 0x52, ext, 0x49},
        {"Home", 102, 0x47, ext, 0x4A},
        {"Page Up", 104, 0x49, ext, 0x4B},
        {"Delete", 111, 0x53, ext, 0x4C},
        {"End", 107, 0x4F, ext, 0x4D},
        {"Page Down", 109, 0x51, ext, 0x4E},
        {"Up", 103, 0x48, ext, 0x52},
        {"Left", 105, 0x4B, ext, 0x50},
        {"Down", 108, 0x50, ext, 0x51},
        {"Right", 106, 0x4D, ext, 0x4F},
        {"Num Lock", 69, 0x45, ext, 0x53},
        {"keypad /", 98, 0x35, ext, 0x54},
        {"keypad *", 55, 0x37, 0, 0x55},
        {"keypad -", 74, 0x4A, 0, 0x56},
        {"keypad 7", 71, 0x47, 0, 0x5F},
        {"keypad 8", 72, 0x48, 0, 0x60},
        {"keypad 9", 73, 0x49, 0, 0x61},
        {"keypad +", 78, 0x4E, 0, 0x57},
        {"keypad 4", 75, 0x4B, 0, 0x5C},
        {"keypad 5", 76, 0x4C, 0, 0x5D},
        {"keypad 6", 77, 0x4D, 0, 0x5E},
        {"keypad 1", 79, 0x4F, 0, 0x59},
        {"keypad 2", 80, 0x50, 0, 0x5A},
        {"keypad 3", 81, 0x51, 0, 0x5B},
        {"keypad Enter", 96, 0x1C, ext, 0x58},
        {"keypad 0", 82, 0x52, 0, 0x62},
        {"keypad .", 83, 0x53, 0, 0x63},
        {"Alt+Print Screen", 99, 0x54, int(altDown), 0x46},
        {"Ctrl+Break", 119, 0x46, ext, 0x48},
        {"F23", 193, 0x6E, 0, 0x72},
    };
    QCOMPARE(int(std::size(keys)), 105 + 3);
    for (const Key &key : keys)
        QTest::newRow(key.name) << key.evdev << key.scan << key.flags << key.usage;
}

void TestInputHooks::evdevMatchesWindowsPath()
{
    QFETCH(int, evdevCode);
    QFETCH(int, scanCode);
    QFETCH(int, flags);
    QFETCH(int, usage);
    const QString expected
        = usage ? QStringLiteral("%1+ %1-").arg(usage, 2, 16, QChar('0')).toUpper() : QString();

    QCOMPARE(pressAndRelease(quint32(scanCode), quint32(flags)), expected);

    reports.clear();
    InputHookManager::clearKeyStates();
    InputHookTranslate::deliverKey(evdevCode + InputHookTranslate::XKeycodeOffset, true);
    InputHookTranslate::deliverKey(evdevCode + InputHookTranslate::XKeycodeOffset, true);
    InputHookTranslate::deliverKey(evdevCode + InputHookTranslate::XKeycodeOffset, false);
    QCOMPARE(reports.join(' '), expected);
}

void TestInputHooks::evdevKeysWithoutScanCode()
{
    for (int evdev : {0, 84, 85, 89, 90, 113, 114, 115, 128, 183, 240, 247, 248, 300, -8}) {
        QVERIFY2(!InputHookTranslate::scanForEvdev(evdev), qPrintable(QString::number(evdev)));
        InputHookTranslate::deliverKey(evdev + 8, true);
    }
    QVERIFY(reports.isEmpty());
    const auto a = InputHookTranslate::scanForXKeycode(38);
    QVERIFY(a);
    QCOMPARE(a->scanCode, 0x1Eu);
    QCOMPARE(a->flags, 0u);
}

void TestInputHooks::xButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("press");
    QTest::addColumn<uint>("message");
    QTest::addColumn<QString>("report");
    QTest::newRow("left press") << 1 << true << 0x201u << "F0+@3,4";
    QTest::newRow("left release") << 1 << false << 0x202u << "F0-@3,4";
    QTest::newRow("middle press") << 2 << true << 0x207u << "F2+@3,4";
    QTest::newRow("middle release") << 2 << false << 0x208u << "F2-@3,4";
    QTest::newRow("right press") << 3 << true << 0x204u << "F1+@3,4";
    QTest::newRow("right release") << 3 << false << 0x205u << "F1-@3,4";
    QTest::newRow("wheel up") << 4 << true << 0u << "";
    QTest::newRow("wheel down") << 5 << false << 0u << "";
    QTest::newRow("back") << 8 << true << 0u << "";
    QTest::newRow("none") << 0 << true << 0u << "";
}

void TestInputHooks::xButtons()
{
    QFETCH(int, button);
    QFETCH(bool, press);
    QFETCH(uint, message);
    QFETCH(QString, report);
    QCOMPARE(InputHookTranslate::buttonMessage(button, press), message);
    InputHookTranslate::deliverButton(button, press, 3, 4);
    QCOMPARE(reports.join(' '), report);
}

void TestInputHooks::wireEvent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("swapped");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("detail");
    QTest::addColumn<uint>("time");
    QTest::addColumn<int>("rootX");
    QTest::addColumn<int>("rootY");

    auto event = [](quint8 type, quint8 detail, quint32 time, qint16 x, qint16 y, bool swap) {
        QByteArray bytes(32, '\0');
        bytes[0] = char(type);
        bytes[1] = char(detail);
        const quint32 t = swap ? qbswap(time) : time;
        const quint16 rx = swap ? qbswap(quint16(x)) : quint16(x);
        const quint16 ry = swap ? qbswap(quint16(y)) : quint16(y);
        std::memcpy(bytes.data() + 4, &t, 4);
        std::memcpy(bytes.data() + 20, &rx, 2);
        std::memcpy(bytes.data() + 22, &ry, 2);
        bytes[8] = char(0xAA); // root window id and the rest must not leak into the fields
        bytes[24] = char(0x55);
        return bytes;
    };
    QTest::newRow("key press") << event(2, 38, 423369, 640, 512, false) << false << 2 << 38
                               << 423369u << 640 << 512;
    QTest::newRow("key release") << event(3, 108, 1, 0, 0, false) << false << 3 << 108 << 1u << 0
                                 << 0;
    QTest::newRow("button press") << event(4, 1, 0xFFFFFFFF, 100, 200, false) << false << 4 << 1
                                  << 0xFFFFFFFFu << 100 << 200;
    QTest::newRow("sent by a client")
        << event(0x85, 3, 7, 1, 2, false) << false << 5 << 3 << 7u << 1 << 2;
    QTest::newRow("negative root position")
        << event(4, 2, 9, -300, -1, false) << false << 4 << 2 << 9u << -300 << -1;
    QTest::newRow("other byte order")
        << event(4, 3, 0x01020304, 1234, -2, true) << true << 4 << 3 << 0x01020304u << 1234 << -2;
}

void TestInputHooks::wireEvent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, swapped);
    const auto event = InputHookTranslate::decodeWireEvent(
        reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), swapped);
    QVERIFY(event);
    QTEST(event->type, "type");
    QTEST(event->detail, "detail");
    QTEST(uint(event->time), "time");
    QTEST(event->rootX, "rootX");
    QTEST(event->rootY, "rootY");
}

void TestInputHooks::wireEventTooShort()
{
    const QByteArray bytes(31, '\x02');
    QVERIFY(!InputHookTranslate::decodeWireEvent(
        reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), false));
    QVERIFY(!InputHookTranslate::decodeWireEvent(nullptr, 32, false));
}

void TestInputHooks::callbacksReachDocumentAndHotKey()
{
    skelda::test::WorkFolder folder;
    folder.writeFile("recorder.qml", hookrecorder::recorderDocument);
    {
        Widget window;
        window.bridge()->setSource(QUrl::fromLocalFile(folder.filePath("recorder.qml")));
        QQuickItem *root = window.bridge()->rootObject();
        QVERIFY(root);
        window.bridge()->setTitle("Skelda title");
        InputHookCallbacks::registerAll(&window);

        InputHookManager::handleKeyboard(hc, down, 0x1E, 0);
        InputHookManager::handleMouse(InputHookManager::WmRButtonDown, 12, 34);
        // The document is called through the event loop, never from inside the hook.
        QCOMPARE(root->property("log").toString(), QString());
        QTRY_COMPARE(root->property("log").toString(), QStringLiteral("K1:4 M1:241@12,34 "));

        window.hide();
        QVERIFY(window.isHidden());
        for (quint32 scan : {0x2AU, 0x38U, 0x58U})
            InputHookManager::handleKeyboard(hc, down, scan, 0);
        QVERIFY(window.isVisible());
        for (quint32 scan : {0x58U, 0x38U, 0x2AU})
            InputHookManager::handleKeyboard(hc, up, scan, 0);
        QTRY_COMPARE(root->property("log").toString(),
            QStringLiteral("K1:4 M1:241@12,34 K1:225 K1:226 K1:69 K0:69 K0:226 K0:225 "));

        // Releasing a modifier first disarms the combination.
        window.hide();
        InputHookManager::handleKeyboard(hc, down, 0x2A, 0);
        InputHookManager::handleKeyboard(hc, down, 0x38, 0);
        InputHookManager::handleKeyboard(hc, up, 0x38, 0);
        InputHookManager::handleKeyboard(hc, down, 0x58, 0);
        QVERIFY(window.isHidden());

        const QByteArray text("Hello\0", 6);
        const CopyDataBlock block {0x250F, 5, text.constData()};
        QVERIFY(InputHookManager::handleCopyData(InputHookManager::WmCopyData, &block));
        QCOMPARE(warnings, QStringList {"Skelda title|Hello"});

        InputHookCallbacks::keyboard(0x04, true, nullptr);
        InputHookCallbacks::mouse(0xF0, true, 0, 0, nullptr);
        InputHookCallbacks::copyData(&block, nullptr);
        QCOMPARE(warnings.size(), 1);
        InputHookManager::registerKeyboardCallback(nullptr, nullptr);
        InputHookManager::registerMouseCallback(nullptr, nullptr);
        InputHookManager::registerCopyDataCallback(nullptr, nullptr);
    }
}

QTEST_MAIN(TestInputHooks)
#include "tst_inputhooks.moc"
