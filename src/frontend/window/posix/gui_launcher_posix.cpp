#include "frontend/console/console_launcher.h"
#include "frontend/window/gui_launcher.h"

std::unique_ptr<Launcher> createGuiLauncher(const ArgumentList& arguments) {
    return std::make_unique<ConsoleLauncher>(arguments);
}
