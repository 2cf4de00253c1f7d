#include "payload/cleanup.h"

void cleanUp() {}
