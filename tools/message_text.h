// User text (paths, option values) made safe for a one-line message.
#pragma once

// Copies text into out (size bytes, always terminated) with a backslash and
// every control character escaped: \\, \n, \t, \r, and \xHH for the rest,
// C1 controls included; bytes that are not UTF-8 are shown as \xHH too.
// Takes at most `limit` bytes of text; "..." ends a copy that was cut.
void EscapeForMessage(const char* text, int limit, char* out, int size);
