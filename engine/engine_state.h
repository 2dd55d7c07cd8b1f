// The engine's process-wide state as a whole; each part is declared beside
// the code that owns it.
#pragma once

// Puts the engine's state back to how it is at start-up (tests and the harness).
void ResetEngineState();
