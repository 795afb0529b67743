// The least a Qt Quick window of the main window's size costs: the floor the start-up
// benchmark holds the program against. It draws with the same renderer choice, reports
// its first frame the same way, and hides itself when clicked, as the program does on
// its close button.
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSGRendererInterface>

#include <cstdio>

namespace {
const char *document = R"(import QtQuick
Rectangle {
    width: 1000
    height: 640
    color: "#1a1a1a"
    Text {
        anchors.centerIn: parent
        text: "Looking for the mouse …"
        color: "#d9d9d9"
        font.pixelSize: 14
    }
    MouseArea {
        anchors.fill: parent
        onClicked: Window.window.hide()
    }
}
)";
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")
        && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    QQuickView view;
    QQmlComponent component(view.engine());
    component.setData(document, QUrl());
    QObject *root = component.create();
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    view.setContent(QUrl(), &component, root);
    view.setFlags(Qt::Window | Qt::FramelessWindowHint);
    bool reported = false;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&] {
        if (reported)
            return;
        reported = true;
        const bool software
            = view.rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
        std::printf("first frame %s\n", software ? "software" : "rhi");
        std::fflush(stdout);
    });
    view.show();
    return app.exec();
}
