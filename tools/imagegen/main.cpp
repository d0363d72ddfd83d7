// Generates every image the screensaver embeds into one output folder, and on request
// a contact sheet of them all. The output depends on nothing but this code: the same
// run always writes the same bytes.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "contact_sheet.h"
#include "image_set.h"
#include "png_writer.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "celestra-imagegen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "celestra-imagegen: failed writing %s\n", path.c_str());
    }
    return written && closed;
}

int Usage() {
    std::fprintf(stderr, "usage: celestra-imagegen [--out DIRECTORY] [--contact-sheet FILE.png]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    std::string sheetPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outDir = argv[++i];
        } else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
            sheetPath = argv[++i];
        } else {
            return Usage();
        }
    }
    if (outDir.empty() && sheetPath.empty()) {
        return Usage();
    }
    const ImageSet set = DrawImageSet();
    bool ok = true;
    if (!outDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(outDir, error);  // a failure shows as unwritable files
        for (const EncodedFile& file : EncodeImageSet(set)) {
            ok = WriteFile(outDir + "/" + file.name, file.bytes) && ok;
        }
    }
    if (!sheetPath.empty()) {
        ok = WriteFile(sheetPath, EncodePng(DrawContactSheet(set))) && ok;
    }
    return ok ? 0 : 1;
}
