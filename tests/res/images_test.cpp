// The application icon group and the banner bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "res/resource.h"
#include "tests/res/resource_bytes.h"

namespace orvanta::test {
namespace {

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;  // 0 stands for 256
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

template <typename T>
T ReadAt(std::span<const std::byte> bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) {
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    } else {
        ADD_FAILURE() << "resource too short for a field at " << offset;
    }
    return value;
}

TEST(ApplicationIcon, GroupHoldsSevenSquareSizesAt32Bits) {
    const auto group = ResourceBytes(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_FALSE(group.empty());
    const auto header = ReadAt<GroupIconHeader>(group, 0);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, 7);

    std::multiset<int> sizes;
    for (size_t i = 0; i < header.count; ++i) {
        const auto entry =
            ReadAt<GroupIconEntry>(group, sizeof(GroupIconHeader) + i * sizeof(GroupIconEntry));
        const int width = entry.width == 0 ? 256 : entry.width;
        const int height = entry.height == 0 ? 256 : entry.height;
        SCOPED_TRACE(testing::Message() << "entry " << i << ", " << width << " px");
        EXPECT_EQ(width, height);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_EQ(entry.planes, 1);
        sizes.insert(width);

        // The image itself: PNG for the largest size, otherwise a 32-bit DIB twice as tall
        // (colour and mask).
        const auto image = ResourceBytes(RT_ICON, entry.id);
        ASSERT_EQ(image.size(), entry.bytesInResource);
        static const unsigned char kPng[] = {0x89, 'P', 'N', 'G'};
        if (std::memcmp(image.data(), kPng, sizeof kPng) != 0) {
            const auto info = ReadAt<BITMAPINFOHEADER>(image, 0);
            EXPECT_EQ(info.biWidth, width);
            EXPECT_EQ(info.biHeight, 2 * height);
            EXPECT_EQ(info.biBitCount, 32);
        } else {
            EXPECT_EQ(width, 256) << "only the largest image is stored as PNG";
        }
    }
    EXPECT_EQ(sizes, (std::multiset<int>{256, 128, 64, 48, 32, 24, 16}));
}

TEST(ApplicationIcon, LoadsAtTheSystemSizes) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                   size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The banner as stored: a bottom-up 24-bit DIB without file header.
class BannerBitmap : public testing::Test {
  protected:
    void SetUp() override {
        bytes_ = ResourceBytes(RT_BITMAP, IDB_BANNER);
        ASSERT_FALSE(bytes_.empty());
        info_ = ReadAt<BITMAPINFOHEADER>(bytes_, 0);
        ASSERT_EQ(info_.biSize, sizeof(BITMAPINFOHEADER));
        ASSERT_EQ(info_.biBitCount, 24);
        ASSERT_EQ(info_.biCompression, static_cast<DWORD>(BI_RGB));
        ASSERT_GT(info_.biHeight, 0) << "bottom-up rows";
        stride_ = (static_cast<size_t>(info_.biWidth) * 3 + 3) & ~size_t{3};
        ASSERT_GE(bytes_.size(), info_.biSize + stride_ * info_.biHeight);
    }

    // Pixel in screen orientation (row 0 at the top), as 0x00RRGGBB.
    DWORD Pixel(int column, int row) const {
        const size_t offset = info_.biSize + stride_ * (info_.biHeight - 1 - row) + column * 3;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
        return (DWORD{p[2]} << 16) | (DWORD{p[1]} << 8) | p[0];
    }

    std::span<const std::byte> bytes_;
    BITMAPINFOHEADER info_{};
    size_t stride_ = 0;
};

TEST_F(BannerBitmap, Is693By44At24Bits) {
    EXPECT_EQ(info_.biWidth, 693);
    EXPECT_EQ(info_.biHeight, 44);
    EXPECT_EQ(info_.biPlanes, 1);
}

TEST_F(BannerBitmap, WordMarkIsPaleGreenGreyInkInsideItsBoxOnWhite) {
    constexpr DWORD kWhite = 0xFFFFFF;
    int inkPixels = 0;
    RECT ink{info_.biWidth, info_.biHeight, -1, -1};
    for (int row = 0; row < info_.biHeight; ++row) {
        for (int column = 0; column < info_.biWidth; ++column) {
            const DWORD pixel = Pixel(column, row);
            if (pixel == kWhite) {
                continue;
            }
            ++inkPixels;
            ink = {std::min<LONG>(ink.left, column), std::min<LONG>(ink.top, row),
                   std::max<LONG>(ink.right, column), std::max<LONG>(ink.bottom, row)};
            const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
            EXPECT_TRUE(green >= red && green >= blue && red >= 0x80 && blue >= 0x80)
                << std::hex << "not pale green-grey: 0x" << pixel << std::dec << " at " << column
                << "," << row;
        }
    }
    EXPECT_GT(inkPixels, 500) << "the word mark is missing";
    EXPECT_GE(ink.left, 186);
    EXPECT_LE(ink.right, 416);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 40);
}

TEST_F(BannerBitmap, LoadsAsABitmapOfItsSize) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 693);
    EXPECT_EQ(size.bmHeight, 44);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace orvanta::test
