// The pattern text export and the merge dialog: the exported pattern merged back and drawn in
// the slot's colour with the current levels, header counts, Remove, OK, Cancel and the size
// limits.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/dialogs/dlg_merge.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using xelmor::test::WriteFile;

namespace {

template <class W> W* Child(QDialog& d, int id) {
    return d.findChild<W*>(QStringLiteral("id%1").arg(id));
}

void Click(QDialog& d, int id) {
    Child<QPushButton>(d, id)->click();
}

QColor ToColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

class MergeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void exportedPatternMergesBackInTheSlotColour() {
        QTemporaryDir dir;
        test::StartedApp s;
        s.Simulate();
        const std::vector<CDot>& spots = s.doc->Spots();
        QVERIFY(!spots.empty());
        const QString path = dir.filePath(QStringLiteral("si.pdat"));
        s.files.paths = {path};
        s.frame->OnCommand(ID_EXPORT_TEXTFILE);
        QCOMPARE(s.files.requests.back().title, QStringLiteral("Export the pattern as a textfile"));
        QCOMPARE(s.files.requests.back().filter,
                 QStringLiteral("Xelmorscope Text Files (*.pdat)|*.pdat|All Files (*.*)|*.*||"));
        QCOMPARE(s.files.requests.back().defaultExt, QStringLiteral("pdat"));
        QVERIFY(QFile::exists(path));

        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Merge Data Patterns (*.pdat)"));
            auto* color = Child<QComboBox>(d, 1183);
            QCOMPARE(color->itemText(0), QStringLiteral("Black"));
            QCOMPARE(color->itemText(1), QStringLiteral("Blue"));
            QCOMPARE(color->itemText(2), QStringLiteral("Red"));
            QCOMPARE(color->currentText(), QStringLiteral("Blue"));
            QCOMPARE(Child<QComboBox>(d, 1182)->currentText(), QStringLiteral("Red"));
            QCOMPARE(Child<QLineEdit>(d, 1187)->text(), QStringLiteral("-1"));
            QCOMPARE(Child<QLineEdit>(d, 1186)->toolTip(),
                     QStringLiteral("If <=0, use Imax and Isat of the active pattern. If>0, use "
                                    "Imax and Isat of this pattern."));
            QVERIFY(!Child<QLineEdit>(d, 1187)->isEnabled());
            Click(d, 1167);
            QCOMPARE(Child<QLineEdit>(d, 1128)->text(), path);
            QCOMPARE(Child<QLineEdit>(d, 1130)->text(), QStringLiteral("3"));
            QVERIFY(Child<QLineEdit>(d, 1187)->isEnabled());
            QVERIFY(Child<QPushButton>(d, 1168)->isEnabled());
            QVERIFY(!Child<QPushButton>(d, 1167)->isEnabled());
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_DATA_PATTERN);
        QCOMPARE(s.files.requests.back().title,
                 QStringLiteral("Import Xelmorscope Text File to Merge"));
        QCOMPARE(s.files.requests.back().filter,
                 QStringLiteral("Xelmorscope Textfiles (*.pdat)|*.pdat||"));
        const MergeSlot& slot = s.doc->m_Merge2;
        QCOMPARE(slot.nRecords(), static_cast<int>(spots.size()));
        QCOMPARE(QString::fromStdString(slot.strFile), path);
        QCOMPARE(slot.nColor, kMergeColorBlue);
        QCOMPARE(slot.saturate, kMergeUsePatternLevels);
        QCOMPARE(slot.spotWidth, 30.0);
        QVERIFY(s.doc->m_Merge1.records.empty());

