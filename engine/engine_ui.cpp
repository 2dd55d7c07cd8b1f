#include "engine_ui.h"

#include <cstdlib>

std::u16string AppMessageText;
int AppMessageKind = 0;

namespace {

EngineUi silentUi;
EngineUi* currentUi = &silentUi;

}  // namespace

EngineUi& Ui() { return *currentUi; }
void SetEngineUi(EngineUi* ui) { currentUi = ui ? ui : &silentUi; }

void OutOfMemory() {
    AppMessageText = u"Out of memory, close other applications and run again";
    AppMessageKind = 2;
    Ui().ShowAppMessage(AppMessageKind, AppMessageText);
    std::exit(0);
}
