#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>
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

    // The id for an executable path; the same path always gives the same id.
    static QString idForPath(const QString &executablePath);

signals:
    void messageReceived(const QString &message);

private:
    void listen();

    QString instanceId;
    std::unique_ptr<QLockFile> lock;
    QLocalServer *server = nullptr;
    bool primary = false;
};
