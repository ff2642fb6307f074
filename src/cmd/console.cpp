#include "console.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>

void WaitForKey() {
    std::fputs("\n<press a key>\n", stderr);
    std::fflush(stderr);
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0) {
        return;
    }
    termios raw = saved;
    raw.c_lflag &= ~tcflag_t(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) {
        char key = 0;
        [[maybe_unused]] ssize_t got = read(STDIN_FILENO, &key, 1);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
}
