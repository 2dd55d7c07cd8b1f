// The program message is set by scan and saving workers while the interface
// thread sets and shows it too.
#include <gtest/gtest.h>

#include "app_message.h"
#include "app_message_race.h"
#include "engine_ui.h"

namespace {

TEST(AppMessage, ConcurrentSettersAndReadersSeeWholePairs) {
    EXPECT_EQ(CountTornAppMessages(4, 20000), 0);
}

// The interface gets the copy taken when the message was set; another
// thread changing the message meanwhile does not change what is shown.
class ReplacingUi : public EngineUi {
public:
    std::u16string shown;
    int shownKind = 0;
    void ShowAppMessage(int kind, const std::u16string& text) override {
        SetAppMessage(1, u"replaced");
        shown = text;
        shownKind = kind;
    }
};

TEST(AppMessage, ShownCopyOutlivesALaterSetter) {
    ReplacingUi ui;
    SetEngineUi(&ui);
    ShowAppMessage(2, u"Unable to open the file");
    SetEngineUi(nullptr);
    EXPECT_EQ(ui.shown, u"Unable to open the file");
    EXPECT_EQ(ui.shownKind, 2);
    EXPECT_EQ(GetAppMessage().text, u"replaced");
    SetAppMessage(0, {});
}

}  // namespace
