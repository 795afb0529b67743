#include "app/widget.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QSignalBlocker>

#include "app/autostart.h"
#include "app/devicechangewatcher.h"
#include "app/traynotices.h"
#include "app/ui_controler.h"
#include "bridge/myqquickview.h"
#include "device/devicetable.h"
#include "store/appsettings.h"

namespace {
const char *const trayMenuStyle
    = "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
      "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
      "QMenu::item:enabled { color: rgb(225, 225, 225); } "
      "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
      "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, "
      "40); } "
      "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
      "QMenu::indicator { width: 13px; height: 13px; } "
      "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

constexpr quint8 usageLeftShift = 0xE1;
constexpr quint8 usageRightShift = 0xE5;
constexpr quint8 usageLeftAlt = 0xE2;
constexpr quint8 usageRightAlt = 0xE6;
constexpr quint8 usageF12 = 0x45;
} // namespace

Widget::Widget(QObject *parent, FirstDocument first)
    : QObject(parent)
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    hid.setOwner(this);
    uiController = new Ui_Controler(this);
    uiController->setupUi(this, first == FirstDocument::Logo);
    bridge()->hid = &hid;
    bridge()->installEventFilter(this);
    watchPlatformMessages();
    checkTimer.setInterval(CheckInterval);
    checkTimer.setSingleShot(true);
    connect(&checkTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // Shown with the logo, the tray follows the first frame (buildMainScreen).
    if (first == FirstDocument::MainScreen)
        setupTrayIcon();
    deviceWatcher = new DeviceChangeWatcher(this);
    connect(deviceWatcher, &DeviceChangeWatcher::deviceChanged, this, &Widget::deviceChanged);
    connect(&hid, &Hid_Thread::devicesChanged, this, &Widget::deviceChanged);
    // Told on the link's worker; handled here, after what the GUI thread is doing now.
    connect(&hid, &Hid_Thread::deviceLost, this, &Widget::deviceLost, Qt::QueuedConnection);
    connect(bridge(), &myQQuickView::settingsNotSaved, this,
        [this] { showNotice(int(TrayNotices::Notice::SettingsNotSaved)); });
}

Widget::~Widget()
{
    hid.stopLink();
    // A window being destroyed still sends events; none of them is for this filter.
    bridge()->removeEventFilter(this);
    // The document calls the link and the controller: it goes first, while both are there.
    delete uiController;
    // The icon still points at its menu.
    delete trayIcon;
    if (trayMenu)
        trayMenu->removeEventFilter(this);
}

myQQuickView *Widget::bridge() const
{
    return uiController->view();
}

void Widget::buildMainScreen()
{
    setupTrayIcon();
    uiController->loadMainDocument();
}

void Widget::setupTrayIcon()
{
    if (trayIcon)
        return;
    trayIcon = new QSystemTrayIcon(this);
    QAction *quitAction = new QAction(tr("Quit (&Q)"), this);
    connect(quitAction, &QAction::triggered, this, &Widget::exitSYS);
    autostartAction = new QAction(tr("Start at login"), this);
    autostartAction->setCheckable(true);
    autostartAction->setChecked(bridge()->applicationSettings()->autostart());
    // The entry follows the program when it moves or is upgraded.
    if (autostartAction->isChecked())
        Autostart::write(QCoreApplication::applicationFilePath());
    connect(autostartAction, &QAction::triggered, this, &Widget::setAutostart);
    trayMenu = std::make_unique<QMenu>();
    trayMenu->addAction(autostartAction);
    trayMenu->addSeparator();
    trayMenu->addAction(quitAction);
    // The style sheet is parsed when the menu is first polished, not at start: a status
    // notifier tray shows its own rendering of the menu and never needs it.
    trayMenu->installEventFilter(this);
    trayIcon->setContextMenu(trayMenu.get());
    trayIcon->setToolTip("DORNAK SKELDA MOUSE R740");
    trayIcon->setIcon(QIcon("./modules/img/trayIcon.ico"));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::setAutostart(bool enabled)
{
    const bool written
        = enabled ? Autostart::write(QCoreApplication::applicationFilePath()) : Autostart::remove();
    if (!written) {
        qWarning("autostart entry not changed: %s", qPrintable(Autostart::location()));
        const QSignalBlocker quiet(autostartAction);
        autostartAction->setChecked(Autostart::isWritten());
        return;
    }
    if (!bridge()->applicationSettings()->setAutostart(enabled))
        qWarning("autostart choice not saved");
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick && hid.isDeviceReady())
        postRestore();
}

// A second start is the way back where no tray icon is, so it works in every state.
void Widget::receiveMessage(QString msg)
{
    Q_UNUSED(msg);
    postRestore();
}

