#include "launcher/console_launcher.h"
#include "ui/gui_launcher.h"

std::unique_ptr<Launcher> createGuiLauncher(const ArgumentList& arguments) {
    return std::make_unique<ConsoleLauncher>(arguments);
}
