// String 101, the application manifest and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "res/resource.h"
#include "tests/res/resource_bytes.h"

namespace orvanta::test {
namespace {

TEST(StringTable, AboutItemText) {
    wchar_t buffer[64] = {};
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, buffer,
                                   static_cast<int>(std::size(buffer)));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer), length),
              u"Orvantaについて(&A)...");
    // Strings live in blocks of 16; block 7 holds ids 96 to 111.
    EXPECT_FALSE(ResourceBytes(RT_STRING, IDS_ABOUTBOX / 16 + 1).empty())
        << "the string table is Japanese";
}

// The manifest the loader applies to the process (CREATEPROCESS_MANIFEST_RESOURCE_ID).
constexpr WORD kProcessManifest = 1;

TEST(Manifest, RunsAsInvokerDpiAwareWithoutCommonControlsDependency) {
    const auto bytes = ResourceBytes(RT_MANIFEST, kProcessManifest);
    ASSERT_FALSE(bytes.empty());
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    EXPECT_NE(text.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"),
              text.npos);
    EXPECT_NE(text.find(">true</dpiAware>"), text.npos);
    EXPECT_EQ(text.find("Common-Controls"), text.npos);
    EXPECT_EQ(text.find("dependency"), text.npos);
}

class VersionBlock : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &handle);
        ASSERT_GT(size, 0u);
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data_.data()));
    }

    const void* Query(const wchar_t* subBlock, UINT* length) {
        void* value = nullptr;
        *length = 0;
        if (!VerQueryValueW(data_.data(), subBlock, &value, length)) {
            return nullptr;
        }
        return value;
    }

    std::u16string String(const std::wstring& name) {
        UINT length = 0;
        const auto* text = static_cast<const char16_t*>(
            Query((L"\\StringFileInfo\\041104B0\\" + name).c_str(), &length));
        return text != nullptr ? std::u16string(text) : u"<missing>";
    }

    std::vector<std::byte> data_;
};

TEST_F(VersionBlock, FixedPartIs1001) {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionBlock, TranslationIsJapaneseUnicode) {
    UINT length = 0;
    const auto* translation =
        static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionBlock, StringsNameTheProductAndItsMaker) {
    const struct {
        const wchar_t* name;
        std::u16string_view value;
    } expected[] = {
        {L"FileVersion", u"1.0.0.1"},
        {L"ProductVersion", u"1.0.0.1"},
        {L"FileDescription", u"Orvanta"},
        {L"ProductName", u"Orvanta"},
        {L"InternalName", u"Orvanta.exe"},
        {L"OriginalFilename", u"Orvanta.exe"},
        {L"CompanyName", u"The Orvanta developers"},
        {L"LegalCopyright", u"Copyright (C) 2026 The Orvanta developers"},
    };
    for (const auto& entry : expected) {
        EXPECT_EQ(String(entry.name), entry.value);
    }
}

}  // namespace
}  // namespace orvanta::test
