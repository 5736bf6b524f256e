#include "support/DesignerSingletons.h"

#include "controls/Bitmap.h"
#include "controls/Image.h"
#include "controls/JPEGImage.h"
#include "controls/LXImage.h"
#include "controls/Metafile.h"
#include "platform/Exception.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QImage TestImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w, h, Qt::white);
    p.fillRect(0, 0, w / 2, h, QColor(200, 30, 30));
    return image;
}

TEST(ImagePlacement, ProportionalScalingKeepsTheAspectRatio)
{
    TImage display; // Proportional and Stretch are on at creation
    EXPECT_EQ(display.DestRect({200, 100}, {100, 100}), QRect(0, 0, 100, 50));
    EXPECT_EQ(display.DestRect({100, 300}, {100, 100}), QRect(0, 0, 33, 100));
    // Wide picture in a flat client: the height bound wins.
    EXPECT_EQ(display.DestRect({300, 200}, {300, 50}), QRect(0, 0, 75, 50));
    // Tall picture in a narrow client: the width bound wins.
    EXPECT_EQ(display.DestRect({100, 200}, {20, 100}), QRect(0, 0, 20, 40));
    EXPECT_EQ(display.DestRect({0, 0}, {80, 60}), QRect(0, 0, 80, 60));
}

TEST(ImagePlacement, StretchAndNaturalSize)
{
    TImage display;
    display.SetProportional(false);
    EXPECT_EQ(display.DestRect({10, 20}, {80, 60}), QRect(0, 0, 80, 60));
    display.SetStretch(false);
    EXPECT_EQ(display.DestRect({10, 20}, {80, 60}), QRect(0, 0, 10, 20));
    // Proportional alone scales only pictures larger than the client.
    display.SetProportional(true);
    EXPECT_EQ(display.DestRect({10, 20}, {80, 60}), QRect(0, 0, 10, 20));
    EXPECT_EQ(display.DestRect({160, 60}, {80, 60}), QRect(0, 0, 80, 30));
}

TEST(JPEGImage, RoundTripsThroughLibjpeg)
{
    const QImage original = TestImage(40, 30);
    TJPEGImage jpeg;
    jpeg.Assign(original, 95);
    const QByteArray bytes = jpeg.SaveToBytes();
    ASSERT_GT(bytes.size(), 100);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xD8", 2));

    TJPEGImage loaded;
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.Width(), 40);
    EXPECT_EQ(loaded.Height(), 30);
    EXPECT_EQ(loaded.SaveToBytes(), bytes);
    const QColor left = loaded.Image().pixelColor(5, 15);
    EXPECT_NEAR(left.red(), 200, 12);
    EXPECT_NEAR(left.green(), 30, 12);
    EXPECT_NEAR(loaded.Image().pixelColor(35, 15).blue(), 255, 12);
}

TEST(JPEGImage, CorruptDataRaisesAndTheProgramGoesOn)
{
    TJPEGImage jpeg;
    jpeg.Assign(TestImage(16, 16));
    QByteArray truncated = jpeg.SaveToBytes().left(20);
    EXPECT_THROW(TJPEGImage().LoadFromBytes(truncated), Exception);
    EXPECT_THROW(TJPEGImage().LoadFromBytes("not a jpeg at all"), Exception);
    EXPECT_THROW(TJPEGImage().LoadFromBytes(QByteArray()), Exception);
    try {
        TJPEGImage().LoadFromBytes("not a jpeg at all");
    } catch (const Exception &e) {
        EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);
    }
    // The decoder still works afterwards.
    TJPEGImage again;
    again.LoadFromBytes(jpeg.SaveToBytes());
    EXPECT_EQ(again.Width(), 16);
}

TEST(Picture, LoadsByExtensionAndRejectsBrokenFiles)
{
    QTemporaryDir dir;
    const QString bmp = dir.filePath("p.bmp");
    ASSERT_TRUE(TestImage(12, 7).save(bmp, "BMP"));
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.LoadFromFile(bmp);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(picture.Width(), 12);
    EXPECT_EQ(changes, 1);

    const QString jpg = dir.filePath("p.jpg");
    TPicture copy;
    copy.Assign(picture);
    EXPECT_EQ(copy.Height(), 7);
    EXPECT_THROW(picture.LoadFromFile(dir.filePath("p.xyz")), Exception);
    QFile broken(jpg);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8garbage");
    broken.close();
    EXPECT_THROW(picture.LoadFromFile(jpg), Exception);
    EXPECT_EQ(picture.Width(), 12) << "a failed load keeps the old picture";
    EXPECT_THROW(TMetafile().LoadFromBytes("tiny"), Exception);
}

TEST(LXImage, PaintsACrossHatchWithoutAPictureAndThePictureWithOne)
{
    EnsureDesignerSingletons();
    TLXImage image;
    image.resize(40, 40);
    const QImage hatch = image.grab().toImage();
    int olive = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            olive += hatch.pixelColor(x, y) == QColor(128, 128, 0);
    EXPECT_GT(olive, 40);

    auto bitmap = std::make_unique<TBitmap>();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage blue(20, 10, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    blue.save(&buffer, "BMP");
    bitmap->LoadFromBytes(bytes);
    image.Picture().SetGraphic(std::move(bitmap));
    const QImage shown = image.grab().toImage();
    // Proportional stretch: 40 x 20 at the top left.
    EXPECT_EQ(shown.pixelColor(39, 19), QColor(Qt::blue));
    EXPECT_NE(shown.pixelColor(20, 30), QColor(Qt::blue));
}

} // namespace
