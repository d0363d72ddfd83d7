#include "util/copy_string_bounded.h"

#include <cstring>

char* CopyStringBounded(char* destination, const char* source, int count) {
    if (destination == nullptr || source == nullptr || count == 0) {
        return nullptr;
    }
    if (count == -1) {
        return std::strcpy(destination, source);
    }
    if (count < 0) {
        return nullptr;
    }
    std::strncpy(destination, source, static_cast<std::size_t>(count));
    destination[count - 1] = '\0';
    return destination;
}
