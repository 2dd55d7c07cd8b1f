#include "app_message.h"

#include <mutex>

#include "engine_ui.h"

namespace {

std::mutex AppMessageLock;
// The process-wide pair; kept until the next message replaces it.
std::u16string AppMessageText;
int AppMessageKind = 0;

}  // namespace

AppMessage SetAppMessage(int kind, std::u16string text) {
    std::lock_guard<std::mutex> hold(AppMessageLock);
    AppMessageText = std::move(text);
    AppMessageKind = kind;
    return {AppMessageText, AppMessageKind};
}

AppMessage SetAppMessageText(std::u16string text) {
    std::lock_guard<std::mutex> hold(AppMessageLock);
    AppMessageText = std::move(text);
    return {AppMessageText, AppMessageKind};
}

AppMessage GetAppMessage() {
    std::lock_guard<std::mutex> hold(AppMessageLock);
    return {AppMessageText, AppMessageKind};
}

void ShowAppMessage(int kind, std::u16string text) {
    const AppMessage message = SetAppMessage(kind, std::move(text));
    Ui().ShowAppMessage(message.kind, message.text);
}

int AskAppQuestion(int kind, std::u16string text) {
    const AppMessage message = SetAppMessage(kind, std::move(text));
    return Ui().AskQuestion(message.kind, message.text);
}
