// The calculators of the Tools menu: the angle between two planes (its cases, the zero-row
// messages, Enter calculating), the modeless unit converter's chains, and the structure-factor
// calculator on silicon.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/app/commands.h"
#include "xelmor/dialogs/dlg_unit_convert.h"
#include "xelmor/panel/input_controls.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

QString Text(QWidget& parent, int id) {
    return Child(parent, id)->text();
}

constexpr double kQuotedModulusTol = 0.5e-7;

const int kAngleIndexIds[6] = {1117, 1104, 1105, 1118, 1106, 1107};
const int kAngleResultIds[4] = {1194, 1121, 1112, 1113};

QStringList AngleIndices(QDialog& d) {
    QStringList out;
    for (int id : kAngleIndexIds)
        out << Text(d, id);
    return out;
}

QStringList AngleResults(QDialog& d) {
    QStringList out;
    for (int id : kAngleResultIds)
        out << Text(d, id);
    return out;
}

void TypeIndices(QDialog& d, const QStringList& indices) {
    for (int i = 0; i < 6; ++i)
        Child(d, kAngleIndexIds[i])->setText(indices[i]);
}

QString StructureLabel(QDialog& d) {
    return d.findChild<QLabel*>(QStringLiteral("structureLabel"))->text();
}

// Replaces the text of an edit as typing does: the edit reports every change.
void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class CalculatorsTest : public QObject {
    Q_OBJECT
private slots:
    void angleWithoutCrystal_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");   // the indices written back
        QTest::addColumn<QStringList>("results"); // angle, H, K, L
        QTest::newRow("100 and 110")
            << QStringList{"1", "0", "0", "1", "1", "0"}
            << QStringList{"1", "0", "0", "1", "1", "0"} << QStringList{"45", "0", "0", "1"};
        QTest::newRow("111 and 1-10")
            << QStringList{"1", "1", "1", "1", "-1", "0"}
            << QStringList{"1", "1", "1", "1", "-1", "0"} << QStringList{"90", "0.5", "0.5", "-1"};
        QTest::newRow("read as atof")
            << QStringList{" 1.50x", "", "0", "abc", "2", "-0"}
            << QStringList{"1.5", "0", "0", "0", "2", "0"} << QStringList{"90", "0", "0", "1"};
    }
    void angleWithoutCrystal() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, results);
        StartedApp s;
        QStringList opened, after;
        QString label;
        s.dialogs.fill = [&](QDialog& d) {
            opened = AngleIndices(d);
            TypeIndices(d, typed);
            Child<QPushButton>(d, 1195)->click();
            after = AngleResults(d);
            label = StructureLabel(d);
            QCOMPARE(AngleIndices(d), shown);
            d.reject();
        };
        s.frame->Action(ID_ANGLE_PLANES)->trigger();
        QCOMPARE(s.dialogs.titles, QStringList{QStringLiteral("Angle between two lattice planes")});
        QCOMPARE(opened, (QStringList{"0", "0", "1", "1", "0", "0"}));
        QCOMPARE(after, results);
        QCOMPARE(label, QStringLiteral("For Cubic Structure (e.g. Si)    "));
        QVERIFY(s.messages.messages.empty());
    }

    void angleRefusesARowOfZeros_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("both rows zero: the first is named")
            << QStringList{"0", "0", "0", "0", "0", "0"}
            << QStringLiteral("(H1 K1 L1) must not be (000) !") << 1117;
        QTest::newRow("second row zero")
            << QStringList{"1", "1", "0", "0", "0.0", "x"}
            << QStringLiteral("(H2 K2 L2) must not be (000) !") << 1118;
    }
    void angleRefusesARowOfZeros() {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(int, focus);
        StartedApp s;
        QStringList results;
        QWidget* focused = nullptr;
        s.dialogs.fill = [&](QDialog& d) {
            // A result of an earlier calculation is cleared.
            Child<QPushButton>(d, 1195)->click();
            QCOMPARE(Text(d, 1194), QStringLiteral("90"));
            TypeIndices(d, typed);
            Child<QPushButton>(d, 1195)->click();
            results = AngleResults(d);
            focused = d.focusWidget();
            QVERIFY(d.isVisible());
            d.reject();
        };
        s.frame->OnCommand(ID_ANGLE_PLANES);
        QCOMPARE(s.messages.messages.size(), std::size_t(1));
        QCOMPARE(s.messages.messages[0],
                 MakeMessage(message.toStdString(), MsgIcon::None, "Xelmor"));
        QCOMPARE(results, (QStringList{"", "", "", ""}));
        QVERIFY(focused);
        QCOMPARE(focused->objectName(), QStringLiteral("id%1").arg(focus));
    }

    void angleOfTheCurrentCrystalAndEnterCalculates() {
        StartedApp s;
        SetUpSilicon(s.Params());
        s.Params().m_H = 1, s.Params().m_K = 1, s.Params().m_L = 1;
        s.Params().m_h = 1, s.Params().m_k = -1, s.Params().m_l = 0;
        QStringList opened, results;
        QString label;
        s.dialogs.fill = [&](QDialog& d) {
            opened = AngleIndices(d);
            // Enter in an index edit presses "Calculate", not a step button.
            QLineEdit* l2 = Child(d, 1107);
            l2->setFocus();
            QTest::keyClick(l2, Qt::Key_Return);
            results = AngleResults(d);
            label = StructureLabel(d);
            d.reject();
        };
        s.frame->OnCommand(ID_ANGLE_PLANES);
        QCOMPARE(opened, (QStringList{"1", "1", "1", "1", "-1", "0"}));
        QCOMPARE(results, (QStringList{"90", "0.5", "0.5", "-1"}));
        QCOMPARE(label, QStringLiteral("For current structure"));
        QVERIFY(s.messages.messages.empty());
    }

    void unitConverterIsModelessAndConvertsWhileTyping() {
        StartedApp s;
        CDlgUnitConvert* dlg = s.frame->UnitConverter();
        QVERIFY(dlg);
        QVERIFY(!dlg->isVisible());
        s.frame->Action(ID_UNIT_CONVERSION)->trigger();
        QVERIFY(dlg->isVisible());
        QVERIFY(s.dialogs.titles.isEmpty()); // not run as a modal dialog
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Unit Converter"));

        // One degree and one Angstrom to start with; degree and wavelength are writable.
        const int angleIds[3] = {1190, 1104, 1105};
        auto angles = [&] {
            return QStringList{Text(*dlg, 1190), Text(*dlg, 1104), Text(*dlg, 1105)};
        };
        QCOMPARE(angles(), (QStringList{"3600", "1", "17453.29251994"}));
        QCOMPARE(Text(*dlg, 1106), QStringLiteral("1"));
        QCOMPARE(Text(*dlg, 1107), QStringLiteral("12.3984244"));
        auto writable = [&] {
            QList<bool> w;
            for (int id : {1190, 1104, 1105, 1106, 1107})
                w << !Child(*dlg, id)->isReadOnly();
            return w;
        };
        QCOMPARE(writable(), (QList<bool>{false, true, false, true, false}));

        // The arc-second button makes its edit the writable one and converts nothing.
        Child<QRadioButton>(*dlg, 1188)->click();
        QCOMPARE(writable(), (QList<bool>{true, false, false, true, false}));
        QCOMPARE(angles(), (QStringList{"3600", "1", "17453.29251994"}));
        Retype(Child(*dlg, 1190), QStringLiteral("1800"));
        QCOMPARE(angles(), (QStringList{"1800", "0.5", "8726.64625997"}));
        Retype(Child(*dlg, 1190), QStringLiteral("3600"));
        QCOMPARE(angles(), (QStringList{"3600", "1", "17453.29251994"}));
        // A write into a read-only edit does not feed back.
        Child(*dlg, angleIds[1])->setText(QStringLiteral("7"));
        QCOMPARE(angles(), (QStringList{"3600", "7", "17453.29251994"}));

        Child<QRadioButton>(*dlg, 1173)->click();
        Retype(Child(*dlg, 1105), QStringLiteral("17453.29251994"));
        QCOMPARE(angles(), (QStringList{"3600", "1", "17453.29251994"}));
        Retype(Child(*dlg, 1105), QStringLiteral("abc"));
        QCOMPARE(angles(), (QStringList{"0", "0", "abc"}));

        Retype(Child(*dlg, 1106), QStringLiteral("1.54056"));
        QCOMPARE(Text(*dlg, 1107), QStringLiteral("8.04799839"));
        Retype(Child(*dlg, 1106), QStringLiteral("0"));
        QCOMPARE(Text(*dlg, 1107), QString());
        Retype(Child(*dlg, 1106), QStringLiteral("-1"));
        QCOMPARE(Text(*dlg, 1107), QString());

        Child<QRadioButton>(*dlg, 1175)->click();
        QCOMPARE(writable(), (QList<bool>{false, false, true, false, true}));
        Retype(Child(*dlg, 1107), QStringLiteral("12.3984244"));
        QCOMPARE(Text(*dlg, 1106), QStringLiteral("1"));
        Retype(Child(*dlg, 1107), QString());
        QCOMPARE(Text(*dlg, 1106), QString());

        // Closing hides it; shown again it keeps its fields and choices.
        Retype(Child(*dlg, 1107), QStringLiteral("8.04799839"));
        dlg->close();
        QVERIFY(!dlg->isVisible());
        s.frame->OnCommand(ID_UNIT_CONVERSION);
        QVERIFY(dlg->isVisible());
        QCOMPARE(s.frame->UnitConverter(), dlg);
        QCOMPARE(Text(*dlg, 1106), QStringLiteral("1.54056"));
        QCOMPARE(angles(), (QStringList{"0", "0", "abc"}));
        QCOMPARE(writable(), (QList<bool>{false, false, true, false, true}));
        QVERIFY(s.messages.messages.empty());
    }

    void structureFactorOfSilicon_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("read"); // the index edits after Calculate
        QTest::addColumn<double>("absF");
        QTest::addColumn<QStringList>("shown"); // phase, d
        QTest::newRow("1 1 1") << QStringList{"1", "1", "1"} << QStringList{"1", "1", "1"}
                               << 58.7241284 << QStringList{"315", "3.13558931"};
        QTest::newRow("-1 -1 -1") << QStringList{"-1", "-1", "-1"} << QStringList{"-1", "-1", "-1"}
                                  << 58.7241284 << QStringList{"45", "3.13558931"};
        QTest::newRow("1 3 1") << QStringList{"1", "3", "1"} << QStringList{"1", "3", "1"}
                               << 46.1431495 << QStringList{"45", "1.63750811"};
        // The phase prints as 360 and is shown as 0.
        QTest::newRow("2 2 0") << QStringList{"2", "2", "0"} << QStringList{"2", "2", "0"}
                               << 69.3241581 << QStringList{"0", "1.92014846"};
        // h = 2.7 is read as 2 and the edit rewritten.
        QTest::newRow("2.7 0 0") << QStringList{"2.7", "0", "0"} << QStringList{"2", "0", "0"}
                                 << 0.0 << QStringList{"0", "2.7155"};
        QTest::newRow("cut toward zero, text")
            << QStringList{"-1.9", " 1abc", "x"} << QStringList{"-1", "1", "0"} << 0.0
            << QStringList{"0", "3.84029693"};
        QTest::newRow("clamped") << QStringList{"5000", "-1e9", "0"}
                                 << QStringList{"1000", "-1000", "0"} << 9.97656
                                 << QStringList{"0", "0.0038403"};
        QTest::newRow("0 0 0") << QStringList{"0", "0", "0"} << QStringList{"0", "0", "0"}
                               << 111.99248 << QStringList{"0", "N/A"};
    }
    void structureFactorOfSilicon() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, read);
        QFETCH(double, absF);
        QFETCH(QStringList, shown);
        StartedApp s;
        s.messages.Clear();
        SetUpSilicon(s.Params());
        QStringList opened, openResults, after, results;
        s.dialogs.fill = [&](QDialog& d) {
            opened = QStringList{Text(d, 1117), Text(d, 1104), Text(d, 1105)};
            openResults = QStringList{Text(d, 1192), Text(d, 1129), Text(d, 1193)};
            Child(d, 1117)->setText(typed[0]);
            Child(d, 1104)->setText(typed[1]);
            Child(d, 1105)->setText(typed[2]);
            Child<QPushButton>(d, 1165)->click();
            after = QStringList{Text(d, 1117), Text(d, 1104), Text(d, 1105)};
            results = QStringList{Text(d, 1192), Text(d, 1129), Text(d, 1193)};
            Child<QPushButton>(d, 2)->click();
        };
        s.frame->Action(ID_STRUCTURE_FACTOR)->trigger();
        QCOMPARE(s.dialogs.titles, QStringList{QStringLiteral("Structure Factor (Approximately)")});
        // It opens on (0 0 0), calculated.
        QCOMPARE(opened, (QStringList{"0", "0", "0"}));
        QCOMPARE(openResults, (QStringList{"111.99248", "0", "N/A"}));
        QCOMPARE(after, read);
        // The reference moduli are quoted to 9 significant digits; the text carries 8 decimals.
        QVERIFY2(std::fabs(results[0].toDouble() - absF) < kQuotedModulusTol,
                 qPrintable(results[0]));
        QCOMPARE(results.mid(1), shown);
        QVERIFY(s.messages.messages.empty());
    }

    void structureFactorWithoutCrystalAndItsStepButtons() {
        StartedApp s;
        QStringList results, stepped;
        s.dialogs.fill = [&](QDialog& d) {
            // The step buttons step by one and do not calculate.
            Child<QPushButton>(d, 1130)->click();
            Child<QPushButton>(d, 1132)->click();
            Child<QPushButton>(d, 1135)->click();
            stepped = QStringList{Text(d, 1117), Text(d, 1104), Text(d, 1105), Text(d, 1193)};
            Child<QPushButton>(d, 1165)->click();
            results = QStringList{Text(d, 1192), Text(d, 1129), Text(d, 1193)};
            d.reject();
        };
        s.frame->OnCommand(ID_STRUCTURE_FACTOR);
        QCOMPARE(stepped, (QStringList{"1", "1", "-1", "N/A"}));
        // The unit basis: d of (1 1 -1) is 1 / sqrt(3).
        QCOMPARE(results, (QStringList{"0", "0", "0.57735027"}));
    }
};

QTEST_MAIN(CalculatorsTest)
#include "calculators_test.moc"
