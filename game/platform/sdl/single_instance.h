// Start-up steps of the real program that come before the game's own start-up: one copy at a
// time per user and session (the first holds a name in the abstract Unix socket namespace; a
// second start connects to it, asks it to come forward and ends), and the watcher that turns
// that request into a window event.
#pragma once

// True when this copy may run; false after the running copy has been asked to come forward.
bool claimSingleInstance();
// Starts the watcher (after SDL's events are up); nothing when this copy holds no name.
void startRaiseWatcher();
