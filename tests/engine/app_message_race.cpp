#include "app_message_race.h"

#include <atomic>
#include <thread>
#include <vector>

#include "app_message.h"

namespace {

// Each writer's text is long enough to live on the heap, and its length and
// letter tell which kind must come with it.
std::u16string TextOf(int kind) { return std::u16string(40 + kind * 17, char16_t(u'a' + kind)); }

bool IsWhole(const AppMessage& message) {
    if (message.kind == 0) return message.text.empty();
    return message.text == TextOf(message.kind);
}

}  // namespace

int CountTornAppMessages(int writers, int rounds) {
    SetAppMessage(0, {});
    std::atomic<bool> go{false};
    std::atomic<int> torn{0};
    std::vector<std::thread> threads;
    for (int w = 1; w <= writers; ++w)
        threads.emplace_back([&, w] {
            while (!go) std::this_thread::yield();
            for (int i = 0; i < rounds; ++i)
                if (!IsWhole(SetAppMessage(w, TextOf(w)))) ++torn;
        });
    for (int r = 0; r < 2; ++r)
        threads.emplace_back([&] {
            while (!go) std::this_thread::yield();
            for (int i = 0; i < rounds; ++i)
                if (!IsWhole(GetAppMessage())) ++torn;
        });
    go = true;
    for (std::thread& t : threads) t.join();
    SetAppMessage(0, {});
    return torn;
}
