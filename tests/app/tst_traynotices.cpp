#include <QApplication>
#include <QtTest>

#include "app/traynotices.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtualhidbackend.h"
#include "support/readonlyfolder.h"
#include "support/workfolder.h"

using skelda::test::ReadOnlyFolder;
using skelda::test::WorkFolder;
using Notice = TrayNotices::Notice;

class tst_TrayNotices : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void waitingForTheMouseIsToldOnce_data();
    void waitingForTheMouseIsToldOnce();
    void noWaitingNoticeWhenTheMouseAnswers_data();
    void noWaitingNoticeWhenTheMouseAnswers();
    void unsavedSettingsAreToldOncePerRun();

private:
    void useLanguage(const QString &language);

    WorkFolder *folder = nullptr;
};

void tst_TrayNotices::init()
{
    folder = new WorkFolder(WorkFolder::ShippedSettings);
}

void tst_TrayNotices::cleanup()
{
    delete folder;
    folder = nullptr;
}

void tst_TrayNotices::useLanguage(const QString &language)
{
    QSettings settings("./modules/setting/apConfig.bin", QSettings::IniFormat);
    settings.setValue("common/language", language);
}

void tst_TrayNotices::waitingForTheMouseIsToldOnce_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << "English"
                             << "No mouse found. Waiting for the mouse";
    QTest::newRow("Portuguese") << "Portuguese"
                                << "No mouse found. Waiting for the mouse";
    QTest::newRow("Chinese") << "ChineseSimplified"
                             << QString::fromUtf8("未检测到鼠标，正在等待连接");
}

void tst_TrayNotices::waitingForTheMouseIsToldOnce()
{
    QFETCH(QString, language);
    QFETCH(QString, expected);
    useLanguage(language);
    Widget window;
    VirtualHidBackend::installInto(window.link(), VirtualHidBackend::Attached::None);
    window.checkDevice();
    window.checkDevice();
    QCOMPARE(window.shownNotices().size(), 1);
    QVERIFY2(window.shownNotices().first().startsWith(expected),
        qPrintable(window.shownNotices().first()));
}

void tst_TrayNotices::noWaitingNoticeWhenTheMouseAnswers_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << "English"
                             << "Detect Mouse!";
    QTest::newRow("Chinese") << "ChineseSimplified" << QString::fromUtf8("检测到鼠标!");
    QTest::newRow("other case") << "chinesesimplified"
                                << "Detect Mouse!";
}

void tst_TrayNotices::noWaitingNoticeWhenTheMouseAnswers()
{
    QFETCH(QString, language);
    QFETCH(QString, expected);
    useLanguage(language);
    Widget window;
    VirtualHidBackend::installInto(window.link(), VirtualHidBackend::Attached::Mouse);
    window.checkDevice();
    QVERIFY(window.link().isDeviceReady());
    QCOMPARE(window.shownNotices(), QStringList {expected});
}

void tst_TrayNotices::unsavedSettingsAreToldOncePerRun()
{
    useLanguage("ChineseSimplified");
    Widget window;
    const QString warning = TrayNotices::text(Notice::SettingsNotSaved, "ChineseSimplified").text;
    {
        ReadOnlyFolder readOnly("./modules/setting");
        window.bridge()->setXYSensitive(0, 1);
        window.bridge()->setXYSensitive(1, 2);
        if (window.bridge()->settingsSaved())
            QSKIP("this system writes into read-only folders");
    }
    QCOMPARE(window.shownNotices(), QStringList {warning});
    window.bridge()->setXYSensitive(0, 3);
    QCOMPARE(window.shownNotices().size(), 1);
    ReadOnlyFolder readOnly("./modules/setting");
    window.bridge()->setXYSensitive(0, 4);
    QCOMPARE(window.shownNotices(), (QStringList {warning, warning}));
}

QTEST_MAIN(tst_TrayNotices)
#include "tst_traynotices.moc"
