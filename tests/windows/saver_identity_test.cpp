// ssaver.scr as Windows sees it before running it: the version block that Explorer's
// Properties and "Apps & features" show, and the application manifest that the loader
// applies. Read from the built file itself.
#include <windows.h>

#include <gtest/gtest.h>

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
        {"rights of the caller", "<requestedExecutionLevel level=\"asInvoker\""},
        {"common controls 6", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""},
        {"system DPI aware (Vista to 8.1)", "WindowsSettings\">true</dpiAware>"},
        {"system DPI aware (10 and 11)", "WindowsSettings\">system</dpiAwareness>"},
    };
    for (const Declaration& declaration : declarations) {
        EXPECT_NE(manifest.find(declaration.text), std::string::npos) << declaration.what;
    }
}

// The loader accepts the manifest, and in its context "comctl32.dll" is the side-by-side
// assembly of the common controls 6, which draw the dialogs in the system's visual style.
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
    EXPECT_NE(lower.find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::string::npos)
        << path;
}

}  // namespace
