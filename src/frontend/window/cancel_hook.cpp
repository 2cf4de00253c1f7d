#include "frontend/window/cancel_hook.h"

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "instructions/instruction_line_hook.h"

void stopScriptOnCancel() {
    setInstructionLineHook([] {
        if (cancelRequested()) {
            throw LauncherException(messageForCode(kErrCanceled));
        }
    });
}
