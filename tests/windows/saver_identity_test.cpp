// The shipped ssaver.scr as Windows sees it before running it: a 32-bit program that
// imports only what comes with Windows, the version block that Explorer's Properties and
// "Apps & features" show, and the application manifest that the loader applies. Read
// from the built file itself; a 64-bit build checks the 32-bit build's file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string SaverFile() {
    std::string path = "Z:" CELESTRA_SAVER_FILE;  // Wine maps the Unix root to Z:
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

// What the loader reads first from a program file: its processor, and the DLLs its
// import table names (in lower case).
struct ProgramImage {
    WORD machine = 0;
    std::vector<std::string> importedDlls;
};

// A structure of type T at `offset` of the file, or false when the file is too short.
template <typename T>
bool ReadAt(const std::vector<char>& file, size_t offset, T* value) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(value, file.data() + offset, sizeof(T));
    return true;
}

// The file offset of the relative virtual address `rva`, or 0 when no section holds it.
size_t FileOffset(const std::vector<IMAGE_SECTION_HEADER>& sections, DWORD rva) {
    for (const IMAGE_SECTION_HEADER& section : sections) {
        const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
            return section.PointerToRawData + (rva - section.VirtualAddress);
        }
    }
    return 0;
}

bool ReadProgramImage(const std::string& path, ProgramImage* image) {
    std::ifstream stream(path, std::ios::binary);
    const std::vector<char> file{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    IMAGE_DOS_HEADER dos;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header;
    WORD magic = 0;
    if (!ReadAt(file, 0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !ReadAt(file, dos.e_lfanew, &signature) || signature != IMAGE_NT_SIGNATURE ||
        !ReadAt(file, dos.e_lfanew + 4, &header)) {
        return false;
    }
    const size_t optional = dos.e_lfanew + 4 + sizeof(IMAGE_FILE_HEADER);
    if (!ReadAt(file, optional, &magic)) {
        return false;
    }
    // The data directories sit at the end of the optional header, which differs in size.
    const size_t directories = optional + (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                               ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                               : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
    IMAGE_DATA_DIRECTORY imports;
    if (!ReadAt(file, directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(IMAGE_DATA_DIRECTORY), &imports)) {
        return false;
    }
    std::vector<IMAGE_SECTION_HEADER> sections(header.NumberOfSections);
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
        if (!ReadAt(file, optional + header.SizeOfOptionalHeader + i * sizeof(IMAGE_SECTION_HEADER),
                    &sections[i])) {
            return false;
        }
    }
    image->machine = header.Machine;
    image->importedDlls.clear();
    const size_t first = FileOffset(sections, imports.VirtualAddress);
    IMAGE_IMPORT_DESCRIPTOR entry;
    for (size_t at = first; first != 0 && ReadAt(file, at, &entry) && entry.Name != 0; at += sizeof(entry)) {
        const size_t name = FileOffset(sections, entry.Name);
        if (name == 0 || name >= file.size()) {
            return false;
        }
        std::string dll(file.data() + name, strnlen(file.data() + name, file.size() - name));
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
        image->importedDlls.push_back(dll);
    }
    return true;
}

// A system without Direct3D 8 must get the saver's own message, so d3d8.dll is loaded at
// run time; and the runtime is linked in, so no compiler's DLL is needed.
TEST(SaverFile, IsA32BitProgramThatImportsOnlyWhatComesWithWindows) {
    ProgramImage image;
    ASSERT_TRUE(ReadProgramImage(SaverFile(), &image))
        << "no program at " << SaverFile()
        << " (a 64-bit build checks the file made by: cmake --build --preset windows --target "
           "celestra_packages)";
    EXPECT_EQ(image.machine, IMAGE_FILE_MACHINE_I386);
    const std::set<std::string> comesWithWindows = {
        "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",  "kernel32.dll", "msvcrt.dll",
        "ole32.dll",    "oleaut32.dll", "shell32.dll",  "user32.dll", "version.dll",  "winmm.dll"};
    EXPECT_NE(std::find(image.importedDlls.begin(), image.importedDlls.end(), "kernel32.dll"),
              image.importedDlls.end());
    for (const std::string& dll : image.importedDlls) {
        EXPECT_EQ(comesWithWindows.count(dll), 1u) << dll << " does not come with Windows";
    }
}

// Every resource of the build's resource script (compiled into this test program too) is
// in the shipped file, with the same size: textures, dialogs, bitmaps, icon, strings.
struct ResourceComparison {
    HMODULE saver;
    int compared;
    std::vector<std::string> missing;
};

BOOL CALLBACK CompareResource(HMODULE self, LPCSTR type, LPSTR name, LONG_PTR context) {
    ResourceComparison& comparison = *reinterpret_cast<ResourceComparison*>(context);
    HRSRC own = FindResourceA(self, name, type);
    HRSRC shipped = FindResourceA(comparison.saver, name, type);
    ++comparison.compared;
    if (shipped == nullptr || SizeofResource(comparison.saver, shipped) != SizeofResource(self, own)) {
        comparison.missing.push_back(
            (IS_INTRESOURCE(type) ? std::to_string(reinterpret_cast<ULONG_PTR>(type)) : std::string(type)) +
            "/" +
            (IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name)));
    }
    return TRUE;
}

BOOL CALLBACK CompareResourcesOfType(HMODULE self, LPSTR type, LONG_PTR context) {
    // The test program's own manifest and version are not the saver's.
    if (type != RT_MANIFEST && type != RT_VERSION) {
        EnumResourceNamesA(self, type, CompareResource, context);
    }
    return TRUE;
}

TEST(SaverFile, HoldsEveryResourceOfTheBuild) {
    ResourceComparison comparison = {
        LoadLibraryExA(SaverFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), 0, {}};
    ASSERT_NE(comparison.saver, nullptr) << SaverFile();
    EnumResourceTypesA(GetModuleHandleA(nullptr), CompareResourcesOfType,
                       reinterpret_cast<LONG_PTR>(&comparison));
    FreeLibrary(comparison.saver);
    EXPECT_GT(comparison.compared, 30) << "24 textures, the dialogs, bitmaps, icon and strings";
    EXPECT_TRUE(comparison.missing.empty())
        << "missing or different: " << ::testing::PrintToString(comparison.missing);
}

class SaverVersionBlock : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD unused = 0;
        const DWORD size = GetFileVersionInfoSizeA(SaverFile().c_str(), &unused);
        ASSERT_GT(size, 0u) << "no version block in " << SaverFile();
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(SaverFile().c_str(), 0, size, block_.data()));
    }

    // The value at `path` of the block, or null.
    const void* Value(const std::string& path, UINT* size) {
        void* value = nullptr;
        *size = 0;
        if (!VerQueryValueA(block_.data(), path.c_str(), &value, size)) {
            return nullptr;
        }
        return value;
    }

    std::string Text(const char* name) {
        UINT size = 0;
        const void* value = Value(std::string("\\StringFileInfo\\040904E4\\") + name, &size);
        return value != nullptr ? std::string(static_cast<const char*>(value)) : std::string("(missing)");
    }

    std::vector<char> block_;
};

