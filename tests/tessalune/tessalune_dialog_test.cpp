// The main dialog of the editor: a new editor, the checks before Density and Save As, the
// density, the Debye temperatures per kind in ascending Z, Open and Save As in the editor's
// dialect with their messages, and closing.
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "structfile/text_file.h"
#include "tessalune/tessalune_app.h"
#include "tests/tessalune/editor_helpers.h"

using namespace xelmor;
using namespace xelmor::tessalune;
using namespace xelmor::test;

namespace {

constexpr double kDensityTolerance = 5e-4;

const QString kNameMessage = QStringLiteral("Please enter a crystal name!   ");
const QString kLengthMessage = QStringLiteral("Please enter a number between 0.001 and 5000.");
const QString kAngleMessage = QStringLiteral("Please enter a number between 0.001 and 179.999.");

// A GaAs cell with distinct temperatures for the two kinds, atoms in lower case.
const QByteArray kGaAsLowerCase = "GaAs\r\n5.6533 5.6533 5.6533\r\n90 90 90\r\n2\r\n"
                                  "ga 0 0 0 1\r\nAS 0.25 0.25 0.25 0.5\r\n300\r\n400\r\n";

struct Editor {
    MessageRecorder messages;
    FileScript files;
    CTessaluneDlg dlg;
    Editor() {
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }
    void Open(const QString& path) {
        files.paths.push_back(path);
        Press(dlg, "id1074");
    }
};

} // namespace

class EditorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tessalune")); }

    void newEditor() {
        Editor e;
        QCOMPARE(e.dlg.windowTitle(), QStringLiteral("Editor of Crystal Structures"));
        QVERIFY(!e.dlg.windowIcon().isNull());
        QCOMPARE(Edit(e.dlg, "id1007")->text(), QString());
        QCOMPARE(CellTexts(e.dlg), QStringList({"0", "0", "0", "90", "90", "90"}));
        QCOMPARE(Rows(e.dlg), QList<QStringList>({{"1", "", "", "", "", ""}}));
        QCOMPARE(Temperatures(e.dlg), QStringList(6, QString()));
        Press(e.dlg, "id1102");
        QCOMPARE(e.messages.Texts(), QStringList({kNameMessage}));
        QCOMPARE(e.messages.messages[0].caption, std::string("Tessalune"));
        QCOMPARE(FocusId(), QStringLiteral("id1007"));
        QCOMPARE(Edit(e.dlg, "id1101")->text(), QString());
    }

    // One field at a time set on a valid silicon-like cell with one atom: refused with the
    // message and the focus on the field, or accepted (a density is shown).
    void checks_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("name blanks") << "id1007"
                                     << "   " << kNameMessage;
        QTest::newRow("a 0.0005") << "id1008"
                                  << "0.0005" << kLengthMessage;
        QTest::newRow("a 0.001") << "id1008"
                                 << "0.001" << QString();
        QTest::newRow("b not a number") << "id1009"
                                        << "abc" << kLengthMessage;
        QTest::newRow("b overflowing") << "id1009"
                                       << "1e999" << kLengthMessage;
        QTest::newRow("c 5000") << "id1010"
                                << "5000" << QString();
        QTest::newRow("c 5000.01") << "id1010"
                                   << "5000.01" << kLengthMessage;
        QTest::newRow("c leading number") << "id1010"
                                          << "5.4 A" << QString();
        QTest::newRow("alpha 179.999") << "id1011"
                                       << "179.999" << QString();
        QTest::newRow("alpha 179.9991") << "id1011"
                                        << "179.9991" << kAngleMessage;
        QTest::newRow("alpha 0") << "id1011"
                                 << "0" << kAngleMessage;
        QTest::newRow("beta 179.999") << "id1012"
                                      << "179.999" << kAngleMessage;
        QTest::newRow("beta 179.998") << "id1012"
                                      << "179.998" << QString();
        QTest::newRow("gamma 179.999") << "id1013"
                                       << "179.999" << kAngleMessage;
        QTest::newRow("gamma 0.001") << "id1013"
                                     << "0.001" << QString();
    }
    void checks() {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Editor e;
        SetCell(e.dlg, QStringLiteral("Test"), {"5", "5", "5", "90", "90", "90"});
        AddAtom(e.dlg, 14, 0, 0, 0);
        QLineEdit* field = Edit(e.dlg, id.toLatin1().constData());
        field->setText(text);
        Press(e.dlg, "id1102");
        if (message.isEmpty()) {
            QVERIFY(e.messages.messages.empty());
            QVERIFY(!Edit(e.dlg, "id1101")->text().isEmpty());
            return;
        }
        QCOMPARE(e.messages.Texts(), QStringList({message}));
        QCOMPARE(FocusId(), id);
        // The controls keep what was typed, and the atoms' temperature stays unlabelled.
        QCOMPARE(field->text(), text);
        QCOMPARE(Edit(e.dlg, "id1101")->text(), QString());
        // Save As refuses the same way and asks for no file.
        e.messages.Clear();
        Press(e.dlg, "id1038");
        QCOMPARE(e.messages.Texts(), QStringList({message}));
        QVERIFY(e.files.requests.empty());
    }

    void noAtomRefused() {
        Editor e;
        SetCell(e.dlg, QStringLiteral("Empty"), {"5", "5", "5", "90", "90", "90"});
        Press(e.dlg, "id1038");
        QCOMPARE(e.messages.Texts(), QStringList({"No atom was added!   "}));
        QCOMPARE(FocusId(), QStringLiteral("id1100"));
        QCOMPARE(List(e.dlg)->SelectedRow(), 0);
        QVERIFY(e.files.requests.empty());
    }

    void density_data() {
        QTest::addColumn<int>("Z");
        QTest::addColumn<QString>("a");
        QTest::addColumn<double>("expected");
        QTest::newRow("silicon") << 14 << "5.4309" << 2.329;
        QTest::newRow("germanium") << 32 << "5.6579" << 5.324;
    }
    void density() {
        QFETCH(int, Z);
        QFETCH(QString, a);
        QFETCH(double, expected);
        Editor e;
        SetCell(e.dlg, QStringLiteral(" Crystal "), {a, a, a, "90", "90", "90"});
        AddDiamondAtoms(e.dlg, Z);
        QCOMPARE(Rows(e.dlg).size(), 9);
        Press(e.dlg, "id1102");
        QVERIFY(e.messages.messages.empty());
        const double density = Edit(e.dlg, "id1101")->text().toDouble();
        QVERIFY2(std::abs(density - expected) < kDensityTolerance,
                 qPrintable(Edit(e.dlg, "id1101")->text()));
        // The check rewrote the controls: the name trimmed, the kind labelled.
        QCOMPARE(Edit(e.dlg, "id1007")->text(), QStringLiteral("Crystal"));
        QCOMPARE(
            Temperatures(e.dlg)[0],
            QStringLiteral("0 (%1)").arg(Z == 14 ? QStringLiteral("Si") : QStringLiteral("Ge")));
    }

    void gaasDensityAfterOpen() {
        Editor e;
        e.Open(DataFile("GaAs.struct"));
        QVERIFY(e.messages.messages.empty());
        Press(e.dlg, "id1102");
        const double density = Edit(e.dlg, "id1101")->text().toDouble();
        QVERIFY(std::abs(density - 5.317) < kDensityTolerance);
        // A structure opened after it does not show the density of the one before.
        e.Open(DataFile("GaAs.struct"));
        QCOMPARE(Edit(e.dlg, "id1101")->text(), QString());
    }

    void cellWithoutVolume() {
        Editor e;
        SetCell(e.dlg, QStringLiteral("Flat"), {"5", "5", "5", "170", "170", "170"});
        AddAtom(e.dlg, 14, 0, 0, 0);
        Edit(e.dlg, "id1101")->setText(QStringLiteral("1.5"));
        Press(e.dlg, "id1102");
        QCOMPARE(e.messages.Texts(),
                 QStringList({"The cell angles alpha, beta and gamma do not form a unit cell."}));
        QCOMPARE(FocusId(), QStringLiteral("id1011"));
        QCOMPARE(Edit(e.dlg, "id1101")->text(), QString());
    }

    void temperaturesInAscendingZ() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("GaAs.struct"));
        Editor e;
        SetCell(e.dlg, QStringLiteral("GaAs"), {"5.6533", "5.6533", "5.6533", "90", "90", "90"});
        AddAtom(e.dlg, 33, 0.25, 0.25, 0.25);
        AddAtom(e.dlg, 31, 0, 0, 0, 0.5);
        Press(e.dlg, "id1102");
        QVERIFY(e.messages.messages.empty());
        QCOMPARE(Temperatures(e.dlg), QStringList({"0 (Ga)", "0 (As)", "", "", "", ""}));
        QCOMPARE(e.dlg.KindList(), std::vector<int>({31, 33}));
        Edit(e.dlg, "id1015")->setText(QStringLiteral("300"));
        Edit(e.dlg, "id1016")->setText(QStringLiteral("400.5 K"));
        e.files.paths.push_back(path);
        Press(e.dlg, "id1038");
        QVERIFY(e.messages.messages.empty());
        QCOMPARE(Temperatures(e.dlg), QStringList({"300 (Ga)", "400.5 (As)", "", "", "", ""}));
        QCOMPARE(e.files.requests.size(), std::size_t{1});
        const FileScript::Request& save = e.files.requests[0];
        QVERIFY(save.save);
        QCOMPARE(save.title, QStringLiteral("Save Crystal Structure"));
        QCOMPARE(save.filter,
                 QStringLiteral("Structure File (*.struct)|*.struct|All Files (*.*)|*.*||"));
        QCOMPARE(save.defaultExt, QStringLiteral("struct"));
        QCOMPARE(save.folder, QString());
        QCOMPARE(save.proposedName, QStringLiteral("GaAs"));
        QCOMPARE(ReadFile(path), QByteArray("! Crystal Structure File\r\n"
                                            "! Version 3.1\r\n"
                                            "\r\n"
                                            "GaAs\t\t\t! Crystal Name\r\n"
                                            "5.6533\t5.6533\t5.6533\t! Lattice constants a, b, "
                                            "c (A)\r\n"
                                            "90\t90\t90\t! alpha, beta, gamma (degrees)\r\n"
                                            "\r\n"
                                            "2\t! Total number of atoms in unit cell\r\n"
                                            "\r\n"
                                            "! Atom\tX\tY\tZ\tOccupancy\r\n"
                                            "As\t0.25\t0.25\t0.25\t1\r\n"
                                            "Ga\t0\t0\t0\t0.5\r\n"
                                            "\r\n"
                                            "300\t! Ga, Debye-Waller temperature(K)\r\n"
                                            "400.5\t! As, Debye-Waller temperature(K)\r\n"
                                            "\r\n"
                                            "! You can add any references below.\r\n"));
    }

    // Temperatures shown with their kind stay with that kind when a kind of lower Z comes in
    // or a kind goes; unlabelled ones are taken in order; negative ones count as unknown.
    void temperaturesFollowTheirKind() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("lower.struct"));
        WriteFile(path, kGaAsLowerCase);
        Editor e;
        e.Open(path);
        QCOMPARE(Temperatures(e.dlg), QStringList({"300 (Ga)", "400 (As)", "", "", "", ""}));
        AddAtom(e.dlg, 13, 0.5, 0.5, 0.5); // aluminium, below gallium
        Press(e.dlg, "id1102");
        QCOMPARE(Temperatures(e.dlg), QStringList({"0 (Al)", "300 (Ga)", "400 (As)", "", "", ""}));
        // Gallium goes: its temperature goes with it; an unlabelled value is taken in order.
        Edit(e.dlg, "id1015")->setText(QStringLiteral("250"));
        List(e.dlg)->SelectRow(0);
        List(e.dlg)->OnDelete();
        Press(e.dlg, "id1102");
        QCOMPARE(Temperatures(e.dlg), QStringList({"250 (Al)", "400 (As)", "", "", "", ""}));
        Edit(e.dlg, "id1016")->setText(QStringLiteral("-7 (As)"));
        Press(e.dlg, "id1102");
        QCOMPARE(Temperatures(e.dlg), QStringList({"250 (Al)", "0 (As)", "", "", "", ""}));
        QVERIFY(e.messages.messages.empty());
    }

    void openShowsTheFile() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("lower.struct"));
        WriteFile(path, kGaAsLowerCase);
        Editor e;
        e.Open(path);
        QVERIFY(e.messages.messages.empty());
        QCOMPARE(e.files.requests.size(), std::size_t{1});
        const FileScript::Request& open = e.files.requests[0];
        QVERIFY(!open.save);
        QCOMPARE(open.title, QStringLiteral("Open Crystal Structure File"));
        QCOMPARE(
            open.filter,
            QStringLiteral("Crystal Structure Files (*.struct)|*.struct|All Files (*.*)|*.*||"));
        QCOMPARE(open.defaultExt, QStringLiteral("struct"));
        QCOMPARE(open.folder, QString());
        QCOMPARE(Edit(e.dlg, "id1007")->text(), QStringLiteral("GaAs"));
        QCOMPARE(CellTexts(e.dlg), QStringList({"5.6533", "5.6533", "5.6533", "90", "90", "90"}));
        QCOMPARE(Rows(e.dlg), QList<QStringList>({{"1", "Ga", "0", "0", "0", "1"},
                                                  {"2", "As", "0.25", "0.25", "0.25", "0.5"},
                                                  {"3", "", "", "", "", ""}}));
        QCOMPARE(e.dlg.Structure().temperatures, std::vector<double>({300, 400, 0, 0, 0, 0}));
    }

    void failedOpenKeepsTheControls() {
        QTemporaryDir tmp;
        const QString missing = tmp.filePath(QStringLiteral("missing.struct"));
        Editor e;
        e.Open(DataFile("GaAs.struct"));
        const QList<QStringList> rows = Rows(e.dlg);
        const QStringList temperatures = Temperatures(e.dlg);
        // Xelmor's example file has no temperature lines: the editor cannot read it.
        e.Open(DataFile("Silicon.struct"));
        e.Open(missing);
        QCOMPARE(e.messages.messages.size(), std::size_t{2});
        const Message& read = e.messages.messages[0];
        QCOMPARE(read.text, std::string("Failed to read the file.\n\nPlease use Notepad to "
                                        "correct this file.   \nSee \"Silicon.struct\" for "
                                        "correct format."));
        QCOMPARE(read.caption, std::string("Error in Reading Structure File"));
        QCOMPARE(read.icon, MsgIcon::Exclamation);
        const Message& open = e.messages.messages[1];
        QCOMPARE(open.text, ("Failed to open file '" + missing + "' !    ").toStdString());
        QCOMPARE(open.caption, std::string("Tessalune"));
        QCOMPARE(open.icon, MsgIcon::Stop);
        QCOMPARE(Rows(e.dlg), rows);
        QCOMPARE(Temperatures(e.dlg), temperatures);
        QCOMPARE(Edit(e.dlg, "id1007")->text(), QStringLiteral("GaAs"));
        // A cancelled choice reads nothing.
        Press(e.dlg, "id1074");
        QCOMPARE(e.messages.messages.size(), std::size_t{2});
        QCOMPARE(Rows(e.dlg), rows);
    }

    void saveFailures_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message"); // %1: the path
        QTest::newRow("cannot create")
            << int(FileWriteFault::Create) << "Pellucidor cannot create the file \"%1\" !";
        QTest::newRow("write error")
            << int(FileWriteFault::Write)
            << "Error occurred in saving the structure into file\n\n %1 !   ";
    }
    void saveFailures() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("kept.struct"));
        WriteFile(path, "old");
        Editor e;
        e.Open(DataFile("GaAs.struct"));
        e.files.paths.push_back(path);
        FileWriteFaultForTesting injected{FileWriteFault(fault)};
        Press(e.dlg, "id1038");
        QVERIFY(injected.Triggered());
        QCOMPARE(e.messages.Texts(), QStringList({message.arg(path)}));
        QCOMPARE(e.messages.messages[0].icon, MsgIcon::Stop);
        QCOMPARE(ReadFile(path), QByteArray("old"));
    }

    void proposedNameIsAFileName() {
        Editor e;
        e.Open(DataFile("GaAs.struct"));
        Edit(e.dlg, "id1007")->setText(QStringLiteral("  Ga/As 300 K "));
        Press(e.dlg, "id1038"); // the choice is cancelled
        QCOMPARE(e.files.requests.back().proposedName, QStringLiteral("Ga_As 300 K"));
        QVERIFY(e.messages.messages.empty());
    }

    void closeEndsWithoutAsking() {
        MessageRecorder messages;
        FileScript files;
        DialogScript script([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Editor of Crystal Structures"));
            Edit(d, "id1007")->setText(QStringLiteral("unsaved"));
            Press(d, "id1");
        });
        CTessaluneApp app;
        QCOMPARE(app.Run(), 0);
        QCOMPARE(script.titles, QStringList({"Editor of Crystal Structures"}));
        QVERIFY(messages.messages.empty());
        QVERIFY(files.requests.empty());
    }

    void labelsAreBuddies() {
        CTessaluneDlg d;
        QStringList labelled;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy())
                labelled << l->buddy()->objectName();
        for (int id :
             {1007, 1008, 1009, 1010, 1011, 1012, 1013, 1100, 1015, 1016, 1017, 1018, 1019, 1020})
            QVERIFY2(labelled.contains(QStringLiteral("id%1").arg(id)),
                     qPrintable(QString::number(id)));
        QVERIFY(d.findChild<QPushButton*>(QStringLiteral("id1074"))->isDefault());
    }
};

QTEST_MAIN(EditorDialogTest)
#include "tessalune_dialog_test.moc"
