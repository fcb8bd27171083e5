// What the program loads before its first window: the DLLs its image imports.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

// The DLL names in this test program's import directory, in lower case. The program links the
// same window code as Orvanta.exe, so it imports what Orvanta.exe imports.
std::vector<std::string> ImportedModules() {
    const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        std::string name = reinterpret_cast<const char*>(base + entry->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    return names;
}

bool Imports(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(StartImportsTest, Comdlg32WaitsForTheFirstClassicFileDialog) {
    const std::vector<std::string> names = ImportedModules();
    ASSERT_TRUE(Imports(names, "user32.dll"));
    ASSERT_TRUE(Imports(names, "comctl32.dll"));
    EXPECT_FALSE(Imports(names, "comdlg32.dll"));
}

}  // namespace
