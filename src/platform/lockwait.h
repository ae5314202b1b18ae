#pragma once
// Waiting for another program's lock. One user action waits at most once: the statements
// of an action share a single wait of SqlConnection::kBusyWaitMs, which starts at the
// first lock one of them meets. Once it has run out, every later lock of that action is
// refused at once, so a refused action is told after one wait however many statements it
// runs. The action ends, and the next one may wait afresh, when control returns to the
// event loop (a program without one ends its actions with endAction()).

struct sqlite3;

namespace platform::lockwait {

// Makes the connection's statements wait for locks within the current action's wait.
void install(sqlite3 *db);

// Ends the current action now, as a return to the event loop does.
void endAction();

// How many waits ran out with the lock still held, since the program started: for tests,
// which count the waits instead of timing them.
int expiredWaits();

} // namespace platform::lockwait
