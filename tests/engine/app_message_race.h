// Threads that set the program message while others read it.
#pragma once

// Runs writers setting distinct (kind, text) pairs and two readers for the
// given rounds each; returns how many reads saw a pair that was never set.
int CountTornAppMessages(int writers, int rounds);
