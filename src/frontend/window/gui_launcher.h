#pragma once
#include <memory>

class ArgumentList;
class Launcher;

// The front end used without "-console": on Windows the progress window with
// its worker thread (GuiLauncher); the POSIX build has no windowed front end
// and answers with the console one.
std::unique_ptr<Launcher> createGuiLauncher(const ArgumentList& arguments);
