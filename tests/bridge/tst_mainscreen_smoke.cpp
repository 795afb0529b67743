#include <QQuickItem>
#include <QSettings>
#include <QtTest>

#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {
QStringList documentWarnings;
QtMessageHandler previousHandler = nullptr;

void catchDocumentWarnings(
    QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray category(context.category ? context.category : "");
    const bool fromDocuments = category.startsWith("qml") || category.startsWith("js")
        || message.contains(QLatin1String("qrc:"));
    if (type != QtDebugMsg && type != QtInfoMsg && fromDocuments)
        documentWarnings.append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

const char *const pageNames[] = {"dragRegion", "powerOnLogo", "protectUIItem", "tmrProtectUI",
    "envItem", "mainLogo", "panelleft", "keyMatrixMain", "xySettingMain", "profileBtn",
    "flickableBar", "panelRightItem", "dpiSettingMain", "lightControlMain", "reprotRateMain",
    "mouseRateMain", "doubleRateMain", "scrollRateMain", "bar", "colorBar", "downItem", "upItem",
    "mouseMain", "mainMask", "macroEditorMain", "gunControlMain", "keyMenuMain", "profileMain",
    "singleKeyMain", "macroKeyMain", "factorysure", "askMenu", "_KeyCodeString"};
} // namespace

// Loads the shipped main document into the real bridge and starts it.
class tst_MainScreenSmoke : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void loadsWithoutWarnings();
    void initUIFillsThePages_data();
    void initUIFillsThePages();
};

void tst_MainScreenSmoke::initTestCase()
{
    previousHandler = qInstallMessageHandler(catchDocumentWarnings);
}

void tst_MainScreenSmoke::cleanupTestCase()
{
    qInstallMessageHandler(previousHandler);
}

void tst_MainScreenSmoke::init()
{
    documentWarnings.clear();
}

void tst_MainScreenSmoke::loadsWithoutWarnings()
{
    WorkFolder folder(WorkFolder::ShippedSettings);
    Widget window;
    myQQuickView *view = window.bridge();
    QVERIFY(view->errors().isEmpty());
    QQuickItem *root = view->rootObject();
    QVERIFY(root);
    QCOMPARE(root->width(), 1000.0);
    QCOMPARE(root->height(), 640.0);
    // Before a mouse answers only the logo shows; the panels wait for initUI.
    QCOMPARE(root->property("visible").toBool(), true);
    QCOMPARE(root->findChild<QObject *>("panelleft")->property("visible").toBool(), false);
    for (const char *name : pageNames)
        QVERIFY2(root->findChild<QObject *>(name), name);
    QCOMPARE(documentWarnings, QStringList());
}

void tst_MainScreenSmoke::initUIFillsThePages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("dpiTitle");
    QTest::addColumn<int>("languageFlag");
    QTest::newRow("English") << "English"
                             << "DPI Setting" << 0;
    QTest::newRow("Chinese") << "ChineseSimplified" << QString::fromUtf8("DPI 设置") << 1;
}

void tst_MainScreenSmoke::initUIFillsThePages()
{
    QFETCH(QString, language);
    QFETCH(QString, dpiTitle);
    QFETCH(int, languageFlag);

    WorkFolder folder(WorkFolder::ShippedSettings);
    QVERIFY(folder.copyShipped("i18n/lang_025044.ini"));
    {
        QSettings config("./modules/setting/apConfig.bin", QSettings::IniFormat);
        config.setValue("common/language", language);
    }
    Widget window;
    QQuickItem *root = window.bridge()->rootObject();
    QVERIFY(root);

    window.bridge()->initUI();
    QTRY_VERIFY(root->property("isPowerOn").toBool());
    QCOMPARE(root->property("language").toInt(), languageFlag);
    QCOMPARE(root->property("visible").toBool(), true);
    QCOMPARE(root->findChild<QObject *>("dpiSettingMain")->property("title").toString(), dpiTitle);
    QCOMPARE(root->property("mainLang").toStringList().size(), 35);

    auto *logo = root->findChild<QQuickItem *>("powerOnLogo");
    auto *panel = root->findChild<QQuickItem *>("panelRightItem");
    QVERIFY(logo && panel);
    QVERIFY(!panel->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!logo->isVisible(), 5000);
    QVERIFY(panel->isVisible());
    QVERIFY(window.bridge()->isEnabled());

    // Each page's texts come whole from the shipped language file in Chinese and stay
    // built in otherwise; either way every page keeps the number of texts it shows.
    const struct
    {
        int type;
        const char *page;
        const char *property;
        int count;
    } groups[] = {{0, nullptr, "mainLang", 35}, {1, "keyMatrixMain", "keyMatrixLang", 5},
        {2, "keyMenuMain", "keyMenuLang", 45}, {3, "macroEditorMain", "macroEditorLang", 20},
        {4, "gunControlMain", "gunControlLang", 30}, {5, "macroKeyMain", "macroKeyLang", 9}};
    for (const auto &group : groups) {
        QObject *owner = group.page ? root->findChild<QObject *>(group.page) : root;
        QVERIFY2(owner, group.property);
        const QStringList shown = owner->property(group.property).toStringList();
        const QStringList shipped = window.bridge()->getGlobalStrings(group.type, "lang_025044");
        QCOMPARE(shipped.size(), group.count);
        QCOMPARE(shown.size(), group.count);
        if (languageFlag == 1)
            QCOMPARE(shown, shipped);
        else
            QVERIFY2(shown.first() != shipped.first(), group.property);
    }

    // A second start-up after another handshake leaves the screen as it is.
    window.bridge()->initUI();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!root->findChild<QQuickItem *>("protectUIItem")->isVisible());
    QCOMPARE(documentWarnings, QStringList());
}

QTEST_MAIN(tst_MainScreenSmoke)
#include "tst_mainscreen_smoke.moc"
