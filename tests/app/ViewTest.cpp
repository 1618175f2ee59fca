#include "app/CTalvanorView.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A picture of four plain quarters, so where each lands after stretching is plain to see.
QString WriteQuarters(const QTemporaryDir& folder) {
    QImage quarters(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool right = x >= 20;
            const bool bottom = y >= 10;
            quarters.setPixel(x, y,
                              bottom ? (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255))
                                     : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)));
        }
    }
    const QString path = folder.filePath("quarters.png");
    EXPECT_TRUE(quarters.save(path));
    return path;
}

} // namespace

TEST(View, StretchesThePictureToTheWholeAreaWithoutKeepingItsShape) {
    QTemporaryDir folder;
    CTalvanorView view(nullptr, WriteQuarters(folder));
    for (const QSize size : {QSize(300, 60), QSize(50, 400), QSize(41, 19)}) {
        view.resize(size);
        const QImage shown = view.grab().toImage();
        ASSERT_EQ(shown.size(), size);
        const int w = size.width();
        const int h = size.height();
        SCOPED_TRACE(w);
        EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(shown.pixel(w - 1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(shown.pixel(0, h - 1), qRgb(0, 0, 255));
        EXPECT_EQ(shown.pixel(w - 1, h - 1), qRgb(255, 255, 0));
        EXPECT_EQ(shown.pixel(w / 4, h / 4), qRgb(255, 0, 0));
        EXPECT_EQ(shown.pixel(3 * w / 4, 3 * h / 4), qRgb(255, 255, 0));
    }
}

TEST(View, LoadsItsPictureOnceOnFirstDrawingAndReusesIt) {
    QTemporaryDir folder;
    const QString path = WriteQuarters(folder);
    CTalvanorView view(nullptr, path);
    EXPECT_TRUE(view.Picture().isNull());
    view.resize(200, 100);
    view.grab();
    ASSERT_FALSE(view.Picture().isNull());
    const qint64 loaded = view.Picture().cacheKey();
    // A second load would now fail and leave nothing to draw.
    ASSERT_TRUE(QFile::remove(path));
    view.resize(900, 300);
    view.grab();
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(view.Picture().cacheKey(), loaded);
    EXPECT_EQ(shown.pixel(899, 299), qRgb(255, 255, 0));
}

TEST(View, ThePictureThatComesWithTheProgramIs570By440) {
    CTalvanorView view;
    view.resize(100, 100);
    view.grab();
    EXPECT_EQ(view.PictureWidth(), 570);
    EXPECT_EQ(view.PictureHeight(), 440);
}
