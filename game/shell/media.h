// The shell's side of the display and the keyboard: it keeps the frame buffers and the key
// tables right around the platform's calls, so both platform layers present and switch alike.
#pragma once

int initDisplay();      // 1 on success; clears drawBuffer and displayBuffer
void releaseDisplay();  // the current mode's part only
void presentFrame();    // after-glow blend into displayBuffer, then shown

int initInput();
void activateInput(int on);  // switches the keyboard and forgets every held key and press
void releaseInput();
