#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

// One running copy per executable file: the id comes from the executable's
// path, so copies in different folders do not see each other.
class QtSingleCoreApplication : public QApplication
{
    Q_OBJECT
public:
    QtSingleCoreApplication(int &argc, char **argv);
    ~QtSingleCoreApplication() override;

    bool isRunning() const { return !primary; }
    QString id() const { return instanceId; }
    bool sendMessage(const QString &message, int timeout = 5000);

    // A request of one line that starts with '{' is answered by the handler, on this
    // thread, with one line; without a handler a copy answers busyAnswer.
    using RequestHandler = std::function<QByteArray(const QByteArray &request)>;
    void setRequestHandler(RequestHandler handler) { requestHandler = std::move(handler); }
    static constexpr const char *busyAnswer = "busy";
    // The running copy's answer to request, or an empty one when it gave none in time.
    QByteArray sendRequest(const QByteArray &request, int timeout);
    // Becomes the running copy when the one before has gone; true when this one is now.
    bool takeOver();

    // The id for an executable path; the same path always gives the same id.
    static QString idForPath(const QString &executablePath);

signals:
    void messageReceived(const QString &message);

private:
    void listen();

    QString instanceId;
    std::unique_ptr<QLockFile> lock;
    QLocalServer *server = nullptr;
    RequestHandler requestHandler;
    bool primary = false;
};
