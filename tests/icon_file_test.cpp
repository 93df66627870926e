#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

// The committed icon: nine opaque 32-bpp DIBs with empty masks, 16 to 256.
static std::vector<uint8_t> ReadIcon()
{
    std::ifstream file(QSB_ICON_PATH, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

static unsigned U16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
static unsigned U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

TEST(IconFile, NineOpaqueUncompressedImages)
{
    const std::vector<uint8_t> icon = ReadIcon();
    ASSERT_GT(icon.size(), 6u);
    EXPECT_EQ(U16(icon, 0), 0u);
    EXPECT_EQ(U16(icon, 2), 1u);
    ASSERT_EQ(U16(icon, 4), 9u);

    const unsigned sizes[] = {16, 24, 32, 48, 64, 72, 96, 128, 256};
    size_t expectedOffset = 6 + 9 * 16;
    for (int i = 0; i < 9; ++i) {
        const size_t entry = 6 + 16 * i;
        const size_t size = sizes[i];
        EXPECT_EQ(icon[entry], size & 0xFF) << size;  // 256 is written as 0
        EXPECT_EQ(icon[entry + 1], size & 0xFF);
        EXPECT_EQ(U16(icon, entry + 4), 1u);   // planes
        EXPECT_EQ(U16(icon, entry + 6), 32u);  // bits per pixel
        const unsigned bytes = U32(icon, entry + 8), offset = U32(icon, entry + 12);
        const unsigned maskRow = (size + 31) / 32 * 4;
        ASSERT_EQ(bytes, 40 + size * size * 4 + maskRow * size);
        ASSERT_EQ(offset, expectedOffset);
        ASSERT_LE(offset + bytes, icon.size());
        expectedOffset += bytes;

        EXPECT_EQ(U32(icon, offset), 40u);
        EXPECT_EQ(U32(icon, offset + 4), size);
        EXPECT_EQ(U32(icon, offset + 8), 2 * size);
        EXPECT_EQ(U16(icon, offset + 14), 32u);
        EXPECT_EQ(U32(icon, offset + 16), 0u);  // BI_RGB, not PNG
        const size_t pixels = offset + 40;
        int opaque = 0, colours = 0;
        for (size_t p = 0; p < size * size; ++p) {
            opaque += icon[pixels + 4 * p + 3] == 255;
            colours += icon[pixels + 4 * p] != icon[pixels] || icon[pixels + 4 * p + 2] != icon[pixels + 2];
        }
        EXPECT_EQ(opaque, static_cast<int>(size * size)) << size;
        EXPECT_GT(colours, static_cast<int>(size * size / 10)) << "a picture, not a plain square, at " << size;
        const size_t mask = pixels + size * size * 4;
        int maskBits = 0;
        for (size_t m = mask; m < mask + maskRow * size; ++m) {
            maskBits += icon[m] != 0;
        }
        EXPECT_EQ(maskBits, 0) << size;
    }
    EXPECT_EQ(expectedOffset, icon.size());
}
