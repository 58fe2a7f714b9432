// The stored screen pictures and the GIF writer that made them.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

#include "handheld/gif_writer.h"
#include "handheld/screen_pictures.h"

namespace handheld {

class HandheldScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void GifWriterRoundTripsThroughQtsReader();
  void StoredPicturesDecodeToScreenSize();
};

namespace {

QImage DecodeGif(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer, "gif");
  return reader.read();
}

}  // namespace

void HandheldScreensTest::GifWriterRoundTripsThroughQtsReader() {
  QVERIFY(QImageReader::supportedImageFormats().contains("gif"));
  QVector<QRgb> colours;
  for (int i = 0; i < 16; ++i) colours << qRgb(i * 16, 255 - i * 16, (i * 37) % 256);
  // Noise fills the code table again and again (clear codes, every code width); the stripes
  // and the single colour make long runs.
  for (const char* kind : {"noise", "stripes", "plain", "tiny"}) {
    const bool tiny = QByteArray(kind) == "tiny";
    QImage image(tiny ? 1 : 240, tiny ? 1 : 320, QImage::Format_Indexed8);
    image.setColorTable(colours);
    QRandomGenerator random(42);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        uint index = 3;
        if (QByteArray(kind) == "noise") index = random.bounded(16);
        if (QByteArray(kind) == "stripes") index = (x / 7 + y / 5) % 16;
        image.setPixel(x, y, index);
      }
    }
    const QImage decoded = DecodeGif(EncodeGif16(image));
    QVERIFY2(!decoded.isNull(), kind);
    QCOMPARE(decoded.size(), image.size());
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (decoded.pixel(x, y) != image.pixel(x, y)) {
          QFAIL(qPrintable(QStringLiteral("%1: pixel %2,%3 differs").arg(kind).arg(x).arg(y)));
        }
      }
    }
  }
  // Images the writer cannot hold give nothing rather than a broken file.
  QImage too_many(4, 4, QImage::Format_Indexed8);
  too_many.setColorCount(17);
  too_many.fill(0);
  QVERIFY(EncodeGif16(too_many).isEmpty());
  QVERIFY(EncodeGif16(QImage(4, 4, QImage::Format_RGB32)).isEmpty());
}

void HandheldScreensTest::StoredPicturesDecodeToScreenSize() {
  RegisterScreenPictures();
  for (const char* resource : {kQueryScreenPicture, kResultScreenPicture}) {
    QImageReader reader(QString::fromLatin1(resource));
    QCOMPARE(reader.format(), QByteArray("gif"));
    const QImage picture = reader.read();
    QCOMPARE(picture.size(), QSize(kScreenWidth, kScreenHeight));
    QVERIFY(picture.colorCount() <= 16);
  }
}

}  // namespace handheld

QTEST_MAIN(handheld::HandheldScreensTest)
#include "handheld_screens_test.moc"
