#include "model/start_generator.h"
#include "output/picture_export.h"
#include "tests/support/failing_file.h"
#include "tests/support/shown_curve.h"
#include "tests/support/small_disk.h"
#include "view/fract_viewer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};

struct Format {
    PictureFormat Kind;
    const char* Name;
};
constexpr Format kFormats[] = {{PictureFormat::Bmp, "old.bmp"},
                               {PictureFormat::Jpeg, "old.jpg"},
                               {PictureFormat::Emf, "old.emf"},
                               {PictureFormat::Wmf, "old.wmf"},
                               {PictureFormat::Png, "old.png"},
                               {PictureFormat::Svg, "old.svg"},
                               {PictureFormat::Pdf, "old.pdf"}};

class Export : public ::testing::Test {
protected:
    Export()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 3;
        viewer.Recalculate();
        viewer.SetRect({0, 0, 120, 80});
        viewer.Transform();
    }

    QByteArray ReadAll(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    QTemporaryDir dir;
};

// Each picture fits the buffer whole, so only the last flush meets the full
// disk: the error that the commit alone never saw.
TEST_F(Export, EveryWriterChecksTheLastFlush)
{
    for (const Format& format : kFormats) {
        SCOPED_TRACE(format.Name);
        const QString path = dir.filePath(QLatin1String(format.Name));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();

        FailingFile file(path, 40);
        try {
            WritePicture(ShownCurve(viewer, true, 120, 80), 120, 80, format.Kind, file, kScreen);
            FAIL() << "no error";
        } catch (const PictureSizeError&) {
            FAIL() << "a full disk is no size error";
        } catch (const ExportError& e) {
            EXPECT_STREQ(e.what(), "No space left on device");
        }
        EXPECT_TRUE(file.discarded);
        EXPECT_FALSE(file.committed);
        EXPECT_EQ(ReadAll(path), "old");

        FailingFile roomy(path, 1 << 20);
        WritePicture(ShownCurve(viewer, true, 120, 80), 120, 80, format.Kind, roomy, kScreen);
        EXPECT_TRUE(roomy.committed);
        EXPECT_EQ(ReadAll(path), roomy.Disk());
    }
}

TEST_F(Export, ABitmapLargerThanTheBufferFailsWhileItIsWritten)
{
    const QString path = dir.filePath(QStringLiteral("big.bmp"));
    viewer.SetRect({0, 0, 400, 300});
    viewer.Transform();
    FailingFile file(path, 50000);
    EXPECT_THROW(WritePicture(ShownCurve(viewer, false, 400, 300), 400, 300, PictureFormat::Bmp, file, kScreen),
                 ExportError);
    EXPECT_EQ(file.Disk().size(), 50000);
    EXPECT_TRUE(file.discarded);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Export, ARealFullDiskKeepsEveryOldPictureAndLeavesNoOtherFile)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    QStringList names;
    for (const Format& format : kFormats) {
        disk.Write(QLatin1String(format.Name), format.Name);
        names << QLatin1String(format.Name);
    }
    disk.Fill();
    names << QStringLiteral("filler");
    names.sort();
    for (const Format& format : kFormats) {
        SCOPED_TRACE(format.Name);
        try {
            WritePicture(ShownCurve(viewer, true, 120, 80), 120, 80, disk.Path(QLatin1String(format.Name)),
                         kScreen);
            FAIL() << "no error";
        } catch (const PictureSizeError&) {
            FAIL() << "a full disk is no size error";
        } catch (const ExportError& e) {
            EXPECT_STREQ(e.what(), "No space left on device");
        }
        EXPECT_EQ(disk.Read(QLatin1String(format.Name)), format.Name);
        EXPECT_EQ(disk.Files(), names);
    }
}

// The largest sides whose fields still hold them, on a 96 dpi screen.
TEST(PictureSize, EachFormatRefusesWhatItsFieldsCannotHold)
{
    const struct {
        PictureFormat Kind;
        int Width;
        int Height;
    } sides[] = {
        {PictureFormat::Jpeg, 65500, 65500},
        {PictureFormat::Bmp, 1431655746, 1073741810}, // the file counts its bytes in 32 bits
        {PictureFormat::Emf, 81164736, 81164736},     // the frame in hundredths of a millimetre, 32 bits
        {PictureFormat::Wmf, 3145679, 3145679},       // the box in 16 bits, at one unit per inch
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(side.Width);
        EXPECT_TRUE(FormatHolds(side.Kind, side.Width, 1, kScreen));
        EXPECT_TRUE(FormatHolds(side.Kind, 1, side.Height, kScreen));
        EXPECT_FALSE(FormatHolds(side.Kind, side.Width + 1, 1, kScreen));
        EXPECT_THROW(CheckPictureSize(side.Kind, 1, side.Height + 1, kScreen), PictureSizeError);
        EXPECT_FALSE(FormatHolds(side.Kind, 0, 1, kScreen));
        EXPECT_FALSE(FormatHolds(side.Kind, 1, -1, kScreen));
    }
    // The settings fuzzer's find: the bitmap's size passed 64 bits.
    EXPECT_FALSE(FormatHolds(PictureFormat::Bmp, 2147483647, 1535578411, kScreen));
    EXPECT_FALSE(FormatHolds(PictureFormat::Bmp, 2147483647, 2147483647, kScreen));

    // Where the screen has more pixels to the millimetre, the frame still
    // fits, but the coordinates would not.
    const ReferenceScreen dense{QSize(100000, 100000), QSizeF(1.0, 1.0)};
    EXPECT_TRUE(FormatHolds(PictureFormat::Emf, 1 << 30, 1, dense));
    EXPECT_FALSE(FormatHolds(PictureFormat::Emf, (1 << 30) + 1, 1, dense));
    EXPECT_FALSE(FormatHolds(PictureFormat::Emf, 2147483647, 10, dense));
}

TEST_F(Export, ASizeTheFormatCannotHoldIsRefusedBeforeAnyFile)
{
    for (const auto& [name, width] : {std::pair("huge.emf", 2147483647), std::pair("wide.emf", 90000000),
                                      std::pair("huge.wmf", 2147483647), std::pair("wide.wmf", 3145680),
                                      std::pair("wide.pdf", 14401)}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_THROW(WritePicture(ShownCurve(viewer, true, width, 10), width, 10, path, kScreen), PictureSizeError);
        EXPECT_FALSE(QFile::exists(path));
    }
}

} // namespace
