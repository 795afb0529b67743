#pragma once

#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>
#include <memory>

// The one ordered path to a device: commands run one after the other, in the
// order they were issued from any thread, on a single worker thread. Callers
// never process events while they wait, so nothing re-enters them.
class CommandQueue
{
public:
    // A command that writes and forgets. A nonzero mergeKey names a write whose
    // newest value alone leaves the device in the state any run of them would.
    struct Write
    {
        std::function<void()> run;
        const char *failLine = nullptr;
        quint64 mergeKey = 0;
    };

    // Waiting for a command never gives up on a link that keeps moving.
    static constexpr int waitForever = -1;

    CommandQueue();
    // Drains for at most the default drain time, then waits for the running command.
    ~CommandQueue();

    // Appends write; when the newest waiting command has the same nonzero merge key it is
    // replaced instead. False, with nothing queued, once the queue is shut down.
    bool post(Write write);
    // Runs run in its turn and blocks the calling thread until it has finished. False when
    // run did not finish: the queue is shut down, the worker made no progress for stallMs
    // (see progressed), or releaseWaiters was called. A run that was still waiting is then
    // dropped; one already running finishes on its own, so run must own what it touches.
    bool call(const std::function<void()> &run, int stallMs);
    // The running command reports that it moves (a device call ended).
    void progressed();
    // Every caller blocked in call gives up at once.
    void releaseWaiters();

    // Nothing waiting and nothing running.
    bool isIdle() const;
    // False when commands were still waiting or running after timeoutMs (-1: no limit).
    bool waitIdle(int timeoutMs);
    // Takes no further commands, lets the waiting ones run for up to drainMs, logs the
    // fail lines of those still waiting then and drops them, and waits for the running one.
    void shutdown(int drainMs);
    bool isShutDown() const;
    bool onWorkerThread() const;

    // Commands whose merge key let a newer one take their place.
    int mergedCount() const;

    static constexpr int defaultDrainMs = 3000;

private:
    struct Call;
    struct Entry
    {
        Write write;
        std::shared_ptr<Call> call;
    };

    void work();

    mutable QMutex mutex;
    QWaitCondition changed;
    QList<Entry> waiting;
    bool running = false;
    bool closed = false;
    bool stopping = false;
    quint64 progress = 0;
    quint64 releases = 0;
    int merged = 0;
    QThread *worker = nullptr;
};
