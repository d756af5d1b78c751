// The embedded pictures: the table, decoding, and serving them by name.

#include <QTest>

#include "images/EmbeddedImages.h"
#include "images/MimeSourceFactory_Kestrava.h"

namespace {
struct Expected {
    const char* name;
    int size;
};
const Expected expected_table[] = {
    {"controler_trans.png", 110}, {"controler_rot.png", 110}, {"cube_x_trans.png", 45},
    {"cube_y_trans.png", 45},     {"cube_z_trans.png", 45},   {"cube_x_rot.png", 45},
    {"cube_y_rot.png", 45},       {"cube_z_rot.png", 45},     {"ox_arrow.png", 32},
    {"xo_arrow.png", 32},         {"oy_arrow.png", 32},       {"yo_arrow.png", 32},
    {"oz_arrow.png", 32},         {"zo_arrow.png", 32},       {"a_cw_arrow.png", 32},
    {"a_ccw_arrow.png", 32},      {"b_cw_arrow.png", 32},     {"b_ccw_arrow.png", 32},
    {"c_cw_arrow.png", 32},       {"c_ccw_arrow.png", 32},    {"Kestrava.png", 32},
};

int opaque_pixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 128;
        }
    }
    return count;
}

// Starts each test with the collection installed, as the loaded module has it.
struct Installed {
    Installed() { installImageCollection(); }
    ~Installed() { removeImageCollection(); }
};
} // namespace

