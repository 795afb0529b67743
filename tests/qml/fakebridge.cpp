#include "fakebridge.h"

namespace {
QStringList caughtWarnings;
QtMessageHandler previousHandler = nullptr;

void catchWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray category(context.category ? context.category : "");
    const bool fromDocuments = category.startsWith("qml") || category.startsWith("js")
        || message.contains(QLatin1String("qrc:/modules/qml"));
    if (type != QtDebugMsg && type != QtInfoMsg && fromDocuments)
        caughtWarnings.append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

void CallRecorder::installWarningCatcher()
{
    previousHandler = qInstallMessageHandler(catchWarnings);
}

void CallRecorder::clear()
{
    recorded.clear();
}

QVariantList CallRecorder::callsOf(const QString &name) const
{
    QVariantList result;
    for (const QVariant &call : recorded) {
        const QVariantMap entry = call.toMap();
        if (entry.value("name").toString() == name)
            result.append(QVariant(entry.value("args").toList()));
    }
    return result;
}

QStringList CallRecorder::names() const
{
    QStringList result;
    for (const QVariant &call : recorded)
        result.append(call.toMap().value("name").toString());
    return result;
}

void CallRecorder::setResult(const QString &key, const QVariant &value)
{
    results.insert(key, value);
}

QStringList CallRecorder::warnings() const
{
    return caughtWarnings;
}

void CallRecorder::clearWarnings()
{
    caughtWarnings.clear();
}

QVariant CallRecorder::record(
    const char *name, const QVariantList &arguments, const QVariant &preset)
{
    const QString slot = QString::fromLatin1(name);
    recorded.append(QVariantMap {{"name", slot}, {"args", arguments}});
    if (!arguments.isEmpty()) {
        const QString specific = slot + '/' + arguments.first().toString();
        if (results.contains(specific))
            return results.value(specific);
    }
    return results.value(slot, preset);
}
