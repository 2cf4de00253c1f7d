#pragma once
#include <memory>

class ArgumentList;
class Launcher;

// The front end used without "-console".  Until the progress window exists
// this is the console front end on every platform.
std::unique_ptr<Launcher> createGuiLauncher(const ArgumentList& arguments);
