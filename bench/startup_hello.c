/* The smallest program of the Windows build: the floor that the launcher's
   start is measured against (bench/stub_size.sh). */
#include <stdio.h>

int main(void) {
    puts("hello");
    return 0;
}
