#include "bridge/myqquickview.h"

#include "store/profileset.h"

QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    const int device = connectedDeviceId();
    if (device != 0 && device != 1)
        return QVariantList();
    const QString key
        = (device == 1 ? QStringLiteral("keydefine_Z5/") : QStringLiteral("keydefine/"))
        + matrixId.toString();
    return profileSet->list(currentProfile, key);
}
