#pragma once

#include <QSettings>

#include <memory>

#include "bridge/myqquickview.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/virtualhidbackend.h"
#include "support/workfolder.h"

// A bridge on a link to the virtual device, in a temporary working folder.
struct DeviceOpsRig
{
    using Attached = VirtualHidBackend::Attached;
    using Operation = VirtualHidBackend::Operation;

    explicit DeviceOpsRig(Attached attached = Attached::Mouse)
    {
        device = VirtualHidBackend::installInto(link, attached);
        QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
        link.enumerateDevices(DeviceTable::readRecords(table, {"keyboard", "mouse"}));
        view = std::make_unique<myQQuickView>();
        view->hid = &link;
        device->clearCalls();
    }

    ~DeviceOpsRig()
    {
        link.waitForPoolTransfer();
        view.reset();
    }

    // Every command frame sent, in order.
    QList<QByteArray> commands() const
    {
        link.waitForPoolTransfer();
        QList<QByteArray> frames;
        for (const auto &call : device->calls(Operation::FeatureOut))
            frames << call.bytes;
        return frames;
    }

    // The block carried by the output reports, without their report id bytes.
    QByteArray block() const
    {
        link.waitForPoolTransfer();
        QByteArray bytes;
        for (const auto &call : device->calls(Operation::Out))
            bytes += call.bytes.mid(1);
        return bytes;
    }

    QByteArray profileFile(int profile = 0) const
    {
        return folder.readFile(QString("modules/setting/p%1.bin").arg(profile + 1));
    }

    skelda::test::WorkFolder folder;
    mutable Hid_Thread link;
    std::shared_ptr<VirtualHidBackend> device;
    std::unique_ptr<myQQuickView> view;
};

// A command frame with its checksum: the complement of the sum of bytes 1..7.
inline QByteArray frame(const QByteArray &bytes1to7)
{
    QByteArray f = QByteArray(1, '\0') + bytes1to7.leftJustified(7, '\0', true);
    uchar sum = 0;
    for (int i = 1; i < 8; ++i)
        sum += uchar(f.at(i));
    f.append(char(uchar(~sum)));
    return f;
}
