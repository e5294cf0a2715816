#pragma once

namespace zok {

// What an event loop waits on to learn that the system asked the program to end: on POSIX the
// read end of a pipe, on Windows a manual-reset event.
#if defined(_WIN32)
using StopRequestHandle = void *;
#else
using StopRequestHandle = int;
#endif

// Catches the system's requests to end the program (SIGTERM, SIGINT and SIGHUP on POSIX; Ctrl+C,
// Ctrl+Break and the closing of the console on Windows) from now on, and makes each one show on
// the returned handle instead of ending the process, so the program can close its port and files
// and return. A signal the program was started with ignored (nohup, a background job) stays
// ignored. Every call returns the same handle, which lives as long as the process; it is invalid
// (-1, or null) when the system refused.
StopRequestHandle WatchStopRequests();

// Takes the requests that have arrived off the handle, so that it shows only later ones.
void ClearStopRequests();

} // namespace zok
