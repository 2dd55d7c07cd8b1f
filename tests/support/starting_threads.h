// Under Wine a process that ends while one of its threads is still starting
// (created, but not yet running Windows code) can die with a segmentation
// fault after everything else went well. GoogleTest on Windows starts such a
// thread for each thread that first uses SCOPED_TRACE or reports a failure,
// which may be the last thing a short test does. Test programs therefore wait,
// before they end, until every other thread has started or gone.
#pragma once

// True once every other thread of the process has run its start-up (or has
// ended); false if some thread was still starting or ending after timeoutMs.
// Always true where threads need no such wait (native builds).
bool WaitForStartingThreads(unsigned timeoutMs);
