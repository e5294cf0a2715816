#pragma once

// Periods of the exchanges, in milliseconds. The defaults are the protocol's; tests may shorten the
// time-outs so that failure cases do not crawl.
struct ExchangeTimings
{
    int readTimeout = 1500;     // the whole parameter read
    int writeTimeout = 2500;    // the whole write sequence, started once before the first write
    int speedAttempt = 200;     // one speed tried by speed detection
    int sendPause = 5;          // before every command
    int writePause = 10;        // before every write of a write sequence
    int failedSendPause = 100;  // after a command that could not be written
    int portCheckPeriod = 1000; // between two looks for a lost port while waiting for it
};
