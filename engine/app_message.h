// The next program message: its text and kind (1 information, 2 error,
// 3 question). Scan and saving workers set it while the interface thread may
// set it too, so the pair is only ever set and read under one lock, and a
// dialog shows the copy it took.
#pragma once

#include <string>

struct AppMessage {
    std::u16string text;
    int kind = 0;
};

// Sets text and kind together and returns the copy to show.
AppMessage SetAppMessage(int kind, std::u16string text);
// Sets the text alone (the failure box of a scan takes no kind).
AppMessage SetAppMessageText(std::u16string text);
// The current pair, copied under the lock.
AppMessage GetAppMessage();

// Set the message, then show or ask it through the engine's interface.
void ShowAppMessage(int kind, std::u16string text);
int AskAppQuestion(int kind, std::u16string text);  // 1 Yes, 2 No
