#include "engine_ui.h"

#include <cstdlib>

#include "app_message.h"

namespace {

EngineUi silentUi;
EngineUi* currentUi = &silentUi;

}  // namespace

EngineUi& Ui() { return *currentUi; }
void SetEngineUi(EngineUi* ui) { currentUi = ui ? ui : &silentUi; }

void OutOfMemory() {
    ShowAppMessage(2, u"Out of memory, close other applications and run again");
    std::exit(0);
}
