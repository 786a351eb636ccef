// The crystal structure dialog as the Crystal button runs it: import with its messages and the
// folder it remembers, the lattice checks of OK and "Save as...", the format help, and what
// the parameter set takes over.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/core/params.h"
#include "xelmor/dialogs/dlg_cryst.h"
#include "xelmor/dialogs/first_pattern.h"

using namespace xelmor;

namespace {

const char* const kLatticeIds[6] = {"id1118", "id1119", "id1120", "id1121", "id1122", "id1123"};

QString SiliconFile() {
    return test::BuiltProgramDir() + QStringLiteral("/Silicon.struct");
}

QLineEdit* Edit(QWidget& d, const char* id) {
    return d.findChild<QLineEdit*>(QLatin1String(id));
}

void Press(QWidget& d, const char* id) {
    QPushButton* b = d.findChild<QPushButton*>(QLatin1String(id));
    QVERIFY2(b, id);
    QTest::mouseClick(b, Qt::LeftButton);
}

// The texts of the atom list, row by row.
QList<QStringList> Rows(QWidget& d) {
    return test::TableTexts(d, QStringLiteral("id1124"));
}

QStringList Lattice(QWidget& d) {
    QStringList out;
    for (const char* id : kLatticeIds)
        out << Edit(d, id)->text();
    return out;
}

// A structure file as Xelmor writes it, with the cell given.
void WriteStruct(const QString& path, const char* cell, const char* angles) {
    test::WriteFile(path, QByteArray("Test cell\r\n") + cell + "\r\n" + angles +
                              "\r\n2\r\nSi 0 0 0 1\r\nC 0.25 0.25 0.25 0.5\r\n");
}

QString FocusId() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class DialogCrystalTest : public QObject {
    Q_OBJECT
private slots:
    void okWithoutImportChangesNothing() {
        test::MessageRecorder messages;
        test::FileScript files;
        CParameterSet p;
        test::SetUpSilicon(p);
        const CParameterSet before = p;
        test::DialogScript script([](QDialog& d) {
            // The edits show the program's crystal; a changed value is not taken over.
            QCOMPARE(Lattice(d), QStringList({"5.431", "5.431", "5.431", "90", "90", "90"}));
            QCOMPARE(Rows(d).size(), 8);
            Edit(d, "id1118")->setText(QStringLiteral("6"));
            Press(d, "id1");
        });
        QString dir = QStringLiteral("/somewhere");
        QVERIFY(!RunCrystalDialog(nullptr, p, dir, test::BuiltProgramDir()));
        QCOMPARE(script.titles, QStringList({"Crystal Structure"})); // no geometry dialog
        QVERIFY(messages.messages.empty());
        QCOMPARE(p.m_a, before.m_a);
        QVERIFY(p.m_Atoms == before.m_Atoms);
        QCOMPARE(p.m_bGeometrySet, 1);
        QCOMPARE(dir, QStringLiteral("/somewhere"));
    }

    void withoutStructureOkAndSaveRefuse() {
        test::MessageRecorder messages;
        test::FileScript files;
        CDlgCryst d(StructureData{}, QString(), test::BuiltProgramDir());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (const char* id : kLatticeIds)
            QVERIFY(!Edit(d, id)->isEnabled());
        QCOMPARE(Edit(d, "id1103")->text(), SiliconFile());
        Press(d, "id1108");
        Press(d, "id1");
        QCOMPARE(messages.Texts(), QStringList({"No crystal structure available.",
                                                "No Crystal Structure has been imported yet."}));
        QVERIFY(files.requests.empty());
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void importTakesOverTheTypedCell() {
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths.push_back(SiliconFile());
        CParameterSet p;
        p.m_Wavelength = {0.5, 1.0};
        p.m_Intensity = {1.0, 1.0};
        p.m_Isat = 5.0;
        p.m_bGeometrySet = 1;
        test::DialogScript script([](QDialog& d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            Press(d, "id1105");
            QCOMPARE(FocusId(), QStringLiteral("id1"));
            QCOMPARE(Edit(d, "id1126")->text(), QStringLiteral("Silicon"));
            QCOMPARE(Lattice(d), QStringList({"5.4309", "5.4309", "5.4309", "90", "90", "90"}));
            const QList<QStringList> rows = Rows(d);
            QCOMPARE(rows.size(), 8);
            QCOMPARE(rows[0], QStringList({"1", "Si", "0", "0", "0", "1"}));
            QCOMPARE(rows[7], QStringList({"8", "Si", "0.75", "0.75", "0.25", "1"}));
            Edit(d, "id1118")->setText(QStringLiteral("5.5"));
            Press(d, "id1");
        });
        QString dir;
        QVERIFY(RunCrystalDialog(nullptr, p, dir, QStringLiteral("/prog")));
        QVERIFY(messages.messages.empty());
        QCOMPARE(files.requests.size(), std::size_t{1});
        const test::FileScript::Request& open = files.requests[0];
        QVERIFY(!open.save);
        QCOMPARE(open.title, QStringLiteral("Open A Crystal Structure File"));
        QCOMPARE(open.filter,
                 QStringLiteral("Crystal Files (*.struct)|*.struct|All Files (*.*)|*.*||"));
        QCOMPARE(open.defaultExt, QStringLiteral("struct"));
        QCOMPARE(open.folder, QStringLiteral("/prog")); // no folder remembered yet
        QCOMPARE(dir, test::BuiltProgramDir());
        QCOMPARE(p.m_strCrystalName, std::string("Silicon"));
        QCOMPARE(p.m_a, 5.5);
        QCOMPARE(p.m_b, 5.4309);
        QCOMPARE(p.nAtoms(), 8);
        QCOMPARE(p.nElements(), 1);
        QVERIFY(std::abs(p.m_Recip.ax - 1 / 5.5) < 1e-12);
        QCOMPARE(p.m_bGeometrySet, 0);
        QCOMPARE(p.m_Isat, -1.0);
    }

    void latticeChecks_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString length = QStringLiteral("Enter a number between 0.001 and 5000.");
        const QString angle = QStringLiteral("Enter a number between 0.001 and 179.999.");
        QTest::newRow("a 0.0005") << 0 << "0.0005" << length;
        QTest::newRow("a 0.001") << 0 << "0.001" << QString();
        QTest::newRow("c 5000") << 2 << " 5000 " << QString();
        QTest::newRow("c 5000.01") << 2 << "5000.01" << length;
        QTest::newRow("b no number") << 1 << "5.4x" << QStringLiteral("Enter a number.");
        QTest::newRow("b empty") << 1 << "" << QStringLiteral("Enter a number.");
        QTest::newRow("b infinite") << 1 << "inf" << QStringLiteral("Enter a number.");
        QTest::newRow("alpha 179.9995") << 3 << "179.9995" << angle;
        QTest::newRow("gamma 179.999") << 5 << "179.999" << QString();
        QTest::newRow("beta 0") << 4 << "0" << angle;
    }
    void latticeChecks() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        test::MessageRecorder messages;
        CParameterSet p;
        test::SetUpSilicon(p);
        StructureData si{"Si", 5.4309, 5.4309, 5.4309, 90, 90, 90, p.m_Atoms, {}};
        CDlgCryst d(si, QString(), QString());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Edit(d, kLatticeIds[field])->setText(text);
        // gamma, the last edit, is wrong too: it is reached only when the field passes.
        if (field < 5)
            Edit(d, "id1123")->setText(QStringLiteral("200"));
        Press(d, "id1");
        if (message.isEmpty() && field < 5) {
            QCOMPARE(messages.Texts(), QStringList({"Enter a number between 0.001 and 179.999."}));
            QCOMPARE(FocusId(), QStringLiteral("id1123"));
            return;
        }
        if (message.isEmpty()) {
            QVERIFY(messages.messages.empty());
            QCOMPARE(d.result(), int(QDialog::Accepted));
            return;
        }
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(FocusId(), QString::fromLatin1(kLatticeIds[field]));
        QVERIFY(d.isVisible());
    }

