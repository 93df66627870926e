#include "tools/message_text.h"

#include <cstdio>
#include <cstring>

namespace {

// The length of the well-formed UTF-8 sequence that starts at s, or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
int Utf8Length(const unsigned char* s)
{
    const unsigned char c = s[0];
    const int length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    // The second byte's range narrows after E0, ED, F0 and F4.
    const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    for (int i = 1; i < length; ++i) {
        if (s[i] < (i == 1 ? low : 0x80) || s[i] > (i == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

}  // namespace

void EscapeForMessage(const char* text, int limit, char* out, int size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    int used = 0, taken = 0;
    const int room = size - 4;  // for "..." and the terminator
    while (s[taken] != '\0' && taken < limit) {
        char piece[12];
        const unsigned char c = s[taken];
        int length = c < 0x80 ? 1 : Utf8Length(s + taken);
        // U+0080 ... U+009F, the C1 controls, are C2 80 ... C2 9F.
        const bool c1 = length == 2 && c == 0xC2 && s[taken + 1] <= 0x9F;
        if (c == '\\' || c == '\n' || c == '\t' || c == '\r') {
            std::snprintf(piece, sizeof piece, "\\%c", c == '\n' ? 'n' : c == '\t' ? 't' : c == '\r' ? 'r' : '\\');
        } else if (c1) {
            std::snprintf(piece, sizeof piece, "\\x%02x\\x%02x", c, s[taken + 1]);
        } else if (c < 0x20 || c == 0x7F || length == 0) {
            length = 1;
            std::snprintf(piece, sizeof piece, "\\x%02x", c);
        } else {
            std::memcpy(piece, s + taken, length);
            piece[length] = '\0';
        }
        const int pieceLength = static_cast<int>(std::strlen(piece));
        if (used + pieceLength > room) {
            break;
        }
        std::strcpy(out + used, piece);
        used += pieceLength, taken += length;
    }
    std::strcpy(out + used, s[taken] != '\0' ? "..." : "");
}
