#include "framework/command_line.h"

#include <cctype>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

// The program's own name ends as Windows splits it: at the closing quote of a quoted
// name, otherwise at the first white space.
const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') {
            ++p;
        }
        return (*p != '\0') ? p + 1 : p;
    }
    while (*p != '\0' && !IsSpace(*p)) {
        ++p;
    }
    return p;
}

// The first '/' or '-' that starts an argument. Windows may start the saver with an
// unquoted path holding spaces, whose later parts ("...\celestra-1.0\ssaver.scr") are
// arguments of their own: a hyphen or slash inside one of them is no switch.
const char* FindSwitch(const char* p) {
    bool argumentStart = true;
    for (; *p != '\0'; ++p) {
        if (argumentStart && (*p == '/' || *p == '-')) {
            return p;
        }
        argumentStart = IsSpace(*p);
    }
    return p;
}

SaverMode ModeForLetter(char letter) {
    switch (std::tolower(static_cast<unsigned char>(letter))) {
        case 'c':
            return Config;
        case 'p':
            return Preview;
        case 't':
            return Test;
        case 'a':
            return ChangePassword;
        default:
            return Full;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a decimal number as atol would, saturating instead of overflowing.
uint32_t ReadDecimal(const char* p) {
    const uint32_t limit = 0x7FFFFFFF;
    uint32_t value = 0;
    for (; IsDigit(*p); ++p) {
        const uint32_t digit = static_cast<uint32_t>(*p - '0');
        value = (value > (limit - digit) / 10) ? limit : value * 10 + digit;
    }
    return value;
}

}  // namespace

SaverCommandLine ParseSaverCommandLine(const char* text) {
    SaverCommandLine result;
    if (text == nullptr) {
        return result;
    }
    const char* p = FindSwitch(SkipProgramName(text));
    if (*p == '\0' || p[1] == '\0') {
        return result;  // no switch letter: the settings dialog
    }
    result.mode = ModeForLetter(p[1]);
    if (result.mode == Config || result.mode == Preview || result.mode == ChangePassword) {
        p += 2;
        while (*p != '\0' && !IsDigit(*p)) {
            ++p;
        }
        if (*p != '\0') {
            result.windowNumber = ReadDecimal(p);
        }
    }
    return result;
}
