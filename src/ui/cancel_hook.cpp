#include "ui/cancel_hook.h"

#include "instructions/instruction_line_hook.h"
#include "launcher/facade.h"
#include "launcher/launcher_exception.h"
#include "launcher/messages.h"

void stopScriptOnCancel() {
    setInstructionLineHook([] {
        if (cancelRequested()) {
            throw LauncherException(messageForCode(kErrCanceled));
        }
    });
}
