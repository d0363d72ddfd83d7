#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// A settings key of the test prefix's registry that belongs to the running test: named
// after it, empty when the test starts and deleted when it ends.
class TestRegistryKey {
public:
    TestRegistryKey()
        : path_(std::string("Software\\Nebulart\\Tests\\") +
                ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "." +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    ~TestRegistryKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::string& path() const { return path_; }

    bool Exists() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    bool Has(const char* name, const char* subkey = nullptr) const {
        DWORD size = 0;
        return RegGetValueA(HKEY_CURRENT_USER, Path(subkey).c_str(), name, RRF_RT_ANY, nullptr, nullptr,
                            &size) == ERROR_SUCCESS;
    }

    DWORD Dword(const char* name, const char* subkey = nullptr) const {
        DWORD value = 0xDEADBEEF;
        DWORD size = sizeof(value);
        EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, Path(subkey).c_str(), name, RRF_RT_REG_DWORD, nullptr,
                               &value, &size),
                  ERROR_SUCCESS)
            << name;
        return value;
    }

    std::string Text(const char* name) const {
        char text[400] = {};
        DWORD size = sizeof(text);
        EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size),
                  ERROR_SUCCESS)
            << name;
        return text;
    }

    void SetDword(const char* name, DWORD value, const char* subkey = nullptr) const {
        ASSERT_EQ(
            RegSetKeyValueA(HKEY_CURRENT_USER, Path(subkey).c_str(), name, REG_DWORD, &value, sizeof(value)),
            ERROR_SUCCESS);
    }

    void SetString(const char* name, const std::string& text) const {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, path_.c_str(), name, REG_SZ, text.c_str(),
                                  static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }

private:
    std::string Path(const char* subkey) const { return subkey ? path_ + "\\" + subkey : path_; }

    std::string path_;
};
