#include "base/old_platform.h"

namespace {

bool g_oldPlatform = false;

}  // namespace

bool oldPlatform() {
    return g_oldPlatform;
}

void setOldPlatform(bool old) {
    g_oldPlatform = old;
}
