// The last words of a program that ends through std::terminate, in place of
// the C++ library's own handler of that name: that one names the exception's
// type through the library's demangler, which alone weighs some 45 KB.
// This one says what kind of end it was and the exception's what(), if it
// has one, and aborts as the library's does.
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

void say(const char* text) {
    std::fputs(text, stderr);
}

}  // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    const std::exception_ptr active = std::current_exception();
    if (!active) {
        say("terminate called without an active exception\n");
        std::abort();
    }
    say("terminate called after throwing an exception\n");
    try {
        std::rethrow_exception(active);
    } catch (const std::exception& exception) {
        say("  what():  ");
        say(exception.what());
        say("\n");
    } catch (...) {
        // Not a std::exception: there is no text to show.
    }
    std::abort();
}

}  // namespace __gnu_cxx
