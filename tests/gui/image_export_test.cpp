// The image export: the dialog's proposals, limits, tooltips and enabling, the files written in
// every format and colour depth and read back, a label exactly at the ignore level, and the
// bitmap failure.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "xelmor/core/export_layout.h"
#include "xelmor/view/image_export.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;

namespace {

template <class W> W* Child(QDialog& d, int id) {
    return d.findChild<W*>(QStringLiteral("id%1").arg(id));
}

// Fills the export dialog and continues: colour depth, width, and optionally labels.
std::function<void(QDialog&)> Continue(bool sixteenBit, const QString& width = QString(),
                                       const QString& ignore = QString()) {
    return [=](QDialog& d) {
        Child<QRadioButton>(d, sixteenBit ? 1171 : 1172)->setChecked(true);
        if (!width.isEmpty())
            Child<QLineEdit>(d, 1152)->setText(width);
        if (!ignore.isEmpty()) {
            Child<QCheckBox>(d, 1173)->setChecked(true);
            Child<QComboBox>(d, 1178)->setEditText(ignore);
        }
        Child<QPushButton>(d, 1)->click();
    };
}

// The pixel rectangle of spot `i` in an image `width` pixels wide.
QRect SpotPixels(test::StartedApp& s, std::size_t i, int width) {
    const CParameterSet& p = s.Params();
    const ExportFrame f =
        MakeExportFrame(width, ExportHeight(width, p.m_FilmHeight / p.m_FilmWidth), p.m_FilmWidth,
                        s.doc->m_Run.runShiftX, s.doc->m_Run.runShiftY);
    const CDot& d = s.doc->Spots()[i];
    const LogicalRect r =
        ExportSpotRectAt(ExportBaseSpotRect(f, p.m_SpotWidth, p.m_SpotHeight), f.q, d.x, d.y);
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int DarkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() < 100 && c.green() < 100 && c.blue() < 100;
        }
    return n;
}

} // namespace