        // The current spots drawn smaller, so the merged ring shows around each of them; a spot
        // below saturation gets the slot's blue at the current pattern's level.
        CParameterSet& p = s.Params();
        p.m_SpotWidth = p.m_SpotHeight = 10;
        std::size_t k = 0;
        while (k < spots.size() && SpotLevel(spots[k].intensity, p.m_Isat, true) >= 200)
            ++k;
        QVERIFY(k < spots.size());
        const int level = SpotLevel(slot.records[k].intensity, p.m_Isat, true);
        QVERIFY(level > 0 && level < 255);
        CXelmorView& view = *s.frame->View();
        const PatternScene scene = view.Scene();
        const LogicalRect merged =
            MergeRectAt(MergeBaseRect(scene.frame.width, scene.frame.height, scene.frame.scale, 30,
                                      30, 0, 0, false),
                        scene.frame.scale, slot.records[k].x, slot.records[k].y, false);
        QImage image(1200, 1000, QImage::Format_RGB32);
        const DeviceMapping map = MappingOf(image);
        QPainter painter(&image);
        PaintPattern(painter, scene, map);
        painter.end();
        const int x = map.X(merged.left + 2), y = map.Y((merged.top + merged.bottom) / 2);
        QCOMPARE(image.pixelColor(x, y), ToColor(SpotRgb(level, kMergeColorBlue)));
    }

    void headerCount_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("records");
        const QByteArray head = "! Laue Pattern Text File\r\n\r\n";
        const QByteArray size = "2.5, 2.5\r\n0, 0\r\n";
        const QByteArray lines = "1\t2\t30\t1 1 1\r\n3\t4\t20\t1 1 1\r\n5\t6\t10\t1 1 1\r\n";
        QTest::newRow("5 with 3 records") << head + "5\r\n" + size + lines << 3;
        QTest::newRow("3 with 5 records")
            << head + "3\r\n" + size + lines + "7\t8\t5\t1 1 1\r\n9\t9\t1\t1 1 1\r\n"
            << 3;
    }
    void headerCount() {
        QFETCH(QByteArray, content);
        QFETCH(int, records);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("m.pdat"));
        WriteFile(path, content);
        test::StartedApp s;
        s.files.paths = {path};
        s.dialogs.fill = [&](QDialog& d) {
            Click(d, 1184);
            QCOMPARE(Child<QLineEdit>(d, 1185)->text(), QStringLiteral("2.5"));
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_DATA_PATTERN);
        QCOMPARE(s.doc->m_Merge1.nRecords(), records);
        QCOMPARE(s.doc->m_Merge1.spotWidth, 25.0);
        QCOMPARE(s.doc->m_Merge1.records.front(), (MergedSpot{10, 20, 30, 1}));
    }

    void missingFileLeavesTheSlot() {
        test::StartedApp s;
        s.files.paths = {QStringLiteral("/nonexistent/x.pdat")};
        s.dialogs.fill = [&](QDialog& d) {
            Click(d, 1184);
            QVERIFY(Child<QPushButton>(d, 1184)->isEnabled());
            QCOMPARE(Child<QLineEdit>(d, 1103)->text(), QString());
            Click(d, 1);
        };
        s.frame->OnCommand(ID_IMPORT_DATA_PATTERN);
        QCOMPARE(s.messages.Texts(),
                 QStringList{QStringLiteral("Cannot open the file  /nonexistent/x.pdat! ")});
        QVERIFY(s.doc->m_Merge1.records.empty());
    }

    void removeWithOkEmptiesCancelKeeps() {
        test::StartedApp s;
        const auto fill = [&s] {
            s.doc->m_Merge1.records = {{1, 2, 3, 1}};
            s.doc->m_Merge1.strFile = "one.pdat";
        };
        fill();
        s.doc->m_Merge2.records = {{4, 5, 6, 2}};
        s.doc->m_Merge2.strFile = "two.pdat";
        for (int button : {2, 1}) {
            s.dialogs.fill = [&](QDialog& d) {
                QCOMPARE(Child<QLineEdit>(d, 1103)->text(), QStringLiteral("one.pdat"));
                QVERIFY(!Child<QPushButton>(d, 1184)->isEnabled());
                Click(d, 1166);
                QCOMPARE(Child<QLineEdit>(d, 1103)->text(), QString());
                QVERIFY(Child<QPushButton>(d, 1184)->isEnabled());
                QVERIFY(!Child<QPushButton>(d, 1166)->isEnabled());
                QVERIFY(!Child<QComboBox>(d, 1182)->isEnabled());
                Click(d, button);
            };
            s.frame->OnCommand(ID_IMPORT_DATA_PATTERN);
            if (button == 2) {
                QCOMPARE(s.doc->m_Merge1.nRecords(), 1); // Cancel changes nothing
                QCOMPARE(s.doc->m_Merge1.strFile, std::string("one.pdat"));
            }
        }
        QVERIFY(s.doc->m_Merge1.records.empty());
        QCOMPARE(s.doc->m_Merge1.strFile, std::string());
        QCOMPARE(s.doc->m_Merge2.nRecords(), 1); // the other slot is untouched
    }

    void spotSizeLimits_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0.1 accepted") << 1185 << "0.1" << true;
        QTest::newRow("200 accepted") << 1131 << "200" << true;
        QTest::newRow("0.09 refused") << 1129 << "0.09" << false;
        QTest::newRow("200.5 refused, also in an empty slot") << 1131 << "200.5" << false;
    }
    void spotSizeLimits() {
        QFETCH(int, edit);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        test::MessageRecorder messages;
        CDlgMerge d(MergeSlot(1), MergeSlot(2));
        d.show();
        Child<QLineEdit>(d, edit)->setText(text);
        Click(d, 1);
        QCOMPARE(d.result() == QDialog::Accepted, accepted);
        if (!accepted)
            QCOMPARE(messages.Texts(),
                     QStringList{QStringLiteral("Enter a number between 0.1 and 200.")});
    }
};

QTEST_MAIN(MergeDialogTest)
#include "merge_dialog_test.moc"