    void angleOfTheFileRefusedOnOkAndSave() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("wide.struct"));
        WriteStruct(path, "5 5 5", "90 90 179.9995");
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {path, tmp.filePath(QStringLiteral("out.struct"))};
        CDlgCryst d(StructureData{}, QString(), QString());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Press(d, "id1105");
        QVERIFY(messages.messages.empty()); // the reader takes the angle
        QCOMPARE(Edit(d, "id1123")->text(), QStringLiteral("179.9995"));
        Press(d, "id1");
        QCOMPARE(FocusId(), QStringLiteral("id1123"));
        Press(d, "id1108");
        const QString angle = QStringLiteral("Enter a number between 0.001 and 179.999.");
        QCOMPARE(messages.Texts(), QStringList({angle, angle}));
        QCOMPARE(files.requests.size(), std::size_t{1}); // no save dialog
        QVERIFY(d.isVisible());
    }

    void saveThenImportShowsTheSameList() {
        QTemporaryDir tmp;
        const QString saved = tmp.filePath(QStringLiteral("copy.struct"));
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {SiliconFile(), saved};
        QList<QStringList> rows;
        {
            CDlgCryst d(StructureData{}, QStringLiteral("/start"), QString());
            d.show();
            QVERIFY(QTest::qWaitForWindowActive(&d));
            Press(d, "id1105");
            Edit(d, "id1120")->setText(QStringLiteral("6.25"));
            Press(d, "id1108");
            rows = Rows(d);
            // The folder of a save is not remembered.
            QCOMPARE(d.DirCrystal(), test::BuiltProgramDir());
        }
        QVERIFY(messages.messages.empty());
        QCOMPARE(files.requests.size(), std::size_t{2});
        const test::FileScript::Request& save = files.requests[1];
        QVERIFY(save.save);
        QCOMPARE(save.title, QStringLiteral("Save as A Crystal Structure File"));
        QCOMPARE(save.filter,
                 QStringLiteral("Crystal Files (*.struct)|*.struct|All Files (*.*)|*.*||"));
        QCOMPARE(save.defaultExt, QStringLiteral("struct"));
        QCOMPARE(save.folder, test::BuiltProgramDir());

        files.paths = {saved};
        CDlgCryst again(StructureData{}, QString(), QString());
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        Press(again, "id1105");
        QVERIFY(messages.messages.empty());
        QCOMPARE(Rows(again), rows);
        QCOMPARE(Lattice(again), QStringList({"5.4309", "5.4309", "6.25", "90", "90", "90"}));
        QCOMPARE(Edit(again, "id1126")->text(), QStringLiteral("Silicon"));
    }

    void failedReadStillMovesTheFolder() {
        QTemporaryDir tmp;
        const QString bad = tmp.filePath(QStringLiteral("bad.struct"));
        test::WriteFile(bad, "Broken\r\n5 5\r\n");
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {SiliconFile(), bad, tmp.filePath(QStringLiteral("missing.struct"))};
        CDlgCryst d(StructureData{}, QString(), QString());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Press(d, "id1105");
        Press(d, "id1105");
        QCOMPARE(d.DirCrystal(), QDir::toNativeSeparators(tmp.path()));
        Press(d, "id1105");
        QCOMPARE(messages.Texts(),
                 QStringList({"Cannot read " + bad +
                                  ".\nRefer to \"\\Silicon.struct\" for correct text format.",
                              "Cannot open the file  missing.struct! "}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Exclamation);
        // The structure read before stays.
        QCOMPARE(Rows(d).size(), 8);
        QCOMPARE(Edit(d, "id1126")->text(), QStringLiteral("Silicon"));
        QVERIFY(d.Imported());
    }

    void cancelledImportChangesNothing() {
        test::MessageRecorder messages;
        test::FileScript files; // answers with an empty path
        CParameterSet p;
        test::DialogScript script([](QDialog& d) {
            Press(d, "id1105");
            d.accept();
        });
        QString dir = QStringLiteral("/kept");
        QVERIFY(!RunCrystalDialog(nullptr, p, dir, QString()));
        QCOMPARE(dir, QStringLiteral("/kept"));
        QCOMPARE(files.requests.size(), std::size_t{1});
        QCOMPARE(files.requests[0].folder, QStringLiteral("/kept"));
        QCOMPARE(messages.Texts(), QStringList({"No Crystal Structure has been imported yet."}));
    }

    void formatHelpOpensTheExampleFile() {
        test::MessageRecorder messages;
        test::RecordingShell shell;
        CDlgCryst d(StructureData{}, QString(), QStringLiteral("/prog"));
        d.show();
        Press(d, "id1129");
        QCOMPARE(shell.opened, QStringList({"/prog/Silicon.struct"}));
        QVERIFY(messages.messages.empty());
        shell.succeed = false;
        Press(d, "id1129");
        QCOMPARE(messages.Texts(),
                 QStringList({"Problems occured in lauching Notepad or Windows default "
                              "editor.\nPlease run Notepad yourself and open "
                              "/prog/Silicon.struct"}));
    }

    void labelsAreBuddies() {
        CDlgCryst d(StructureData{}, QString(), QString());
        QStringList labelled;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy())
                labelled << l->buddy()->objectName();
        for (const char* id : kLatticeIds)
            QVERIFY2(labelled.contains(QLatin1String(id)), id);
        QVERIFY(labelled.contains(QStringLiteral("id1126")));
        QVERIFY(labelled.contains(QStringLiteral("id1103")));
    }
};

QTEST_MAIN(DialogCrystalTest)
#include "dialog_crystal_test.moc"