class ImageExportTest : public QObject {
    Q_OBJECT
private slots:
    void dialogProposalsLimitsAndTooltips() {
        test::StartedApp s;
        s.Simulate();
        s.dialogs.fill = [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Export Laue Pattern Image"));
            QCOMPARE(Child<QLineEdit>(d, 1152)->text(), QStringLiteral("2000"));
            QCOMPARE(Child<QLineEdit>(d, 1180)->text(), QStringLiteral("1500"));
            QVERIFY(Child<QRadioButton>(d, 1172)->isChecked());
            QCOMPARE(Child<QComboBox>(d, 1178)->currentText(), QStringLiteral("1%"));
            QVERIFY(!Child<QCheckBox>(d, 1187)->isEnabled()); // no merged pattern
            QCOMPARE(Child<QLineEdit>(d, 1152)->toolTip(),
                     QStringLiteral("Image width. Default is: 10 x FilmWidth"));
            QCOMPARE(Child<QLineEdit>(d, 1177)->toolTip(),
                     QStringLiteral("For default image size. Will change proportionally for "
                                    "other image sizes."));
            QCOMPARE(Child<QLineEdit>(d, 1113)->toolTip(),
                     QStringLiteral("Distance of Index Left from Spot Left"));
            QCOMPARE(Child<QLineEdit>(d, 1115)->toolTip(),
                     QStringLiteral("Distance of Index Bottom from Spot Top"));
            QCOMPARE(Child<QCheckBox>(d, 1187)->toolTip(),
                     QStringLiteral("Make strong spots over weak ones"));
            // The label settings follow "Plot Reflection Indices".
            QVERIFY(!Child<QLineEdit>(d, 1177)->isEnabled());
            Child<QCheckBox>(d, 1173)->click();
            QVERIFY(Child<QLineEdit>(d, 1177)->isEnabled());
            QVERIFY(Child<QComboBox>(d, 1178)->isEnabled());
            Child<QCheckBox>(d, 1173)->click();
            QVERIFY(!Child<QComboBox>(d, 1176)->isEnabled());

            Child<QLineEdit>(d, 1152)->setText(QStringLiteral("10001"));
            QCOMPARE(Child<QLineEdit>(d, 1180)->text(), QStringLiteral("7500"));
            Child<QPushButton>(d, 1)->click();
            QCOMPARE(d.result(), int(QDialog::Rejected));
            QCOMPARE(s.messages.Texts(),
                     QStringList{QStringLiteral("Enter a number between2 and 10000.")});
            Child<QLineEdit>(d, 1152)->setText(QStringLiteral("10000"));
            Child<QPushButton>(d, 1)->click();
        };
        s.frame->OnCommand(ID_EXPORT_IMAGE); // the file dialog is cancelled
        QCOMPARE(s.frame->View()->m_ExportWidth, 10000);
        QCOMPARE(s.frame->View()->m_ExportHeight, 7500);
        const auto& request = s.files.requests.back();
        QCOMPARE(request.title, QStringLiteral("Export Laue pattern to an image file"));
        QCOMPARE(request.filter, QStringLiteral("Tiff Files (*.tif)|*.tif|Bitmap Files "
                                                "(*.bmp)|*.bmp|JEPG Files (*.jpg)|*.jpg||"));
        QCOMPARE(request.defaultExt, QStringLiteral("tif"));

        // A film twice as wide as high: 3 pixels at least.
        s.Params().m_FilmWidth = 2000, s.Params().m_FilmHeight = 1000;
        s.messages.Clear();
        s.dialogs.fill = [&](QDialog& d) {
            QCOMPARE(Child<QLineEdit>(d, 1152)->text(), QStringLiteral("10000"));
            Child<QLineEdit>(d, 1152)->setText(QStringLiteral("2"));
            Child<QPushButton>(d, 1)->click();
            QCOMPARE(s.messages.Texts(),
                     QStringList{QStringLiteral("Enter a number between3 and 10000.")});
            Child<QLineEdit>(d, 1152)->setText(QStringLiteral("3"));
            Child<QPushButton>(d, 1)->click();
        };
        s.frame->OnCommand(ID_EXPORT_IMAGE);
        QCOMPARE(s.frame->View()->m_ExportWidth, 3);
        QCOMPARE(s.frame->View()->m_ExportHeight, 1);
    }

