#include "platform/PictureLoader.h"
#include "support/TestFiles.h"
#include <gtest/gtest.h>
#include <optional>

// Fixtures: tests/data/README.md. Size 0 x 0: refused; no size: a damaged file that may go either way.
TEST(PictureLoaderTest, DecidesFromContentAndRefusesWithAReason)
{
    const struct { const char *file; std::optional<QSize> size; const char *reason; } rows[] = {
        {"jpeg-named.bmp", QSize(16, 16), ""}, {"orient6.jpg", QSize(4, 8), ""}, {"two-frames.gif", QSize(4, 3), ""},
        {"big-claim.jpg", QSize(6000, 6000), ""}, {"huge-claim.jpg", QSize(0, 0), "65000 x 65000"},
        {"huge-claim.gif", QSize(0, 0), "65535 x 65535"}, {"cut-header.jpg", QSize(0, 0), ""},
        {"missing.jpg", QSize(0, 0), "no such file"}, {"", QSize(0, 0), "not a regular file"},
        {"cut.gif", std::nullopt, ""}, {"zero-size.gif", std::nullopt, ""}, {"bad-codes.gif", std::nullopt, ""}};
    PictureLoader loader;
    for (const auto &row : rows) {
        const LoadedPicture p = loader.Load(QStringLiteral(VISTELLO_SOURCE_DIR "/tests/data/") + row.file);
        EXPECT_EQ(p.ok(), p.error.isEmpty()) << row.file << ": " << qPrintable(p.error);
        EXPECT_EQ(p.image.size(), row.size.value_or(p.image.size())) << row.file << ": " << qPrintable(p.error);
        EXPECT_TRUE(p.error.contains(row.reason)) << row.file << ": " << qPrintable(p.error);
    }
    EXPECT_EQ(loader.Load(VISTELLO_SOURCE_DIR "/tests/data/two-frames.gif").image.pixelColor(1, 1), QColor(Qt::red));  // the first frame
}
