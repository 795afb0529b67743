#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

#include "fakebridge.h"
#include "shippedfiles.h"

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
        engine->rootContext()->setContextProperty("shippedFiles", &shipped);
    }

private:
    FakeView view;
    FakeController controller;
    ShippedFiles shipped;
};

QUICK_TEST_MAIN_WITH_SETUP(qml_documents, DocumentTestSetup)

#include "main.moc"
