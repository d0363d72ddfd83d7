#pragma once

// Copies `source` into `destination`, keeping at most `count` - 1 characters and always
// terminating within the first `count` bytes. The rest of the `count` bytes is filled
// with NULs when the source is shorter.
//
// A count of -1 copies the whole source without a bound; callers with fixed-size fields
// never use it. A null pointer or a count of 0 (or any other negative count) copies
// nothing and returns null.
char* CopyStringBounded(char* destination, const char* source, int count);

// Bounded copy into a character array whose size the compiler knows.
template <int N>
char* CopyStringBounded(char (&destination)[N], const char* source) {
    return CopyStringBounded(destination, source, N);
}