void Widget::deviceChanged()
{
    if (!hid.isLinkStarted()) {
        checkTimer.start();
        return;
    }
    // A started link used to ignore these, so an unplugged mouse went unnoticed for good.
    hid.checkPresence();
}

void Widget::deviceLost()
{
    if (!hid.isLinkStarted())
        return;
    hid.forgetDevice();
    waitingForReturn = true;
    showOnReturn = isVisible();
    hideWindow();
    showNotice(int(TrayNotices::Notice::MouseDisconnected));
    // The mouse may be back before any further notice arrives.
    checkTimer.start();
}

void Widget::checkDevice()
{
    // The check fills the pages, so they exist first.
    buildMainScreen();
    hid.enumerateDevices(
        DeviceTable::shippedRecords(bridge()->applicationSettings()->productNames()));
    hid.setEncode(DeviceTable::shippedIsEncode());
    const bool wasReady = hid.isDeviceReady();
    hid.swichCurDevice(uint(hid.currentDeviceId()));
    bridge()->syncFW();
    // Silence at start would look like a program that does not work.
    if (!firstCheckDone && !hid.isDeviceReady())
        showNotice(int(TrayNotices::Notice::WaitingForMouse));
    firstCheckDone = true;
    // Without system notices a mouse that left is looked for again and again.
    if (waitingForReturn && !hid.isDeviceReady() && !deviceWatcher->isWatching())
        checkTimer.start();
    if (!hid.isDeviceReady() || wasReady)
        return;
    if (waitingForReturn && showOnReturn)
        postRestore();
    waitingForReturn = false;
    // Whatever the mouse holds now (another computer, a reset), it does what the window shows.
    bridge()->resendProfile();
}

void Widget::startUI()
{
    bridge()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::RunUI));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == UserEvent::UserEventType
        && static_cast<UserEvent *>(event)->field == UserEvent::RunUI)
        bridge()->runUI();
}

// Closing the window itself ends the program; closing a message box while the
// window is hidden in the tray must not, so the application does not quit on
// its own when its last visible window closes.
bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && watched == bridge())
        QCoreApplication::exit(0);
    if (trayMenu && watched == trayMenu.get())
        return styleTrayMenuWhenPolished(event);
    return false;
}

// The menu is polished when first shown or measured instead of right after it was made,
// and takes its style sheet then.
bool Widget::styleTrayMenuWhenPolished(QEvent *event)
{
    if (event->type() == QEvent::PolishRequest)
        return true;
    if (event->type() == QEvent::Polish) {
        trayMenu->removeEventFilter(this);
        trayMenu->setStyleSheet(trayMenuStyle);
    }
    return false;
}

void Widget::setVisible(bool visible)
{
    bridge()->setVisible(visible);
}

void Widget::showNormal()
{
    bridge()->showNormal();
}

void Widget::showMinimized()
{
    bridge()->showMinimized();
}

bool Widget::isVisible() const
{
    return bridge()->isVisible();
}

bool Widget::isMinimized() const
{
    return bridge()->windowStates().testFlag(Qt::WindowMinimized);
}

QSize Widget::size() const
{
    return bridge()->size();
}

QPoint Widget::pos() const
{
    return bridge()->position();
}

void Widget::move(const QPoint &position)
{
    bridge()->setPosition(position);
}

QString Widget::windowTitle() const
{
    return bridge()->title();
}

void Widget::exitSYS()
{
    hid.stopLink();
    QCoreApplication::exit(0);
}

void Widget::trackHotKey(bool isDown, quint8 usage)
{
    const bool shift = usage == usageLeftShift || usage == usageRightShift;
    const bool alt = usage == usageLeftAlt || usage == usageRightAlt;
    if (!isDown) {
        if (shift)
            shiftHeld = false;
        else if (alt)
            altHeld = false;
        return;
    }
    if (shift)
        shiftHeld = true;
    else if (alt)
        altHeld = true;
    else if (usage == usageF12 && shiftHeld && altHeld && isHidden())
        showNormal();
}

void Widget::enableView()
{
    bridge()->setEnabled(true);
}

void Widget::clearHidBusy()
{
    bridge()->clearHidBusy();
}

QVariant Widget::secrecyCodeSetting(int did) const
{
    return bridge()->applicationSettings()->secrecyCode(did);
}

void Widget::deviceDetected()
{
    showNotice(int(TrayNotices::Notice::MouseDetected));
}

void Widget::showNotice(int notice)
{
    const TrayNotices::Text shown
        = TrayNotices::text(TrayNotices::Notice(notice), bridge()->getLang());
    noticeLog.append(shown.text);
    setupTrayIcon();
    trayIcon->showMessage(shown.title, shown.text, shown.icon, 10000);
}

void Widget::hideWindow()
{
    setVisible(false);
}
