// SPDX-License-Identifier: MIT
// Reads the committed Windows icon back as Windows would: three images of
// one picture, with the sizes and colour counts the program is known by.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>

namespace {

std::vector<std::uint8_t> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned le16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8U); }
unsigned le32(const std::vector<std::uint8_t>& b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16U); }

struct Image {
    unsigned width, height, colours, bits;
    std::set<std::tuple<int, int, int>> coloursUsed; // by opaque pixels
    bool cornersTransparent;
};

Image decode(const std::vector<std::uint8_t>& file, std::size_t entry) {
    Image image{file.at(entry), file.at(entry + 1), file.at(entry + 2), le16(file, entry + 6), {}, true};
    const std::size_t offset = le32(file, entry + 12);
    EXPECT_EQ(le32(file, offset), 40U);
    EXPECT_EQ(le32(file, offset + 4), image.width);
    EXPECT_EQ(le32(file, offset + 8), 2 * image.height);
    EXPECT_EQ(le16(file, offset + 14), image.bits);
    const std::size_t palette = offset + 40;
    const std::size_t pixels = palette + 4 * (1U << image.bits);
    const std::size_t rowBytes = ((image.width * image.bits + 31) / 32) * 4;
    const std::size_t maskRowBytes = ((image.width + 31) / 32) * 4;
    const std::size_t mask = pixels + rowBytes * image.height;
    EXPECT_EQ(le32(file, entry + 8), mask + maskRowBytes * image.height - offset);
    for (unsigned row = 0; row < image.height; ++row) { // bottom-up
        for (unsigned x = 0; x < image.width; ++x) {
            const bool transparent = (file.at(mask + row * maskRowBytes + x / 8) >> (7 - x % 8)) & 1U;
            const bool corner = (row == 0 || row == image.height - 1) && (x == 0 || x == image.width - 1);
            image.cornersTransparent = image.cornersTransparent && (!corner || transparent);
            if (transparent) {
                continue;
            }
            const unsigned bit = x * image.bits;
            const unsigned index =
                (file.at(pixels + row * rowBytes + bit / 8) >> (8 - image.bits - bit % 8)) & ((1U << image.bits) - 1);
            const std::size_t rgb = palette + 4 * index;
            image.coloursUsed.insert({file.at(rgb + 2), file.at(rgb + 1), file.at(rgb)});
        }
    }
    return image;
}

TEST(IconFile, HoldsTheThreeImagesOfOnePicture) {
    const std::vector<std::uint8_t> file = readFile(DEALWISE_ICON_FILE);
    ASSERT_GE(file.size(), 6U);
    EXPECT_EQ(le16(file, 0), 0U);
    EXPECT_EQ(le16(file, 2), 1U); // an icon, not a cursor
    ASSERT_EQ(le16(file, 4), 3U);

    const Image mono = decode(file, 6);
    const Image large = decode(file, 22);
    const Image small = decode(file, 38);
    EXPECT_EQ(std::make_tuple(mono.width, mono.height, mono.colours, mono.bits), std::make_tuple(32U, 32U, 2U, 1U));
    EXPECT_EQ(std::make_tuple(large.width, large.height, large.colours, large.bits),
              std::make_tuple(32U, 32U, 16U, 4U));
    EXPECT_EQ(std::make_tuple(small.width, small.height, small.colours, small.bits),
              std::make_tuple(16U, 16U, 16U, 4U));

    const std::tuple<int, int, int> white{255, 255, 255}, cyan{0, 255, 255}, grey{128, 128, 128}, black{0, 0, 0};
    for (const Image* image : {&mono, &large, &small}) {
        EXPECT_TRUE(image->cornersTransparent);
        EXPECT_TRUE(image->coloursUsed.count(white)); // the window
        EXPECT_TRUE(image->coloursUsed.count(black)); // its outline
    }
    for (const Image* image : {&large, &small}) {
        EXPECT_TRUE(image->coloursUsed.count(cyan)); // the title bar
        EXPECT_TRUE(image->coloursUsed.count(grey)); // the shadow
    }
    EXPECT_EQ(mono.coloursUsed.size(), 2U);
}

} // namespace
