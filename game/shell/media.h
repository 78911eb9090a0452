// The shell's side of the display and the input: it keeps the frame buffers and the gamepads
// right around the platform's calls, so both platform layers present and switch alike.
#pragma once

int initDisplay();    // 1 on success; clears drawBuffer and displayBuffer
void presentFrame();  // after-glow blend into displayBuffer, then shown

void releaseInput();  // the platform's part, and every gamepad forgotten
