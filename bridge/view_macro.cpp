#include "bridge/dialogs.h"
#include "bridge/keynametable.h"
#include "bridge/macroencoder.h"
#include "bridge/myqquickview.h"
#include "bridge/view_deviceblocks.h"
#include "device/hid_thread.h"
#include "store/library.h"

namespace {

QVariant sendToMacroSlot(Hid_Thread *hid, const QVariantList &values, const QVariant &index)
{
    const uint slot = index.toUInt() & 0xFF;
    if (hid && slot < uint(MacroEncoder::macroSlots)) {
        QByteArray block = DeviceBlocks::fromList(values, MacroEncoder::mouseBlockSize);
        hid->hid_13H_SetMacroKey(uchar(slot + 1), DeviceBlocks::data(block));
    }
    return true;
}

// The text lines of a macro file, without the repeat count that ends the list.
QStringList macroLines(const QString &name)
{
    QStringList lines = Library::load(Library::Kind::Macro, name);
    if (!lines.isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QVariant myQQuickView::sendMacroData(QVariantList macroData, QVariant macroIndex)
{
    return sendToMacroSlot(hid, macroData, macroIndex);
}

QVariant myQQuickView::sendGunData(QVariantList gunData, QVariant gunIndex)
{
    return sendToMacroSlot(hid, gunData, gunIndex);
}

QList<uchar> myQQuickView::macroIncode(QStringList macros)
{
    return MacroEncoder::encode(macros, connectedDeviceId(), &KeyNameTable::code);
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name)
{
    const QString macroName = name.toString();
    if (!Library::isSafeName(Library::Kind::Macro, macroName))
        return;
    QList<uchar> bytes = macroIncode(macroLines(macroName));
    if (bytes.size() > MacroEncoder::mouseBlockSize)
        Dialogs::current().warning(
            tr("MACRO"), tr("Out of memory,\nsome command line has been cut."));
    MacroEncoder::setRepeat(bytes, Library::macroRepeat(macroName));
    QByteArray block = MacroEncoder::block(bytes, MacroEncoder::mouseBlockSize);
    if (hid)
        hid->hid_13H_SetMacroKey(uchar(macroId.toInt() & 0xFF), DeviceBlocks::data(block));
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name)
{
    const QString macroName = name.toString();
    if (!Library::isSafeName(Library::Kind::Macro, macroName))
        return;
    const QList<uchar> bytes = macroIncode(macroLines(macroName));
    if (bytes.size() > MacroEncoder::keyboardBlockSize)
        Dialogs::current().warning(tr("%1").arg(messageText(0)), tr("%1").arg(messageText(1)));
    QByteArray block = MacroEncoder::block(bytes, MacroEncoder::keyboardBlockSize);
    if (hid)
        hid->hid_11H_SetMacroKey(uchar(macroId.toInt() & 0xFF), DeviceBlocks::data(block));
}
