// Fuzz entry point of the command line: any bytes give one of the five run modes, and
// only the modes that take a window number carry one.
#include <cstdint>
#include <cstdlib>

#include "framework/command_line.h"
#include "fuzz_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    const std::vector<char> text = input.RestAsText();
    const SaverCommandLine parsed = ParseSaverCommandLine(text.data());
    if (parsed.mode < Config || parsed.mode > ChangePassword) {
        std::abort();
    }
    if (parsed.windowNumber != 0 && parsed.mode != Config && parsed.mode != Preview &&
        parsed.mode != ChangePassword) {
        std::abort();
    }
    return 0;
}
