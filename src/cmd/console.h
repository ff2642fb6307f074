// The keypress wait before an early exit.
#pragma once

// Writes "\n<press a key>\n" and, only when standard input is a terminal,
// waits for one keystroke without echo and without Enter.
void WaitForKey();
