// The look-up table window in the started program: its controls and start values, the way the
// frame shows it, the marked spots from the view, a search with stepping through the rows and
// their simulations, Swap, the arrows and limit buttons, Enter and Escape, help, and the window
// that takes no input while a long search runs.
#include <QtTest>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <vector>

#include "structfile/number_format.h"
#include "tests/gui/test_doubles.h"
#include "tests/gui/view_points.h"
#include "xelmor/core/lut.h"
#include "xelmor/tools/dlg_lut.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

constexpr double kOnMarker = 0.1; // 0.1 mm units: 0.01 mm

template <class W> W* Child(QWidget* parent, int id) {
    W* w = parent->findChild<W*>(QStringLiteral("id%1").arg(id));
    if (!w)
        qWarning("no control id%d", id);
    return w;
}

QPushButton* Button(CDlgLUT* d, int id) {
    return Child<QPushButton>(d, id);
}

// The table of a started program, with the commands it sends recorded on their way to the
// main window.
struct Table {
    StartedApp s;
    CDlgLUT* dlg;
    std::vector<int> sent;
    Table() : dlg(s.frame->LookUpTable()) {
        dlg->SetCommandTarget([this](int id) {
            sent.push_back(id);
            s.frame->OnCommand(id);
        });
    }
    QListWidget* List() { return Child<QListWidget>(dlg, 1235); }
    QString Count() { return Child<QLabel>(dlg, 1239)->text(); }
    // Marks the spots as the view does and types their exact positions.
    void Mark(double x1, double y1, double x2, double y2) {
        CParameterSet& p = s.Params();
        p.m_bMajorSpot = p.m_bSecondSpot = 1;
        dlg->MajorPosition()->setText(QString::fromStdString(MarkerPositionText(x1, y1)));
        dlg->SecondPosition()->setText(QString::fromStdString(MarkerPositionText(x2, y2)));
        Button(dlg, 1230)->click();
    }
};

} // namespace

class LutDialogTest : public QObject {
    Q_OBJECT
private slots:
    void startValuesAndLabels() {
        Table t;
        CDlgLUT* d = t.dlg;
        QVERIFY(!d->isVisible());
        QCOMPARE(d->windowTitle(),
                 QStringLiteral("Look-up Table (LUT) of Lattice Plane Pairs or Triplets"));
        QComboBox* step = Child<QComboBox>(d, 1223);
        QComboBox* tol = Child<QComboBox>(d, 1241);
        QCOMPARE(step->currentText(), QStringLiteral("0.05"));
        QCOMPARE(tol->currentText(), QStringLiteral("0.2"));
        QStringList steps, tols;
        for (int i = 0; i < step->count(); ++i)
            steps << step->itemText(i);
        for (int i = 0; i < tol->count(); ++i)
            tols << tol->itemText(i);
        QCOMPARE(steps.join(' '), QStringLiteral("0.1 0.05 0.01 0.2 0.5 1 0.001"));
        QCOMPARE(tols.join(' '), QStringLiteral("0.1 0.2 0.3 0.4 0.5 0.6 0.8 1 2 0.05 0.01"));
        for (int id : {1106, 1107, 1108})
            QCOMPARE(Child<QLineEdit>(d, id)->text(), QStringLiteral("5"));
        QCOMPARE(t.Count(), QString());
        QVERIFY(!Button(d, 1247)->isEnabled());
        QVERIFY(Button(d, 1247)->isCheckable());
        QCOMPARE(Child<QLabel>(d, 1246)->text(),
                 QStringLiteral("Lattice Plane Pairs satsifying this angle:"));
        QVERIFY(Child<QLineEdit>(d, 1233)->isReadOnly());
        QStringList labels;
        for (QLabel* l : d->findChildren<QLabel*>())
            labels << l->text();
        for (const char* text :
             {"Major Spot (+)", "2nd Spot (x)", "mm", "Right Mouse Click to select",
              "Ctrl + Right Mouse Click to select", "Angle between the two lattice planes:",
              "Angular tolearance", "Hmax", "Kmax", "Lmax"})
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
        const struct {
            int id;
            const char* caption;
        } buttons[] = {{1171, "<"},
                       {1245, ">"},
                       {1172, "^"},
                       {1173, "-"},
                       {1175, "<"},
                       {1174, ">"},
                       {1176, "^"},
                       {1177, "-"},
                       {1230, "."},
                       {1166, "-"},
                       {1236, "+"},
                       {1168, "-"},
                       {1167, "+"},
                       {1170, "-"},
                       {1169, "+"},
                       {1232, "Search Pairs"},
                       {1242, "Save Pairs"},
                       {1252, "<-"},
                       {1243, "Search Triplets with Current + Saved"},
                       {1247, "Swap"},
                       {1237, "Simulate Pattern"},
                       {1234, "Help"}};
        for (const auto& b : buttons) {
            QPushButton* w = Button(d, b.id);
            QVERIFY(w);
            QCOMPARE(w->text(), QString::fromLatin1(b.caption));
            QVERIFY(!w->autoDefault());
        }
    }

