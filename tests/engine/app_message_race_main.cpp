// The concurrent message test as a plain program, for the thread sanitizer
// build (which cannot link the sanitized test framework).
#include <cstdio>

#include "app_message_race.h"

int main() {
    const int torn = CountTornAppMessages(4, 20000);
    if (torn) std::fprintf(stderr, "%d reads saw a torn message\n", torn);
    return torn ? 1 : 0;
}
