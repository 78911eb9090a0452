// Start-up steps of the real program that come before the game's own start-up: one copy at a
// time (a lock file in $XDG_RUNTIME_DIR; a second copy asks the first to come forward with
// SIGUSR1 and ends), and the watcher that turns that request into a window event.
#pragma once

// True when this copy may run; false after the running copy has been asked to come forward.
bool claimSingleInstance();
// SIGUSR1 is only ever received by the watcher thread: block it before any thread starts.
void blockRaiseSignal();
// Starts the watcher (after SDL's events are up).
void startRaiseWatcher();
