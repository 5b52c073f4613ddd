// The bytes of a bitmap file's headers, for a width whose rows need padding.
#include "output/raster/bmp_writer.h"
#include "tests/support/clip_reader.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BmpHeader, CountsThePaddedRows)
{
    // 5 pixels of 3 bytes: rows of 15 bytes, padded to 16.
    constexpr int kWidth = 5;
    constexpr int kHeight = 3;
    const std::vector<QRgb> row(kWidth, qRgb(1, 2, 3));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    WriteBmp(out, kWidth, kHeight, [&row](int) { return row.data(); });
    const QByteArray file = out.data();
    ASSERT_EQ(file.size(), 54 + 3 * 16);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(U32At(file, 2), 102u);  // file size
    EXPECT_EQ(U32At(file, 10), 54u);  // pixel offset
    EXPECT_EQ(U32At(file, 14), 40u);  // info header size
    EXPECT_EQ(U32At(file, 18), 5u);
    EXPECT_EQ(U32At(file, 22), 3u);
    EXPECT_EQ(U16At(file, 26), 1);    // planes
    EXPECT_EQ(U16At(file, 28), 24);   // bits per pixel
    EXPECT_EQ(U32At(file, 30), 0u);   // uncompressed
    EXPECT_EQ(U32At(file, 34), 48u);  // image size
    EXPECT_EQ(U32At(file, 38), 3780u); // pixels per metre: 96 dots per inch
    EXPECT_EQ(U32At(file, 42), 3780u);
    EXPECT_EQ(file.mid(54, 16), QByteArray::fromHex("030201030201030201030201030201") + '\0');
}

} // namespace