class TestImages : public QObject {
    Q_OBJECT
private slots:
    // The table holds the 21 pictures in order, each decoding to exactly its
    // size with real transparency: clear corners, enough drawn inside.
    void tableDecodesToRealPictures() {
        int n = 0;
        for (const EmbeddedImage* entry = embeddedImages; entry->data; ++entry, ++n) {
            QVERIFY(n < 21);
            const Expected& expected = expected_table[n];
            QCOMPARE(entry->name, expected.name);
            QCOMPARE(entry->width, expected.size);
            QCOMPARE(entry->height, expected.size);
            QCOMPARE(entry->depth, 32);
            QCOMPARE(entry->numColors, 0);
            QVERIFY(entry->colorTable == nullptr);
            QVERIFY(entry->alpha);
            const QImage image = findEmbeddedImage(QString::fromUtf8(entry->name));
            QCOMPARE(image.size(), QSize(expected.size, expected.size));
            QCOMPARE(image.depth(), 32);
            QVERIFY(image.hasAlphaChannel());
            const int last = expected.size - 1;
            for (const QPoint corner :
                 {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
                QVERIFY2(qAlpha(image.pixel(corner)) == 0, entry->name);
            }
            QVERIFY2(opaque_pixels(image) * 100 >= 4 * expected.size * expected.size, entry->name);
        }
        QCOMPARE(n, 21);
    }

    // For screens of device pixel ratio 2 the same pictures come drawn at
    // twice the pixels each way, marked so, with the detail of the source:
    // not the 1x picture blown up.
    void everyPictureAtTwiceThePixels() {
        int n = 0;
        for (const EmbeddedImage* entry = embeddedImages; entry->data; ++entry, ++n) {
            const EmbeddedImage& twice = embeddedImages2x[n];
            QCOMPARE(twice.name, entry->name);
            QCOMPARE(twice.width, 2 * entry->width);
            QCOMPARE(twice.height, 2 * entry->height);
            const QString name = QString::fromUtf8(entry->name);
            const QImage sharp = findEmbeddedImage(name, 2);
            QCOMPARE(sharp.devicePixelRatio(), 2.0);
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(entry->width, entry->height));
            const QImage blown_up = findEmbeddedImage(name).scaled(
                sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY2(blown_up.convertToFormat(sharp.format()) != sharp, entry->name);
        }
        QVERIFY(!embeddedImages2x[n].data);
    }

    // Each arrow is told from its opposite.
    void oppositesDiffer() {
        const char* pairs[][2] = {
            {"ox_arrow.png", "xo_arrow.png"},      {"oy_arrow.png", "yo_arrow.png"},
            {"oz_arrow.png", "zo_arrow.png"},      {"a_cw_arrow.png", "a_ccw_arrow.png"},
            {"b_cw_arrow.png", "b_ccw_arrow.png"}, {"c_cw_arrow.png", "c_ccw_arrow.png"}};
        for (const auto& pair : pairs) {
            QVERIFY2(findEmbeddedImage(pair[0]) != findEmbeddedImage(pair[1]), pair[0]);
        }
    }

    // Names match exactly; anything else is a null image.
    void lookupIsExact() {
        QVERIFY(!findEmbeddedImage(QStringLiteral("ox_arrow.png")).isNull());
        QVERIFY(findEmbeddedImage(QStringLiteral("OX_ARROW.PNG")).isNull());
        QVERIFY(findEmbeddedImage(QStringLiteral("ox_arrow")).isNull());
        QVERIFY(findEmbeddedImage(QString()).isNull());
    }

    // Bytes that do not decompress to the picture's size never make an image.
    void corruptEntriesAreNotFound() {
        const EmbeddedImage& good = embeddedImages[8];
        EmbeddedImage truncated = good;
        truncated.compressed = good.compressed / 2;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^qUncompress"));
        QVERIFY(decodeEmbeddedImage(truncated).isNull());

        const QByteArray small = qCompress(QByteArray(16, '\xff'));
        EmbeddedImage too_short = good;
        too_short.data = reinterpret_cast<const unsigned char*>(small.constData());
        too_short.compressed = static_cast<uint32_t>(small.size());
        QVERIFY(decodeEmbeddedImage(too_short).isNull());

        const unsigned char garbage[] = {0, 0, 16, 0, 1, 2, 3, 4, 5, 6};
        EmbeddedImage garbled = good;
        garbled.data = garbage;
        garbled.compressed = sizeof garbage;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^qUncompress"));
        QVERIFY(decodeEmbeddedImage(garbled).isNull());
        QVERIFY(!decodeEmbeddedImage(good).isNull());
    }

    // A picture is decoded at its first request only; later ones get the
    // stored item. Unknown names store nothing.
    void servedOncePerName() {
        Installed collection;
        const MimeSource* first = imageFactory->data(QStringLiteral("ox_arrow.png"));
        QVERIFY(first);
        QCOMPARE(imageFactory->data(QStringLiteral("ox_arrow.png")), first);
        QCOMPARE(MimeSourceFactory::defaultFactory()->data(QStringLiteral("ox_arrow.png")), first);
        QVERIFY(imageFactory->data(QStringLiteral("Ox_arrow.png")) == nullptr);
        QVERIFY(imageFactory->data(QString()) == nullptr);
        QCOMPARE(pixmapFromMimeSource(QStringLiteral("Kestrava.png")).size(), QSize(32, 32));
        QVERIFY(pixmapFromMimeSource(QStringLiteral("missing.png")).isNull());
    }

    // Installing twice keeps one factory; after removal nothing is served,
    // and a second removal does nothing.
    void installAndRemove() {
        removeImageCollection();
        QVERIFY(imageFactory == nullptr);
        QVERIFY(pixmapFromMimeSource(QStringLiteral("ox_arrow.png")).isNull());
        installImageCollection();
        MimeSourceFactory_Kestrava* installed = imageFactory;
        installImageCollection();
        QCOMPARE(imageFactory, installed);
        QVERIFY(!pixmapFromMimeSource(QStringLiteral("ox_arrow.png")).isNull());
        removeImageCollection();
        QVERIFY(imageFactory == nullptr);
        QVERIFY(pixmapFromMimeSource(QStringLiteral("ox_arrow.png")).isNull());
        removeImageCollection();
        QVERIFY(MimeSourceFactory::defaultFactory()->data(QStringLiteral("ox_arrow.png")) ==
                nullptr);
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