    void filesReadBack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sixteenBit");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("tolerance"); // per channel
        QTest::newRow("tif 24") << "p.tif" << false << QByteArray("tiff") << 0;
        QTest::newRow("tif 16") << "p.tif" << true << QByteArray("tiff") << 0;
        QTest::newRow("bmp 24") << "p.bmp" << false << QByteArray("bmp") << 0;
        QTest::newRow("bmp 16") << "p.bmp" << true << QByteArray("bmp") << 7;
        QTest::newRow("JPG in capitals") << "p.JPG" << false << QByteArray("jpeg") << 24;
        QTest::newRow("jpg 16") << "p.jpg" << true << QByteArray("jpeg") << 24;
    }
    void filesReadBack() {
        QFETCH(QString, name);
        QFETCH(bool, sixteenBit);
        QFETCH(QByteArray, format);
        QFETCH(int, tolerance);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        test::StartedApp s;
        s.Simulate();
        s.files.paths = {path};
        s.dialogs.fill = Continue(sixteenBit);
        s.frame->OnCommand(ID_EXPORT_IMAGE);
        QCOMPARE(s.messages.Texts(), QStringList());
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(2000, 1500));
        if (format == "bmp") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray header = f.read(30);
            QCOMPARE(static_cast<int>(static_cast<uchar>(header[28])), sixteenBit ? 16 : 24);
        }
        // The strongest spot (full red) and the spot closest to half the saturation level.
        const CParameterSet& p = s.Params();
        const std::vector<CDot>& spots = s.doc->Spots();
        std::size_t half = 0;
        for (std::size_t i = 0; i < spots.size(); ++i)
            if (std::abs(SpotLevel(spots[i].intensity, p.m_Isat, true) - 128) <
                std::abs(SpotLevel(spots[half].intensity, p.m_Isat, true) - 128))
                half = i;
        for (std::size_t i : {std::size_t{0}, half}) {
            const Rgb want = SpotRgb(SpotLevel(spots[i].intensity, p.m_Isat, true), p.m_SpotColor);
            const Rgb shown =
                sixteenBit ? Rgb{Quantise555(want.r), Quantise555(want.g), Quantise555(want.b)}
                           : want;
            const QColor got = image.pixelColor(SpotPixels(s, i, 2000).center());
            QVERIFY2(std::abs(got.red() - shown.r) <= tolerance &&
                         std::abs(got.green() - shown.g) <= tolerance &&
                         std::abs(got.blue() - shown.b) <= tolerance,
                     qPrintable(QStringLiteral("spot %1: got %2 %3 %4, want %5 %6 %7")
                                    .arg(i)
                                    .arg(got.red())
                                    .arg(got.green())
                                    .arg(got.blue())
                                    .arg(shown.r)
                                    .arg(shown.g)
                                    .arg(shown.b)));
            // A 16-bit bitmap holds exactly the upper five bits of each channel.
            if (sixteenBit && format == "bmp")
                QCOMPARE(got.red() >> 3, want.r >> 3);
        }
    }

    void spotAtTheIgnoreLevelIsLabelled() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("labels.bmp"));
        test::StartedApp s;
        s.Simulate();
        std::vector<CDot>& spots = s.doc->Spots();
        QVERIFY(spots.size() > 3);
        const double imax = s.Params().m_Imax;
        // Only two spots near the level: one exactly at it, one just below; the rest far below.
        for (CDot& d : spots)
            d.intensity = 0.01 * imax;
        spots[1].intensity = 0.25 * imax;
        spots[2].intensity = 0.2499 * imax;
        s.files.paths = {path};
        s.dialogs.fill = Continue(false, QString(), QStringLiteral("25%"));
        s.frame->OnCommand(ID_EXPORT_IMAGE);
        QCOMPARE(s.frame->View()->m_ExportIgnoreBelow, 0.25);
        const QImage image(path);
        QVERIFY(!image.isNull());
        // The label stands on the spot's top edge, starting 10 pixels left of it.
        const auto labelArea = [&](std::size_t i) {
            const QRect spot = SpotPixels(s, i, 2000);
            return QRect(spot.left() - 10, spot.top() - 22, 60, 22);
        };
        QVERIFY(DarkPixels(image, labelArea(1)) > 10);
        QCOMPARE(DarkPixels(image, labelArea(2)), 0);
    }

    void bitmapThatCannotBeCreated() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("never.tif"));
        test::StartedApp s;
        s.Simulate();
        InstallExportBitmapFactory([](int, int, bool) { return QImage(); });
        s.files.paths = {path};
        s.dialogs.fill = Continue(false);
        s.frame->OnCommand(ID_EXPORT_IMAGE);
        InstallExportBitmapFactory({});
        QCOMPARE(s.messages.Texts(),
                 QStringList{QStringLiteral("Failed to Create the Image! Could be no enough "
                                            "memory.\nTry to reduce the number of pixels or use "
                                            "16-bit.")});
        QCOMPARE(s.messages.messages[0].icon, MsgIcon::Stop);
        QVERIFY(!QFile::exists(path));
    }

    void extensionWithoutEncoderIsReported() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pattern.xyz"));
        test::StartedApp s;
        s.Simulate();
        s.files.paths = {path};
        s.dialogs.fill = Continue(false, QStringLiteral("200"));
        s.frame->OnCommand(ID_EXPORT_IMAGE);
        QCOMPARE(s.messages.Texts(),
                 QStringList{QStringLiteral("Failed to write ") + path + QStringLiteral("!")});
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(ImageExportTest)
#include "image_export_test.moc"