    void tooltips_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("tip");
        const struct {
            int id;
            const char* tip;
        } rows[] = {
            {1223, "Step size (mm) for adjustment when clicking the arrows"},
            {1231, "Position of the selected Major spot in the pattern"},
            {1104, "Position of the 2nd spot."},
            {1106, "Maximum value of |h|, |k|, |l|"},
            {1173, "Move Major down"},
            {1174, "You can adjust the spots by the arrows with stepsize (mm) on right"},
            {1177, "Move 2nd down"},
            {1233, "Angle between the two corresponding lattice planes"},
            {1232, "Find all Pairs having this inter-plane angle within the Angular tolerance"},
            {1242, "Save the current set of Pairs for comparison to find triplets later"},
            {1243, "Compare current set with last saved set to find triplets satisfying the "
                   "three-spot conditions"},
            {1237, "Simulate the Laue pattern of the selected Pair. You can also use UP, DOWN "
                   "keys."},
            {1230, "You can manually type the two position values and click here to make the "
                   "changes"},
            {1247, "Swap the order of the two indices of each pair"},
            {1252, "Go back to last Saved"},
        };
        for (const auto& r : rows)
            QTest::addRow("%d", r.id) << r.id << QString::fromLatin1(r.tip);
    }
    void tooltips() {
        QFETCH(int, id);
        QFETCH(QString, tip);
        CDlgLUT d;
        QWidget* w = d.findChild<QWidget*>(QStringLiteral("id%1").arg(id));
        QVERIFY(w);
        QCOMPARE(w->toolTip(), tip);
    }

    void frameShowsTheTableAfterTheInputCheck() {
        Table t;
        t.s.frame->OnCommand(ID_SHOW_LUT);
        QCOMPARE(t.s.messages.Texts(),
                 QStringList{QStringLiteral("Please import a Crystal Structure.")});
        QVERIFY(!t.dlg->isVisible());
        // F6 shows it without the check.
        t.s.frame->OnCommand(ID_LUT_MENU);
        QVERIFY(t.dlg->isVisible());
        t.dlg->hide();
        SetUpSilicon(t.s.Params());
        t.s.frame->OnCommand(ID_SHOW_LUT);
        QVERIFY(t.dlg->isVisible());
        QCOMPARE(t.s.messages.messages.size(), std::size_t{1});
    }

    void enterNeverClosesEscapeHidesAndKeepsTheRows() {
        Table t;
        t.s.Simulate();
        t.dlg->ShowTable();
        QVERIFY(QTest::qWaitForWindowExposed(t.dlg));
        t.Mark(200, 100, -150, 250);
        Button(t.dlg, 1232)->click();
        const QString count = t.Count();
        QVERIFY(count.endsWith(QStringLiteral(" pairs")));
        const int rows = t.List()->count();
        QVERIFY(rows > 0);
        for (QWidget* w : {static_cast<QWidget*>(t.dlg->MajorPosition()),
                           static_cast<QWidget*>(Child<QComboBox>(t.dlg, 1241)),
                           static_cast<QWidget*>(Child<QLineEdit>(t.dlg, 1106))}) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QVERIFY(t.dlg->isVisible());
        }
        // Enter in an edit pressed no button: no simulation, no new search.
        QCOMPARE(t.Count(), count);
        QCOMPARE(t.List()->currentRow(), -1);
        // Swap without a selection only turns the rows round.
        const QString first = t.List()->item(0)->text();
        const QStringList halves = first.split(QStringLiteral("  <--->  "));
        QCOMPARE(halves.size(), 2);
        Button(t.dlg, 1247)->click();
        QVERIFY(Button(t.dlg, 1247)->isChecked());
        QCOMPARE(t.List()->item(0)->text(), halves[1] + QStringLiteral("  <--->  ") + halves[0]);
        QCOMPARE(t.dlg->Table().m_bSwap, 1);
        QVERIFY(t.List()->selectedItems().isEmpty());
        Button(t.dlg, 1247)->click();
        QCOMPARE(t.List()->item(0)->text(), first);
        QTest::keyClick(t.dlg->MajorPosition(), Qt::Key_Escape);
        QVERIFY(!t.dlg->isVisible());
        t.dlg->ShowTable();
        QCOMPARE(t.List()->count(), rows);
        QCOMPARE(t.Count(), count);
    }

    void messagesOfTheButtons() {
        Table t;
        t.s.Simulate();
        Child<QLineEdit>(t.dlg, 1233)->setText(QStringLiteral("12"));
        Button(t.dlg, 1232)->click();
        Button(t.dlg, 1237)->click();
        Button(t.dlg, 1242)->click();
        Button(t.dlg, 1243)->click();
        QCOMPARE(t.s.messages.Texts(),
                 (QStringList{QStringLiteral("Please select two spots to proceed!"),
                              QStringLiteral("No pairs/triplets available in the list"),
                              QStringLiteral("No pairs to save!"),
                              QStringLiteral("No pairs have been saved!")}));
        QCOMPARE(Child<QLineEdit>(t.dlg, 1233)->text(), QString());
        for (const Message& m : t.s.messages.messages)
            QCOMPARE(m.caption, std::string("Xelmor"));
        // Saved without moving the 2nd spot.
        t.s.messages.Clear();
        t.Mark(200, 100, -150, 250);
        Button(t.dlg, 1232)->click();
        Button(t.dlg, 1242)->click();
        Button(t.dlg, 1243)->click();
        QCOMPARE(t.s.messages.Texts(),
                 QStringList{QStringLiteral("The 2nd spot is the same as last saved one!")});
    }

    void arrowsStepAndLimitButtons() {
        Table t;
        t.s.Simulate();
        t.Mark(200, 100, -150, 250);
        t.sent.clear();
        QComboBox* step = Child<QComboBox>(t.dlg, 1223);
        Button(t.dlg, 1245)->click(); // Major ">" by 0.05 mm
        QCOMPARE(t.s.Params().m_MajorX, 200.5);
        QCOMPARE(t.dlg->MajorPosition()->text(), QStringLiteral("20.05, 10"));
        QCOMPARE(t.sent, std::vector<int>{ID_FINE_ADJUST_LUT});
        QCOMPARE(t.List()->count(), 0); // no search started
        step->setEditText(QStringLiteral("0"));
        Button(t.dlg, 1177)->click(); // 2nd "-"
        QCOMPARE(step->currentText(), QStringLiteral("0.1"));
        QCOMPARE(t.s.Params().m_SecondY, 249.0);
        step->setEditText(QStringLiteral("50"));
        Button(t.dlg, 1171)->click(); // Major "<"
        QCOMPARE(step->currentText(), QStringLiteral("10"));
        QCOMPARE(t.s.Params().m_MajorX, 100.5);
        QCOMPARE(t.dlg->SecondPosition()->text(), QStringLiteral("-15, 24.9"));

        QLineEdit* hmax = Child<QLineEdit>(t.dlg, 1106);
        QLineEdit* kmax = Child<QLineEdit>(t.dlg, 1107);
        hmax->setText(QStringLiteral("1200"));
        kmax->setText(QStringLiteral("abc"));
        Button(t.dlg, 1236)->click(); // Hmax +
        QCOMPARE(hmax->text(), QStringLiteral("999"));
        QCOMPARE(kmax->text(), QStringLiteral("0"));
        Button(t.dlg, 1168)->click(); // Kmax -
        QCOMPARE(kmax->text(), QStringLiteral("0"));
        Button(t.dlg, 1169)->click(); // Lmax +
        QCOMPARE(Child<QLineEdit>(t.dlg, 1108)->text(), QStringLiteral("6"));
        QCOMPARE(t.List()->count(), 0);
    }

    // Silicon in an arbitrary orientation: two of its spots marked with the mouse and placed
    // exactly, a search, stepping with the keys, and the row of the two spots' planes, whose
    // simulation puts them on the markers and gives back the spot list.
    void roundTripThroughTheView() {
        Table t;
        CParameterSet& p = t.s.Params();
        SetUpSilicon(p);
        p.m_Rot1 = 13.7, p.m_Rot2 = -21.4, p.m_Rot3 = 6.2;
        t.s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        QVERIFY(QTest::qWaitForWindowExposed(t.s.frame));
        const std::vector<CDot> original = t.s.doc->Spots();
        QVERIFY(original.size() > 10);
        // Two strong spots with small indices, far apart.
        int i1 = -1, i2 = -1;
        for (std::size_t i = 0; i < original.size() && i2 < 0; ++i) {
            const CDot& s = original[i];
            if (std::abs(s.h) > 5 || std::abs(s.k) > 5 || std::abs(s.l) > 5)
                continue;
            if (i1 < 0)
                i1 = static_cast<int>(i);
            else if (std::hypot(s.x - original[i1].x, s.y - original[i1].y) > 150)
                i2 = static_cast<int>(i);
        }
        QVERIFY(i1 >= 0 && i2 >= 0);
        const CDot a = original[static_cast<std::size_t>(i1)];
        const CDot b = original[static_cast<std::size_t>(i2)];
        QWidget* viewport = t.s.frame->View()->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, SpotPoint(t.s, i1));
        for (QMenu* menu : t.s.frame->View()->findChildren<QMenu*>())
            menu->hide();
        QTest::mouseClick(viewport, Qt::RightButton, Qt::ControlModifier, SpotPoint(t.s, i2));
        QVERIFY(t.dlg->isVisible());
        QVERIFY(!t.dlg->MajorPosition()->text().isEmpty());
        QVERIFY(!t.dlg->SecondPosition()->text().isEmpty());
        QVERIFY(std::hypot(p.m_MajorX - a.x, p.m_MajorY - a.y) < 2);
        // The markers moved onto the spot centres by typing.
        t.Mark(a.x, a.y, b.x, b.y);
        t.sent.clear();
        Button(t.dlg, 1232)->click();
        QCOMPARE(t.sent, std::vector<int>{ID_FINE_ADJUST_LUT});
        QVERIFY(t.s.messages.messages.empty());
        const CLookUpTable& table = t.dlg->Table();
        const int n = table.m_PairFirst.Count();
        QCOMPARE(t.Count(), QString::fromStdString(PairCountText(n)));
        QVERIFY(Button(t.dlg, 1247)->isEnabled());
        const HklTriple ha{a.h, a.k, a.l}, hb{b.h, b.k, b.l};
        int row = -1;
        bool swap = false;
        for (int i = 0; i < n; ++i) {
            if (table.m_PairFirst[i] == ha && table.m_PairSecond[i] == hb)
                row = i;
            if (table.m_PairFirst[i] == hb && table.m_PairSecond[i] == ha)
                row = i, swap = true;
        }
        QVERIFY(row >= 0);
        QVERIFY(n > 2);

        // The keys step through the rows, each one simulated.
        t.List()->setFocus();
        t.sent.clear();
        QTest::keyClick(t.List(), Qt::Key_Down);
        QCOMPARE(t.List()->currentRow(), 0);
        QCOMPARE(t.Count(), QStringLiteral("1  of %1").arg(n));
        QCOMPARE(t.sent, (std::vector<int>{ID_FINE_ADJUST_LUT, ID_FOCUS_LUT}));
        QCOMPARE(EditText(t.s, "id1075"), QStringLiteral("0"));
        QCOMPARE(p.m_bMajorSpot, 1);
        QCOMPARE(p.m_bSecondSpot, 1);
        QVERIFY(t.List()->hasFocus());
        QTest::keyClick(t.List(), Qt::Key_Down);
        QCOMPARE(t.Count(), QStringLiteral("2  of %1").arg(n));

        if (swap) {
            Button(t.dlg, 1247)->click();
            QVERIFY(Button(t.dlg, 1247)->isChecked());
            QCOMPARE(t.List()->item(row)->text(), QString::fromStdString(PairRowText(ha, hb)));
        }
        t.List()->setCurrentRow(row);
        QCOMPARE(t.Count(), QStringLiteral("%1  of %2").arg(row + 1).arg(n));
        QCOMPARE(std::max({std::fabs(p.m_H), std::fabs(p.m_K), std::fabs(p.m_L)}), 1.0);
        const std::vector<CDot>& again = t.s.doc->Spots();
        QCOMPARE(again.size(), original.size());
        for (const CDot& o : original) {
            const int j = FindSpot(again, o.h, o.k, o.l);
            QVERIFY2(j >= 0, qPrintable(QStringLiteral("%1 %2 %3").arg(o.h).arg(o.k).arg(o.l)));
            const CDot& s = again[static_cast<std::size_t>(j)];
            QVERIFY(std::fabs(s.x - o.x) < kOnMarker && std::fabs(s.y - o.y) < kOnMarker);
        }
        const CDot& sa = again[static_cast<std::size_t>(FindSpot(again, a.h, a.k, a.l))];
        const CDot& sb = again[static_cast<std::size_t>(FindSpot(again, b.h, b.k, b.l))];
        QVERIFY(std::fabs(sa.x - p.m_MajorX) < kOnMarker &&
                std::fabs(sa.y - p.m_MajorY) < kOnMarker);
        QVERIFY(std::fabs(sb.x - p.m_SecondX) < kOnMarker &&
                std::fabs(sb.y - p.m_SecondY) < kOnMarker);
    }

    // A third spot: pairs of the Major spot with one spot saved, pairs with another searched,
    // and the triplets that join them; then back to the saved spots.
    void tripletsAndBackToTheSavedSpots() {
        Table t;
        CParameterSet& p = t.s.Params();
        SetUpSilicon(p);
        p.m_Rot1 = 13.7, p.m_Rot2 = -21.4, p.m_Rot3 = 6.2;
        t.s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        const std::vector<CDot> original = t.s.doc->Spots();
        // Three spots far apart whose three angles differ: with two equal angles the triplet
        // could not tell the Major spot's plane from the 2nd spot's.
        auto angle = [&](const CDot& u, const CDot& v) {
            return AngleBetweenPlanes(p.m_Recip, u.h, u.k, u.l, v.h, v.k, v.l);
        };
        std::vector<CDot> three;
        for (const CDot& s : original) {
            if (std::abs(s.h) > 4 || std::abs(s.k) > 4 || std::abs(s.l) > 4)
                continue;
            bool fits = true;
            for (const CDot& o : three)
                fits &= std::hypot(s.x - o.x, s.y - o.y) > 150;
            if (fits && three.size() == 2) {
                const double ab = angle(three[0], three[1]), ac = angle(three[0], s),
                             bc = angle(three[1], s);
                fits = std::fabs(ab - ac) > 0.02 && std::fabs(ab - bc) > 0.02 &&
                       std::fabs(ac - bc) > 0.02;
            }
            if (fits)
                three.push_back(s);
            if (three.size() == 3)
                break;
        }
        QCOMPARE(three.size(), std::size_t{3});
        const CDot &a = three[0], &b = three[1], &c = three[2];
        t.dlg->ShowTable();
        t.Mark(a.x, a.y, b.x, b.y);
        Button(t.dlg, 1232)->click();
        const QString savedCount = t.Count();
        Button(t.dlg, 1242)->click();
        t.Mark(a.x, a.y, c.x, c.y);
        Button(t.dlg, 1232)->click();
        Button(t.dlg, 1243)->click();
        QVERIFY(t.s.messages.messages.empty());
        const CLookUpTable& table = t.dlg->Table();
        const int n = table.m_TripletFirst.Count();
        QVERIFY(n > 0);
        QVERIFY(n < table.m_PairFirst.Count());
        QCOMPARE(t.Count(), QString::fromStdString(TripletCountText(n)));
        QCOMPARE(t.List()->count(), n);
        QVERIFY(!Button(t.dlg, 1247)->isEnabled());
        int row = -1;
        for (int i = 0; i < n; ++i)
            if (table.m_TripletFirst[i] == (HklTriple{a.h, a.k, a.l}) &&
                table.m_TripletSecond[i] == (HklTriple{c.h, c.k, c.l}))
                row = i;
        QVERIFY(row >= 0);
        t.List()->setCurrentRow(row);
        QCOMPARE(t.Count(), QStringLiteral("%1  of %2").arg(row + 1).arg(n));
        for (const CDot& o : original) {
            const int j = FindSpot(t.s.doc->Spots(), o.h, o.k, o.l);
            QVERIFY(j >= 0);
            const CDot& s = t.s.doc->Spots()[static_cast<std::size_t>(j)];
            QVERIFY(std::fabs(s.x - o.x) < kOnMarker && std::fabs(s.y - o.y) < kOnMarker);
        }

        Button(t.dlg, 1252)->click();
        QCOMPARE(t.dlg->SecondPosition()->text(),
                 QString::fromStdString(MarkerPositionText(b.x, b.y)));
        QCOMPARE(t.Count(), savedCount);
        QCOMPARE(table.m_bShowPairs, 1);
        QVERIFY(Button(t.dlg, 1247)->isEnabled());
    }

    void longSearchTakesNoInput() {
        Table t;
        t.s.Simulate();
        t.dlg->ShowTable();
        t.Mark(200, 100, -150, 250);
        for (int id : {1106, 1107, 1108})
            Child<QLineEdit>(t.dlg, id)->setText(QStringLiteral("13"));
        bool ran = false, dialogEnabled = true, frameEnabled = true;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        QTimer::singleShot(0, t.dlg, [&] {
            ran = true;
            dialogEnabled = t.dlg->isEnabled();
            frameEnabled = t.s.frame->isEnabled();
            if (const QCursor* c = QGuiApplication::overrideCursor())
                cursor = c->shape();
            // A click meanwhile does nothing.
            QTest::mouseClick(Button(t.dlg, 1242), Qt::LeftButton);
        });
        Button(t.dlg, 1232)->click();
        QVERIFY(ran);
        QVERIFY(!dialogEnabled);
        QVERIFY(!frameEnabled);
        QCOMPARE(cursor, Qt::WaitCursor);
        QCOMPARE(t.s.messages.Texts(),
                 QStringList{QStringLiteral(
                     "Too many pairs! Try to reduce Hmax, Kmax, Lmax and Angular tolerance.")});
        QCOMPARE(t.List()->count(), 20000);
        QVERIFY(t.dlg->isEnabled());
        QVERIFY(t.s.frame->isEnabled());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void helpOpensTheDocumentOfTheProgramFolder() {
        Table t;
        Button(t.dlg, 1234)->click();
        const QString pdf =
            QDir::toNativeSeparators(BuiltProgramDir() + QStringLiteral("/Xelmor4-LUT-Help.pdf"));
        QVERIFY2(QFileInfo::exists(pdf), "the build typesets the help document");
        QCOMPARE(t.s.shell.opened, QStringList{pdf});
        QVERIFY(t.s.messages.messages.empty());

        t.s.shell.succeed = false;
        Button(t.dlg, 1234)->click();
        QTemporaryDir empty;
        t.dlg->SetProgramDir(empty.path());
        Button(t.dlg, 1234)->click();
        QCOMPARE(t.s.shell.opened.size(), 2);
        QCOMPARE(t.s.messages.Texts(),
                 QStringList(
                     2, QStringLiteral(
                            "Cannot open Adobe Reader or Xelmor4-LUT-Help.pdf in the directory!")));
    }
};

QTEST_MAIN(LutDialogTest)
#include "lut_dialog_test.moc"
