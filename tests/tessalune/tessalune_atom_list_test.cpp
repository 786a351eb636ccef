// The atom list and the atom dialog: the empty last row that adds an atom, editing by key,
// double-click and menu, deleting with renumbering, the context menu and the dialog's checks.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include <memory>

#include "tessalune/single_atom.h"
#include "tests/tessalune/editor_helpers.h"

using namespace xelmor;
using namespace xelmor::tessalune;
using namespace xelmor::test;

namespace {

const QStringList kEmpty = {"", "", "", "", ""};

// A list with four atoms: Si, Ga, As, O.
void FourAtoms(CTessaluneDlg& d) {
    AddAtom(d, 14, 0, 0, 0);
    AddAtom(d, 31, 0.5, 0, 0.5, 0.75);
    AddAtom(d, 33, 0.25, 0.25, 0.25);
    AddAtom(d, 8, -1.5, 10, -10, 1e-30);
}

QStringList Numbers(QWidget& w) {
    QStringList out;
    for (const QStringList& row : Rows(w))
        out << row[0];
    return out;
}

} // namespace

class AtomListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tessalune")); }

    void emptyRowCancelAndConfirm() {
        MessageRecorder messages;
        CTessaluneDlg d;
        CAtomList* list = List(d);
        list->SelectRow(0);
        int runs = 0;
        DialogScript script([&](QDialog& dlg) {
            ++runs;
            // A new atom: the blank element, at the origin, fully occupied.
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Add or Modify Individual Atom"));
            auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("id1092"));
            QCOMPARE(combo->count(), 93);
            QCOMPARE(combo->itemText(0), QStringLiteral(" "));
            QCOMPARE(combo->itemText(92), QStringLiteral("U"));
            QCOMPARE(combo->currentIndex(), 0);
            QCOMPARE(Edit(dlg, "id1093")->text(), QStringLiteral("0"));
            QCOMPARE(Edit(dlg, "id1029")->text(), QStringLiteral("0"));
            QCOMPARE(Edit(dlg, "id1030")->text(), QStringLiteral("0"));
            QCOMPARE(Edit(dlg, "id1031")->text(), QStringLiteral("1"));
            if (runs == 1) {
                FillAtom(dlg, 14, "0.5", "0.5", "0.5", "1");
                Press(dlg, "id2");
                return;
            }
            FillAtom(dlg, 26, " 0.123456789 ", "+0.5", "-0.25", "0.5");
        });
        list->OnEdit();
        QCOMPARE(Rows(d), QList<QStringList>({QStringList({"1"}) + kEmpty}));
        list->OnEdit();
        QCOMPARE(Rows(d), QList<QStringList>({{"1", "Fe", "0.12345679", "0.5", "-0.25", "0.5"},
                                              QStringList({"2"}) + kEmpty}));
        QVERIFY(messages.messages.empty());
    }

    void editStartsFromTheRow() {
        CTessaluneDlg d;
        FourAtoms(d);
        CAtomList* list = List(d);
        list->SelectRow(1);
        DialogScript script([](QDialog& dlg) {
            QCOMPARE(dlg.findChild<QComboBox*>(QStringLiteral("id1092"))->currentIndex(), 31);
            QCOMPARE(Edit(dlg, "id1093")->text(), QStringLiteral("0.5"));
            QCOMPARE(Edit(dlg, "id1031")->text(), QStringLiteral("0.75"));
            FillAtom(dlg, 32, "0.5", "0", "0.5", "0.75");
        });
        list->OnEdit();
        QCOMPARE(Rows(d)[1], QStringList({"2", "Ge", "0.5", "0", "0.5", "0.75"}));
        QCOMPARE(Rows(d)[3], QStringList({"4", "O", "-1.5", "10", "-10", "1e-30"}));
        QCOMPARE(Rows(d).size(), 5); // editing an atom adds no row
    }

    // Every way to edit opens the dialog on the selected row; without a selection none does.
    void editTriggers_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("select");
        QTest::newRow("E") << "E" << true;
        QTest::newRow("Ctrl+E") << "Ctrl+E" << true;
        QTest::newRow("double-click") << "double-click" << true;
        QTest::newRow("menu") << "menu" << true;
        QTest::newRow("command") << "command" << true;
        QTest::newRow("E without selection") << "E" << false;
    }
    void editTriggers() {
        QFETCH(QString, how);
        QFETCH(bool, select);
        CTessaluneDlg d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        FourAtoms(d);
        CAtomList* list = List(d);
        list->clearSelection();
        if (select)
            list->SelectRow(2);
        list->setFocus();
        DialogScript script([](QDialog& dlg) { dlg.reject(); });
        if (how == QLatin1String("E"))
            QTest::keyClick(list, Qt::Key_E);
        else if (how == QLatin1String("Ctrl+E"))
            QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
        else if (how == QLatin1String("double-click"))
            emit list->cellDoubleClicked(2, 1);
        else if (how == QLatin1String("menu"))
            list->ContextMenu()->actions().at(0)->trigger();
        else
            QVERIFY(list->OnCommand(ID_ATOMLIST_EDIT));
        QCOMPARE(script.titles.size(), select ? 1 : 0);
    }

    void deleteRenumbers() {
        CTessaluneDlg d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        FourAtoms(d);
        CAtomList* list = List(d);
        list->SelectRow(1);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(Numbers(d), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(Rows(d)[1][1], QStringLiteral("As"));
        QCOMPARE(Rows(d)[2][1], QStringLiteral("O"));
        QCOMPARE(Rows(d)[3], QStringList({"4"}) + kEmpty);
        // The empty row cannot be deleted.
        list->SelectRow(3);
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(list->OnCommand(ID_ATOMLIST_DELETE));
        QCOMPARE(Numbers(d), QStringList({"1", "2", "3", "4"}));
        list->SelectRow(0);
        QVERIFY(list->OnCommand(ID_ATOMLIST_DELETE));
        QCOMPARE(Numbers(d), QStringList({"1", "2", "3"}));
        QCOMPARE(Rows(d)[0][1], QStringLiteral("As"));
        QVERIFY(!list->OnCommand(1));
    }

    void contextMenu() {
        CTessaluneDlg d;
        AddAtom(d, 14, 0, 0, 0);
        CAtomList* list = List(d);
        list->clearSelection();
        QVERIFY(!list->ContextMenu());
        list->SelectRow(0);
        std::unique_ptr<QMenu> menu = list->ContextMenu();
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&Edit\t^E/ Dblclk"));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("&Delete\tDel"));
        QVERIFY(menu->actions()[0]->isEnabled());
        QVERIFY(menu->actions()[1]->isEnabled());
        menu->actions()[1]->trigger();
        QCOMPARE(Rows(d), QList<QStringList>({QStringList({"1"}) + kEmpty}));
        list->SelectRow(0);
        menu = list->ContextMenu();
        QVERIFY(menu->actions()[0]->isEnabled());
        QVERIFY(!menu->actions()[1]->isEnabled()); // the empty row
    }

    // The atom dialog's checks on OK, in order: x, y, z, occupancy, then the element.
    void atomChecks_data() {
        QTest::addColumn<int>("element");
        QTest::addColumn<QStringList>("fields"); // x, y, z, occupancy
        QTest::addColumn<QString>("message");    // empty: accepted
        QTest::addColumn<QString>("focus");
        const QString coord = QStringLiteral("Enter a number between -10 and 10.");
        const QString occupancy = QStringLiteral("Enter a number between 1e-30 and 1.");
        QTest::newRow("limits") << 1 << QStringList({"-10", "10", "0", "1e-30"}) << QString()
                                << QString();
        QTest::newRow("x 10.5") << 0 << QStringList({"10.5", "0", "0", "0"}) << coord << "id1093";
        QTest::newRow("y -10.01") << 1 << QStringList({"0", "-10.01", "0", "1"}) << coord
                                  << "id1029";
        QTest::newRow("z text") << 1 << QStringList({"0", "0", "0.5x", "1"})
                                << QStringLiteral("Enter a number.") << "id1030";
        QTest::newRow("z empty") << 1 << QStringList({"0", "0", "", "1"})
                                 << QStringLiteral("Enter a number.") << "id1030";
        QTest::newRow("occupancy 0")
            << 1 << QStringList({"0", "0", "0", "0"}) << occupancy << "id1031";
        QTest::newRow("occupancy 1.0001")
            << 1 << QStringList({"0", "0", "0", "1.0001"}) << occupancy << "id1031";
        QTest::newRow("occupancy inf") << 1 << QStringList({"0", "0", "0", "inf"})
                                       << QStringLiteral("Enter a number.") << "id1031";
        QTest::newRow("no element") << 0 << QStringList({"0", "0", "0", "1"})
                                    << QStringLiteral("Please select an atom! ") << "id1092";
    }
    void atomChecks() {
        QFETCH(int, element);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        MessageRecorder messages;
        CSingleAtom dlg(AtomInput{});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        FillAtom(dlg, element, fields[0], fields[1], fields[2], fields[3]);
        if (message.isEmpty()) {
            QVERIFY(messages.messages.empty());
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.Atom().occupancy, 1e-30);
            return;
        }
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(messages.messages[0].caption, std::string("Tessalune"));
        QCOMPARE(FocusId(), focus);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void labelsAreBuddies() {
        CSingleAtom dlg(AtomInput{});
        QStringList labelled;
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->buddy())
                labelled << l->buddy()->objectName();
        QCOMPARE(labelled, QStringList({"id1092", "id1093", "id1029", "id1030", "id1031"}));
    }
};

QTEST_MAIN(AtomListTest)
#include "tessalune_atom_list_test.moc"
