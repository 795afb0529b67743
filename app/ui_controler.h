#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class myQQuickView;

// Moves, minimises and hides the frameless main window for the documents (ui_Ctl).
class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    explicit Ui_Controler(QObject *parent = nullptr);
    ~Ui_Controler() override;

    // Configures the main window, builds the bridge and loads the main document.
    void setupUi(QWidget *mainWindow, QObject *deviceLink);
    myQQuickView *view() const { return quickView; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    QPointer<QWidget> mainWidget;
    myQQuickView *quickView = nullptr;
};
