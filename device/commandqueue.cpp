#include "device/commandqueue.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>

struct CommandQueue::Call
{
    bool finished = false;
    bool dropped = false;
};

CommandQueue::CommandQueue()
{
    worker = QThread::create([this] { work(); });
    worker->setObjectName(QStringLiteral("device link"));
    worker->start();
}

CommandQueue::~CommandQueue()
{
    shutdown(defaultDrainMs);
    delete worker;
}

void CommandQueue::work()
{
    QMutexLocker lock(&mutex);
    for (;;) {
        while (waiting.isEmpty() && !stopping)
            changed.wait(&mutex);
        if (waiting.isEmpty())
            return;
        Entry entry = waiting.takeFirst();
        running = true;
        lock.unlock();
        entry.write.run();
        lock.relock();
        running = false;
        ++progress;
        if (entry.call)
            entry.call->finished = true;
        changed.wakeAll();
    }
}

bool CommandQueue::post(Write write)
{
    QMutexLocker lock(&mutex);
    if (closed)
        return false;
    // Only the newest waiting command may be replaced, so no command passes another.
    if (write.mergeKey != 0 && !waiting.isEmpty() && !waiting.last().call
        && waiting.last().write.mergeKey == write.mergeKey) {
        waiting.last().write = std::move(write);
        ++merged;
        return true;
    }
    waiting.append({std::move(write), nullptr});
    changed.wakeAll();
    return true;
}

bool CommandQueue::call(const std::function<void()> &run, int stallMs)
{
    if (onWorkerThread()) {
        run();
        return true;
    }
    auto state = std::make_shared<Call>();
    QMutexLocker lock(&mutex);
    if (closed)
        return false;
    waiting.append({{run, nullptr, 0}, state});
    changed.wakeAll();
    const quint64 releasedAt = releases;
    quint64 seen = progress;
    QElapsedTimer still;
    still.start();
    while (!state->finished && !state->dropped && releases == releasedAt) {
        if (progress != seen) {
            seen = progress;
            still.restart();
        }
        if (stallMs >= 0 && still.elapsed() >= stallMs)
            break;
        changed.wait(
            &mutex, QDeadlineTimer(stallMs >= 0 ? qMax<qint64>(1, stallMs - still.elapsed()) : 50));
    }
    if (state->finished)
        return true;
    for (int i = 0; i < waiting.size(); ++i) {
        if (waiting.at(i).call == state) {
            waiting.removeAt(i);
            break;
        }
    }
    return false;
}

void CommandQueue::progressed()
{
    QMutexLocker lock(&mutex);
    ++progress;
    changed.wakeAll();
}

void CommandQueue::releaseWaiters()
{
    QMutexLocker lock(&mutex);
    ++releases;
    changed.wakeAll();
}

bool CommandQueue::isIdle() const
{
    QMutexLocker lock(&mutex);
    return waiting.isEmpty() && !running;
}

bool CommandQueue::waitIdle(int timeoutMs)
{
    if (onWorkerThread())
        return false;
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    QMutexLocker lock(&mutex);
    while (!waiting.isEmpty() || running) {
        if (!changed.wait(&mutex, deadline))
            return waiting.isEmpty() && !running;
    }
    return true;
}

void CommandQueue::shutdown(int drainMs)
{
    if (onWorkerThread())
        return;
    {
        QMutexLocker lock(&mutex);
        if (stopping)
            return;
        closed = true;
    }
    waitIdle(drainMs);
    QList<Entry> dropped;
    {
        QMutexLocker lock(&mutex);
        dropped.swap(waiting);
        for (const Entry &entry : std::as_const(dropped))
            if (entry.call)
                entry.call->dropped = true;
        stopping = true;
        changed.wakeAll();
    }
    // These never reached the device.
    for (const Entry &entry : std::as_const(dropped))
        if (entry.write.failLine)
            qDebug("%s", entry.write.failLine);
    // The running command uses its owner's buffers: it must end before they go.
    worker->wait();
}

bool CommandQueue::isShutDown() const
{
    QMutexLocker lock(&mutex);
    return closed;
}

bool CommandQueue::onWorkerThread() const
{
    return QThread::currentThread() == worker;
}

int CommandQueue::mergedCount() const
{
    QMutexLocker lock(&mutex);
    return merged;
}
