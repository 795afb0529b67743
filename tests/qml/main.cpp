#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

#include "fakebridge.h"

// Publishes the recording fakes under the names the documents use.
class DocumentTestSetup : public QObject
{
    Q_OBJECT
public:
    DocumentTestSetup() { CallRecorder::installWarningCatcher(); }

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->rootContext()->setContextProperty("ui_View", &view);
        engine->rootContext()->setContextProperty("ui_Ctl", &controller);
    }

private:
    FakeView view;
    FakeController controller;
};

QUICK_TEST_MAIN_WITH_SETUP(qml_documents, DocumentTestSetup)

#include "main.moc"
