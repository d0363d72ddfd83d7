// Generates every image the screensaver embeds into one output folder. The output
// depends on nothing but this code: the same run always writes the same bytes.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ico_writer.h"
#include "icon_art.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "celestra-imagegen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

int Usage() {
    std::fprintf(stderr, "usage: celestra-imagegen --out DIRECTORY\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outDir = argv[++i];
        } else {
            return Usage();
        }
    }
    if (outDir.empty()) {
        return Usage();
    }
    const std::vector<Image> icons = {DrawIconImage(16), DrawIconImage(32), DrawIconImage(48)};
    return WriteFile(outDir + "/celestra.ico", EncodeIcon(icons)) ? 0 : 1;
}
