#include "platform/lockwait.h"

#include "platform/sqlconnection.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <chrono>

namespace platform::lockwait {

namespace {
using Clock = std::chrono::steady_clock;

struct ActionWait {
    bool started = false;
    Clock::time_point deadline;
    int expired = 0;
};

ActionWait &current()
{
    static ActionWait wait;
    return wait;
}

// Called by the engine each time a statement finds the books locked; attempt counts the
// calls for that one lock, from 0. Returns whether to try again.
int onBusy(void *, int attempt)
{
    ActionWait &wait = current();
    const auto now = Clock::now();
    if (!wait.started) {
        wait.started = true;
        wait.deadline = now + std::chrono::milliseconds(SqlConnection::kBusyWaitMs);
        if (auto *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, &endAction, Qt::QueuedConnection);
    }
    if (now >= wait.deadline) {
        if (attempt > 0) // this statement waited, and the wait ran out
            ++wait.expired;
        return 0;
    }
    // Short pauses first, so that another program's brief write passes almost unnoticed.
    const long long left = std::chrono::duration_cast<std::chrono::milliseconds>(wait.deadline - now).count();
    const long long pause = std::min({left, 1LL << std::min(attempt, 7), 100LL});
    sqlite3_sleep(int(std::max(pause, 1LL)));
    return 1;
}
} // namespace

void install(sqlite3 *db) { sqlite3_busy_handler(db, &onBusy, nullptr); }

void endAction()
{
    ActionWait &wait = current();
    wait.started = false;
}

int expiredWaits() { return current().expired; }

} // namespace platform::lockwait