TEST_F(SaverVersionBlock, TextsNameTheProductItsMakerAndTheRelease) {
    struct Entry {
        const char* name;
        const char* value;
    };
    const Entry entries[] = {
        {"CompanyName", "Nebulart"},
        {"ProductName", "Celestra Screensaver"},
        {"FileDescription", "Celestra Screensaver"},
        {"OriginalFilename", "ssaver.scr"},
        {"FileVersion", CELESTRA_VERSION_FULL},
        {"ProductVersion", CELESTRA_VERSION},
    };
    for (const Entry& entry : entries) {
        EXPECT_EQ(Text(entry.name), entry.value) << entry.name;
    }
}

// Explorer finds the texts through the translation table, not by guessing.
TEST_F(SaverVersionBlock, TranslationLeadsToTheTexts) {
    UINT size = 0;
    const WORD* translation = static_cast<const WORD*>(Value("\\VarFileInfo\\Translation", &size));
    ASSERT_NE(translation, nullptr);
    ASSERT_GE(size, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST_F(SaverVersionBlock, NumbersFollowTheProjectVersion) {
    UINT size = 0;
    const VS_FIXEDFILEINFO* info = static_cast<const VS_FIXEDFILEINFO*>(Value("\\", &size));
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(CELESTRA_VERSION_MINOR, CELESTRA_VERSION_MAJOR);
    const DWORD low = MAKELONG(CELESTRA_VERSION_TWEAK, CELESTRA_VERSION_PATCH);
    EXPECT_EQ(info->dwFileVersionMS, high);
    EXPECT_EQ(info->dwFileVersionLS, low);
    EXPECT_EQ(info->dwProductVersionMS, high);
    EXPECT_EQ(info->dwProductVersionLS, low);
    EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(info->dwFileFlags & info->dwFileFlagsMask, 0u) << "no debug or pre-release flags";
}

std::string ManifestText() {
    HMODULE module = LoadLibraryExA(SaverFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    HRSRC info = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    HGLOBAL handle = info != nullptr ? LoadResource(module, info) : nullptr;
    const char* data = handle != nullptr ? static_cast<const char*>(LockResource(handle)) : nullptr;
    if (data != nullptr) {
        text.assign(data, SizeofResource(module, info));
    }
    FreeLibrary(module);
    return text;
}

TEST(SaverManifest, DeclaresTheSystemsRightsStylesAndDpiAwareness) {
    const std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no manifest resource in " << SaverFile();
    struct Declaration {
        const char* what;
        const char* text;
    };
    const Declaration declarations[] = {
        {"Windows Vista", "{e2011457-1546-43c5-a5fe-008deee3d3f0}"},
        {"Windows 7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
        {"Windows 8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"},
        {"Windows 8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},
        {"Windows 10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},
        {"a 32-bit program", "processorArchitecture=\"x86\"/>"},
        {"rights of the caller", "<requestedExecutionLevel level=\"asInvoker\""},
        {"common controls 6", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""},
        {"system DPI aware (Vista to 8.1)", "WindowsSettings\">true</dpiAware>"},
        {"aware of each monitor's DPI, else of the system's (10 and 11)",
         "WindowsSettings\">PerMonitorV2, system</dpiAwareness>"},
    };
    for (const Declaration& declaration : declarations) {
        EXPECT_NE(manifest.find(declaration.text), std::string::npos) << declaration.what;
    }
}

// The loader accepts the manifest, and in its context "comctl32.dll" is the side-by-side
// assembly of the common controls 6, which draw the dialogs in the system's visual style;
// it is the assembly for this test's own processor.
TEST(SaverManifest, LoaderGivesTheCommonControlsOfVersionSix) {
    const std::string file = SaverFile();
    ACTCTXA request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = file.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the loader rejects the manifest: " << GetLastError();

    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    HMODULE controls = LoadLibraryA("comctl32.dll");
    char path[MAX_PATH] = "";
    if (controls != nullptr) {
        GetModuleFileNameA(controls, path, MAX_PATH);
        FreeLibrary(controls);
    }
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);

    std::string lower = path;
    CharLowerA(&lower[0]);
    const std::string processor = sizeof(void*) == 8 ? "amd64" : "x86";
    EXPECT_NE(
        lower.find("\\winsxs\\" + processor + "_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
        std::string::npos)
        << path;
}

}  // namespace
