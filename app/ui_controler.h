#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class myQQuickView;

// Moves, minimises and hides the frameless main window (the view) for the documents (ui_Ctl).
class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    explicit Ui_Controler(QObject *parent = nullptr);
    ~Ui_Controler() override;

    // Builds the bridge as the frameless main window and loads the main document, or first
    // only the light start document where the window is to be seen before it is built.
    // The settings objects belong to `owner`.
    void setupUi(QObject *owner, bool startDocumentFirst = false);
    // Replaces the start document by the main document; does nothing once that is loaded.
    void loadMainDocument();
    myQQuickView *view() const;
    // Tests stand in for the desktop's answer; by default the system tray is asked.
    void setTrayCheck(std::function<bool()> check) { trayCheck = std::move(check); }

public slots:
    void onMinimize();
    // Hides the window where a tray icon brings it back, minimises it elsewhere.
    void onClose();
    void onQuit();
    bool isTrayAvailable();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    std::function<bool()> trayCheck;
    QPointer<myQQuickView> quickView;
    bool mainLoaded = false;
};
