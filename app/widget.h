#pragma once

#include <QEvent>
#include <QPoint>
#include <QSize>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;

#include "device/hid_thread.h"
#include "device/linkowner.h"

class Ui_Controler;
class myQQuickView;
class DeviceChangeWatcher;

// Asks the main window to run the user interface (field 2177).
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type UserEventType = QEvent::Type(1000);
    static constexpr int RunUI = 2177;
    explicit UserEvent(int value)
        : QEvent(UserEventType)
        , field(value)
    {
    }
    int field;
};

// The main window: owns the link, the controller, the timer and the tray. What is seen is
// the bridge's Qt Quick window (bridge()); the window calls below act on it.
class Widget : public QObject, public LinkOwner
{
    Q_OBJECT
public:
    static constexpr int CheckInterval = 2048;
    // Logo: the window can be shown at once with the start document; buildMainScreen follows.
    enum class FirstDocument { MainScreen, Logo };

    explicit Widget(QObject *parent = nullptr, FirstDocument first = FirstDocument::MainScreen);
    ~Widget() override;

    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    void setVisible(bool visible);
    void showNormal();
    void showMinimized();
    bool isVisible() const;
    bool isHidden() const { return !isVisible(); }
    bool isMinimized() const;
    QSize size() const;
    QPoint pos() const;
    void move(const QPoint &position);
    QString windowTitle() const;

    void trackHotKey(bool isDown, quint8 usage);
    // One device-change message: restarts the debounce while the link is not started;
    // once it is started, checks that the mouse is still there.
    void deviceChanged();
    // The mouse left: the link stops, the window goes to the tray until the mouse is back.
    void deviceLost();
    // Asks the window to become visible again, asynchronously.
    void postRestore();
    // Loads the main screen in place of the start document, if that is still shown, and
    // puts up the tray icon.
    void buildMainScreen();

    Hid_Thread &link() { return hid; }
    Ui_Controler *controller() const { return uiController; }
    myQQuickView *bridge() const;
    QTimer &deviceCheckTimer() { return checkTimer; }
    QSystemTrayIcon *tray() const { return trayIcon; }
    QAction *autostartMenuAction() const { return autostartAction; }

    // LinkOwner
    void startUI() override;
    void enableView() override;
    void clearHidBusy() override;
    QVariant secrecyCodeSetting(int did) const override;
    void deviceDetected() override;
    void hideWindow() override;

    // Texts of the tray notices shown so far by showNotice, oldest first.
    QStringList shownNotices() const { return noticeLog; }

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    // Writes or removes the login entry, and remembers the choice.
    void setAutostart(bool enabled);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString msg);

protected:
    void customEvent(QEvent *event) override;
    // Closing the window itself ends the program; the tray menu is styled when first needed.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Platform messages of the window: restore requests and device changes on Windows.
    void watchPlatformMessages();
    void setupTrayIcon();
    bool styleTrayMenuWhenPolished(QEvent *event);
    void showNotice(int notice);

    QTimer checkTimer;
    Hid_Thread hid;
    Ui_Controler *uiController = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    // A menu has no owner but its creator.
    std::unique_ptr<QMenu> trayMenu;
    QAction *autostartAction = nullptr;
    DeviceChangeWatcher *deviceWatcher = nullptr;
    bool shiftHeld = false;
    bool altHeld = false;
    bool firstCheckDone = false;
    bool waitingForReturn = false;
    bool showOnReturn = false;
    QStringList noticeLog;
};
