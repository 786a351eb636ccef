// An export font that cannot be had stops the export before anything is written. Its own
// program: the font substitution is process-wide.
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "xelmor/view/image_export.h"

using namespace xelmor;

class ImageExportFontTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // As on a system without the Liberation fonts.
        for (const char* face : {"Arial Narrow", "Times New Roman"})
            QFont::insertSubstitution(QLatin1String(face), QStringLiteral("DejaVu Sans"));
    }

    void missingFontWritesNothing_data() {
        QTest::addColumn<int>("fontNo");
        QTest::addColumn<bool>("indices");
        QTest::newRow("Arial Narrow, labels") << 0 << true;
        QTest::newRow("Times New Roman, no labels") << 1 << false;
    }
    void missingFontWritesNothing() {
        QFETCH(int, fontNo);
        QFETCH(bool, indices);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.tif"));
        CParameterSet p;
        p.m_FontNoBmp = fontNo;
        const std::vector<CDot> spots;
        ExportImageScene scene;
        scene.params = &p;
        scene.spots = &spots;
        ExportImageSettings settings;
        settings.width = 200;
        settings.height = 150;
        settings.indices = indices;
        const std::optional<Message> failed = ExportPatternImage(scene, settings, path);
        QVERIFY(failed);
        QCOMPARE(QString::fromStdString(failed->text),
                 QStringLiteral("Failed to create the font."));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(ImageExportFontTest)
#include "image_export_font_test.moc"
