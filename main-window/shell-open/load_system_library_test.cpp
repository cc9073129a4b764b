// Under Wine or on Windows: the shell library comes from the system directory.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "load_system_library.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

}  // namespace

TEST(LoadSystemLibrary, TakesShell32FromTheSystemDirectory) {
    const HMODULE shell = LoadSystemLibrary(L"shell32.dll");
    ASSERT_NE(shell, nullptr);
    wchar_t module[MAX_PATH]{};
    wchar_t system[MAX_PATH]{};
    ASSERT_GT(GetModuleFileNameW(shell, module, MAX_PATH), 0U);
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0U);
    EXPECT_EQ(Lower(module), Lower(std::wstring(system) + L"\\shell32.dll"));
    EXPECT_NE(GetProcAddress(shell, "ShellExecuteA"), nullptr);
    FreeLibrary(shell);
}

TEST(LoadSystemLibrary, FindsNothingThatIsNotInTheSystemDirectory) {
    EXPECT_EQ(LoadSystemLibrary(L"tarnwick-no-such-library.dll"), nullptr);
}
