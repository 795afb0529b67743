#pragma once

#include <QObject>
#include <QPointer>

class QQuickView;

// Gives memory back while the window is hidden in the tray: pictures no item shows,
// the QML engine's garbage and the heap's free pages.
class Footprint : public QObject
{
    Q_OBJECT
public:
    explicit Footprint(QQuickView *view);

    // Frees what nothing holds any more. Called when the window goes to the tray.
    void trim();
    int trimCount() const { return trims; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QQuickView> view;
    // Compared only: events of a window being destroyed arrive when it is no view any more.
    const QObject *watchedWindow = nullptr;
    int trims = 0;
};

// Hands the heap's free pages back to the system; false where there is no way to.
bool returnFreeHeap();
