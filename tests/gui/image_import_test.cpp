// The recorded image behind the pattern: the import dialog with its default width, the real
// size, Remove, OK and Cancel, rescaling without reading again, an undecodable file, the 16-bit
// greyscale CCD frame and the view drawing the image.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/view/recorded_image.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;

namespace {

template <class W> W* Child(QDialog& d, int id) {
    return d.findChild<W*>(QStringLiteral("id%1").arg(id));
}

QString Text(QDialog& d, int id) {
    return Child<QLineEdit>(d, id)->text();
}

void Click(QDialog& d, int id) {
    Child<QPushButton>(d, id)->click();
}

// A 2000 x 1500 bitmap of one colour.
QString WriteRecorded(const QTemporaryDir& dir) {
    QImage image(2000, 1500, QImage::Format_RGB32);
    image.fill(QColor(40, 80, 120));
    const QString path = dir.filePath(QStringLiteral("laue.bmp"));
    image.save(path);
    return path;
}

QString Stored(const MemorySettingsStore& store) {
    return QString::fromStdString(
        store.ReadString(kSettingsSection, setting::kDefaultImportBitmapWidth, "missing"));
}

} // namespace

class ImageImportTest : public QObject {
    Q_OBJECT
private slots:
    void firstImport_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("stored");
        QTest::newRow("100 mm becomes the default") << "100" << true << "100";
        QTest::newRow("0.5 mm accepted, not stored") << "0.5" << true << "missing";
        QTest::newRow("0.05 mm refused") << "0.05" << false << "missing";
    }
    void firstImport() {
        QFETCH(QString, width);
        QFETCH(bool, accepted);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        const QString path = WriteRecorded(dir);
        test::StartedApp s;
        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Import a Recorded Laue Pattern Image"));
            QCOMPARE(Text(d, 1185), QStringLiteral("142"));
            QVERIFY(!Child<QLineEdit>(d, 1185)->isEnabled());
            QVERIFY(!Child<QPushButton>(d, 1166)->isEnabled());
            Click(d, 1184);
            QCOMPARE(s.files.requests.back().title, QStringLiteral("Import an image file"));
            QCOMPARE(Text(d, 1103), QStringLiteral("laue.bmp"));
            QCOMPARE(Text(d, 1186), QStringLiteral("2000"));
            QCOMPARE(Text(d, 1130), QStringLiteral("1500"));
            QCOMPARE(Text(d, 1129), QStringLiteral("106.5"));
            QVERIFY(Child<QLineEdit>(d, 1185)->isEnabled());
            QVERIFY(!Child<QPushButton>(d, 1184)->isEnabled());
            Child<QLineEdit>(d, 1185)->setText(QStringLiteral("100"));
            QCOMPARE(Text(d, 1129), QStringLiteral("75"));
            Child<QLineEdit>(d, 1185)->setText(width);
            Click(d, 1);
            if (!accepted) {
                QCOMPARE(s.messages.Texts(),
                         QStringList{QStringLiteral("Enter a number between 0.1 and 10000.")});
                d.reject();
            }
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        QCOMPARE(Stored(s.store), stored);
        QCOMPARE(s.doc->m_pBackImage != nullptr, accepted);
        if (!accepted)
            return;
        const double w = width.toDouble();
        QCOMPARE(s.doc->m_strBackFile, QStringLiteral("laue.bmp"));
        QCOMPARE(s.doc->m_BackPixelWidth, 2000);
        QCOMPARE(s.doc->m_BackPixelHeight, 1500);
        QCOMPARE(s.doc->m_BackWidth, w * 10);
        QCOMPARE(s.doc->m_BackHeight, 0.75 * w * 10);
    }

    void viewDrawsTheImageAtItsRealSize() {
        QTemporaryDir dir;
        const QString path = WriteRecorded(dir);
        test::StartedApp s;
        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            Click(d, 1184);
            Child<QLineEdit>(d, 1185)->setText(QStringLiteral("100"));
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        s.Params().m_bCrossline = 0;
        CXelmorView& view = *s.frame->View();
        view.resize(900, 700);
        const QImage shown = view.viewport()->grab().toImage();
        const DeviceMapping map = view.Mapping();
        const LogicalRect r = BackImageRect(view.Frame(), 1000, 750);
        // Inside the image near its top-left corner, and just outside it on the white film.
        QCOMPARE(shown.pixelColor(map.X(r.left) + 3, map.Y(r.top) + 3), QColor(40, 80, 120));
        QCOMPARE(shown.pixelColor(map.X(r.left) - 3, map.Y(r.top) + 3), QColor(Qt::white));
    }

    void removeWithOkDeletesCancelKeeps_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("OK") << 1;
        QTest::newRow("Cancel") << 2;
    }
    void removeWithOkDeletesCancelKeeps() {
        QFETCH(int, button);
        test::StartedApp s;
        s.doc->m_pBackImage = std::make_unique<QImage>(20, 10, QImage::Format_RGB32);
        s.doc->m_strBackFile = QStringLiteral("old.tif");
        s.doc->m_BackPixelWidth = 20, s.doc->m_BackPixelHeight = 10;
        s.doc->m_BackWidth = 800, s.doc->m_BackHeight = 400;
        s.dialogs.fill = [&](QDialog& d) {
            QCOMPARE(Text(d, 1103), QStringLiteral("old.tif"));
            QCOMPARE(Text(d, 1185), QStringLiteral("80"));
            QCOMPARE(Text(d, 1129), QStringLiteral("40"));
            QVERIFY(!Child<QPushButton>(d, 1184)->isEnabled());
            Click(d, 1166);
            QCOMPARE(Text(d, 1103), QString());
            QVERIFY(Child<QPushButton>(d, 1184)->isEnabled());
            Click(d, button);
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        QCOMPARE(s.doc->m_pBackImage != nullptr, button == 2);
        QCOMPARE(s.doc->m_strBackFile.isEmpty(), button == 1);
    }

    void rescalingDoesNotReadTheFileAgain() {
        QTemporaryDir dir;
        const QString path = WriteRecorded(dir);
        test::StartedApp s;
        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            Click(d, 1184);
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        const QImage* image = s.doc->m_pBackImage.get();
        QVERIFY(image);
        QVERIFY(QFile::remove(path));
        s.dialogs.fill = [&](QDialog& d) {
            Child<QLineEdit>(d, 1185)->setText(QStringLiteral("50"));
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        QCOMPARE(s.doc->m_pBackImage.get(), image);
        QCOMPARE(s.doc->m_BackWidth, 500.0);
        QCOMPARE(s.doc->m_BackHeight, 375.0);
        QCOMPARE(s.files.requests.size(), std::size_t{1});
    }

    void undecodableFileIsReported() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.bmp"));
        test::WriteFile(path, "BM this is no bitmap");
        test::StartedApp s;
        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            Click(d, 1184);
            QCOMPARE(Text(d, 1103), QString());
            QVERIFY(Child<QPushButton>(d, 1184)->isEnabled());
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_IMAGE);
        QCOMPARE(s.messages.Texts(),
                 QStringList{QStringLiteral("Cannot create the image or import the file ") + path +
                             QStringLiteral("!")});
        QCOMPARE(s.messages.messages[0].icon, MsgIcon::Stop);
        QVERIFY(!s.doc->m_pBackImage);
    }

    // A CCD frame: 4096 x 4096 pixels of 16-bit grey, shown from its darkest to its brightest
    // pixel.
    void sixteenBitCcdFrameIsStretched() {
        QTemporaryDir dir;
        const int n = 4096;
        QImage frame(n, n, QImage::Format_Grayscale16);
        for (int y = 0; y < n; ++y) {
            auto* row = reinterpret_cast<quint16*>(frame.scanLine(y));
            for (int x = 0; x < n; ++x)
                row[x] = static_cast<quint16>(1000 + x / 2); // 1000 .. 3047
        }
        const QString path = dir.filePath(QStringLiteral("ccd.tif"));
        QImageWriter writer(path, "tiff");
        QVERIFY2(writer.write(frame), qPrintable(writer.errorString()));
        QImageReader probe(path);
        QCOMPARE(probe.imageFormat(), QImage::Format_Grayscale16);

        const std::optional<RecordedImage> read = LoadRecordedImage(path);
        QVERIFY(read);
        QCOMPARE(read->pixelWidth, n);
        QCOMPARE(read->pixelHeight, n);
        QCOMPARE(read->image.format(), QImage::Format_Grayscale8);
        QCOMPARE(qGray(read->image.pixel(0, 7)), 0);
        QCOMPARE(qGray(read->image.pixel(n - 1, 7)), 255);
        QCOMPARE(qGray(read->image.pixel(n / 2, 7)), (1024 * 255) / 2047);
    }

    void displayCopyIsMadeOncePerSize() {
        QImage source(400, 300, QImage::Format_RGB32);
        source.fill(Qt::gray);
        RecordedImageCache cache;
        const QImage* first = cache.For(source, QSize(200, 150));
        QCOMPARE(first->size(), QSize(200, 150));
        const qint64 key = first->cacheKey();
        QCOMPARE(cache.For(source, QSize(200, 150))->cacheKey(), key);
        QCOMPARE(cache.For(source, QSize(100, 75))->size(), QSize(100, 75));
        QCOMPARE(cache.For(source, QSize(400, 300)), &source);
    }
};

QTEST_MAIN(ImageImportTest)
#include "image_import_test.moc"
