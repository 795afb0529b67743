#include "bridge/myqquickview.h"

#include <QDir>

void myQQuickView::initUI()
{
    invokeDocument("initUI");
    applyStoredPointerSettings();
}

void myQQuickView::showStoredSettings(const QString &part)
{
    invokeDocument("commandLineChanged", {QVariant(part)});
}

void myQQuickView::runUI()
{
    invokeDocument("run");
}

void myQQuickView::resendProfile()
{
    invokeDocument("resendProfile");
}

void myQQuickView::setEnableAudio(bool isEnable)
{
    enableAudio = isEnable;
}

void myQQuickView::playMedia_Index(uchar index)
{
    Q_UNUSED(index);
}

void myQQuickView::playMedia_Background() { }

void myQQuickView::clearAllMedia() { }

bool myQQuickView::getIsSkinShow()
{
    const QStringList skins = QDir("./modules/img").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return skins.size() > 1;
}
