#pragma once
// The signals a game can be sent from outside: those that would end it without a word are turned into
// a quiet request to end the way the close button does, or into an error a write reports.

class ProcessSignals {
public:
    // First thing in main: SIGPIPE and SIGXFSZ are ignored. A reader that leaves the pipe of the traces
    // must not end the game; under a file-size limit a write fails with EFBIG, which its writer reports,
    // instead of the signal killing the game in the middle of saving.
    static void ignoreWriteFailures();
    // Once the game is about to start, before any other thread runs: SIGTERM, SIGHUP and SIGINT (a
    // shutdown, a logout, Ctrl-C) only raise the quit request. A second one while the game still runs
    // ends it at once, as if uncaught, so a game that hangs can be stopped. One ignored when the game
    // started (nohup) stays ignored.
    static void catchQuitRequests();

    // True once one of the quit signals arrived.
    static bool quitRequested();
    // The quit signal that arrived first; 0 when none did.
    static int quitSignal();
};
