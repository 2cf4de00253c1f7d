#pragma once
#include <string>

class ArgumentList;

// A front end: everything else talks to the user through one of these (by
// way of the facade in facade.h).  The operations keep this order in every
// variant.
class Launcher {
public:
    explicit Launcher(const ArgumentList& arguments) : arguments_(arguments) {}
    virtual ~Launcher() = default;

    virtual bool initialize(void* module, int showCommand) = 0;
    virtual int run() = 0;
    virtual void setStatus(const std::string& text) = 0;
    virtual void setStatusDetail(const std::string& text, const std::string& detail) = 0;
    virtual void stepProgress(int steps) = 0;
    virtual void setProgress(int percent) = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow(short delaySeconds) = 0;
    virtual bool isWindowVisible() = 0;
    virtual void showMessage(const std::string& text) = 0;
    virtual std::string getTitle() = 0;
    virtual void setTitle(const std::string& text) = 0;
    virtual std::string browseForDirectory() = 0;

protected:
    const ArgumentList& arguments() const { return arguments_; }

private:
    const ArgumentList& arguments_;
};
