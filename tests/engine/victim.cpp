// A helper process for the termination tests: waits to be ended, and ends by
// itself after a minute so that a failed test leaves nothing running.
#include <windows.h>

int main() {
    Sleep(60000);
    return 7;
}
