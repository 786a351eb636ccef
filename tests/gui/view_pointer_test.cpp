// Marking points with the right mouse button (the Major and the 2nd spot of the look-up table,
// the pop-up menu with its position item), finding a spot by its indices, and the view's
// commands of the look-up table.
#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "tests/gui/test_doubles.h"
#include "tests/gui/view_points.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/dialogs/dlg_sel_spot.h"
#include "xelmor/tools/dlg_lut.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

void RightClick(StartedApp& s, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(s.frame->View()->viewport(), Qt::RightButton, mods, at);
}

// The film point under a viewport point.
FilmPoint FilmAt(StartedApp& s, QPoint at) {
    CXelmorView& view = *s.frame->View();
    return LogicalToFilm(view.Frame(), view.Mapping().ToLogical(at.x(), at.y()));
}

QLineEdit* Edit(StartedApp& s, const char* id) {
    return s.bar->findChild<QLineEdit*>(QString::fromLatin1(id));
}

void CloseMenu(StartedApp& s) {
    if (QMenu* menu = s.frame->View()->ContextMenu())
        menu->close();
}

void Find(StartedApp& s, const QString& text) {
    Edit(s, "id1078")->setText(text);
    s.bar->findChild<QPushButton*>(QStringLiteral("id1055"))->click();
}

} // namespace

class ViewPointerTest : public QObject {
    Q_OBJECT
private slots:
    void rightClickOnEmptyFilmMarksTheMajorSpot() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        const QPoint empty = EmptyFilmPoint(s);
        QVERIFY(empty.x() >= 0);
        Click(s, SpotPoint(s, 0));
        QCOMPARE(s.doc->m_nSelSpot, 0);
        s.Params().m_bSecondSpot = 1;

        RightClick(s, empty);
        const CParameterSet& p = s.Params();
        const FilmPoint film = FilmAt(s, empty);
        QCOMPARE(p.m_bMajorSpot, 1);
        QCOMPARE(p.m_bSecondSpot, 0);
        QCOMPARE(p.m_MajorX, film.x);
        QCOMPARE(p.m_MajorY, film.y);
        // The selection is gone from the view, the panel and the details.
        QCOMPARE(s.doc->m_nSelSpot, -1);
        QCOMPARE(EditText(s, "id1078"), QString());
        QCOMPARE(EditText(s, "id1052"), QString());
        QVERIFY(s.frame->SelSpotDialog()->BaseReflection()->text().isEmpty());
        // The table gets the position but stays hidden.
        CDlgLUT* lut = s.frame->LookUpTable();
        QCOMPARE(lut->MajorPosition()->text(),
                 QString::fromStdString(MarkerPositionText(film.x, film.y)));
        QVERIFY(!lut->isVisible());

        QMenu* menu = s.frame->View()->ContextMenu();
        QVERIFY(menu);
        const QList<QAction*> items = menu->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QStringLiteral("&Set a Reflection to this Point"));
        QVERIFY(items[0]->isEnabled());
        QCOMPARE(items[1]->text(), QString::fromStdString(MarkerMenuText(film.x, film.y)));
        QVERIFY(!items[1]->isEnabled());
        items[0]->trigger();
        CloseMenu(s);

        // A right click on a spot marks the point too; it does not select the spot.
        RightClick(s, SpotPoint(s, 0));
        QCOMPARE(s.doc->m_nSelSpot, -1);
        QCOMPARE(s.Params().m_bMajorSpot, 1);
        QCOMPARE(s.Params().m_MajorX, FilmAt(s, SpotPoint(s, 0)).x);
        CloseMenu(s);
        QVERIFY(s.messages.messages.empty());
    }

    void rightClickOffTheFilmOrWithoutAPatternDoesNothing() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        CXelmorView& view = *s.frame->View();
        const QPoint empty = EmptyFilmPoint(s);
        const QPoint margin(view.Mapping().X(10), empty.y());
        RightClick(s, margin);
        QCOMPARE(s.Params().m_bMajorSpot, 0);
        QVERIFY(!view.ContextMenu());
        QVERIFY(s.frame->LookUpTable()->MajorPosition()->text().isEmpty());

        s.frame->OnCommand(ID_FILE_NEW);
        QVERIFY(s.doc->Spots().empty());
        RightClick(s, empty);
        QCOMPARE(s.Params().m_bMajorSpot, 0);
        QVERIFY(!view.ContextMenu());
    }

    void ctrlRightClickMarksTheSecondSpotOnlyAfterAMajorSpot() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        CDlgLUT* lut = s.frame->LookUpTable();
        const QPoint first = EmptyFilmPoint(s);
        const QPoint second = SpotPoint(s, 0);

        RightClick(s, second, Qt::ControlModifier);
        QCOMPARE(s.Params().m_bSecondSpot, 0);
        QCOMPARE(s.Params().m_bMajorSpot, 0);
        QVERIFY(!lut->isVisible());
        QVERIFY(lut->SecondPosition()->text().isEmpty());

        RightClick(s, first);
        CloseMenu(s);
        RightClick(s, second, Qt::ControlModifier);
        const FilmPoint film = FilmAt(s, second);
        QCOMPARE(s.Params().m_bSecondSpot, 1);
        QCOMPARE(s.Params().m_SecondX, film.x);
        QCOMPARE(s.Params().m_SecondY, film.y);
        QVERIFY(lut->isVisible());
        QCOMPARE(lut->SecondPosition()->text(),
                 QString::fromStdString(MarkerPositionText(film.x, film.y)));
        // The Major spot stays where it was.
        QCOMPARE(s.Params().m_MajorX, FilmAt(s, first).x);

        // A plain right click starts over: the 2nd spot goes.
        RightClick(s, first);
        CloseMenu(s);
        QCOMPARE(s.Params().m_bSecondSpot, 0);
    }

    void findTypedReflections_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("commas") << QStringLiteral("1,-3,1");
        QTest::newRow("blanks") << QStringLiteral("1 -3 1");
        QTest::newRow("tabs and a comment") << QStringLiteral("1\t-3\t1 ! the strong one");
    }

    void findTypedReflections() {
        QFETCH(QString, text);
        StartedApp s;
        s.Simulate();
        const int i131 = FindSpot(s.doc->Spots(), 1, -3, 1);
        QVERIFY(i131 >= 0);
        Find(s, text);
        QCOMPARE(s.doc->m_nSelSpot, i131);
        QCOMPARE(EditText(s, "id1078"), QStringLiteral("1, -3, 1"));
        QCOMPARE(EditText(s, "id1052"), QStringLiteral("0.9875 A"));
        QCOMPARE(s.frame->SelSpotDialog()->BaseReflection()->text(), QStringLiteral("1 -3 1"));
        // The typed order is the spot's first: the details are filled, not shown.
        QVERIFY(!s.frame->SelSpotDialog()->isVisible());
        QVERIFY(s.messages.messages.empty());
    }

    void findAHigherOrderShowsTheDetails() {
        StartedApp s;
        s.Simulate();
        // A spot of 1 1 0 with its first and second order kept.
        CDot& spot = s.doc->Spots()[3];
        spot.h = 1, spot.k = 1, spot.l = 0;
        spot.harmonics = {{1, 4.0, 10.0}, {2, 1.0, 5.0}};
        spot.intensity = 15.0;

        // The order-two spot of a (2 1 1)-type reflection is found by its own indices.
        const int i422 = FindOrderTwo211(s.doc->Spots());
        QVERIFY(i422 >= 0);
        const CDot& two = s.doc->Spots()[static_cast<std::size_t>(i422)];
        Find(s, QString::fromStdString(OrderIndicesText(two, 2)));
        QCOMPARE(s.doc->m_nSelSpot, i422);
        QVERIFY(!s.frame->SelSpotDialog()->isVisible());

        Find(s, QStringLiteral("2 2 0"));
        QCOMPARE(s.doc->m_nSelSpot, 3);
        QCOMPARE(EditText(s, "id1078"), QStringLiteral("1, 1, 0"));
        QCOMPARE(EditText(s, "id1052"), QString::fromStdString(SpotWavelengthText(spot)));
        QVERIFY(s.frame->SelSpotDialog()->isVisible());
        QCOMPARE(s.frame->SelSpotDialog()->BaseReflection()->text(), QStringLiteral("1 1 0"));
        QVERIFY(s.messages.messages.empty());
    }

    void findMessages() {
        StartedApp s;
        s.Simulate();
        QLineEdit* reflection = Edit(s, "id1078");

        // Nothing typed: the focus goes to the box.
        s.frame->ControlBar()->findChild<QLineEdit*>(QStringLiteral("id1070"))->setFocus();
        Find(s, QString());
        QCOMPARE(s.messages.Texts(), QStringList{"Enter   h, k, l   and then click Find."});
        QCOMPARE(s.bar->focusWidget(), reflection);

        // "1 1" asks for 1 1 0, which silicon does not show; the selection goes.
        s.messages.Clear();
        Click(s, SpotPoint(s, 0));
        QCOMPARE(s.doc->m_nSelSpot, 0);
        Find(s, QStringLiteral("1 1"));
        QCOMPARE(s.messages.Texts(),
                 QStringList{"The current Laue pattern does not contain Reflection 1 1 0."});
        QCOMPARE(s.doc->m_nSelSpot, -1);
        QCOMPARE(EditText(s, "id1078"), QString());
        QCOMPARE(EditText(s, "id1052"), QString());
        QVERIFY(s.frame->SelSpotDialog()->BaseReflection()->text().isEmpty());

        // Without a pattern a typed reflection is refused and emptied; an empty box says nothing.
        s.frame->OnCommand(ID_FILE_NEW);
        s.messages.Clear();
        Find(s, QStringLiteral("1 -3 1"));
        QCOMPARE(s.messages.Texts(), QStringList{"No pattern available yet."});
        QCOMPARE(reflection->text(), QString());
        s.messages.Clear();
        Find(s, QString());
        QVERIFY(s.messages.messages.empty());
    }

    void enterInTheReflectionBoxFinds() {
        StartedApp s;
        s.Simulate();
        QLineEdit* reflection = Edit(s, "id1078");
        reflection->setText(QStringLiteral("1 -3 1"));
        QTest::keyClick(reflection, Qt::Key_Return);
        QCOMPARE(s.doc->m_nSelSpot, FindSpot(s.doc->Spots(), 1, -3, 1));
        QCOMPARE(reflection->text(), QStringLiteral("1, -3, 1"));
    }

    void lookUpTableCommands() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        CDlgLUT* lut = s.frame->LookUpTable();
        QVERIFY(!lut->isVisible());
        QCOMPARE(lut->windowTitle(),
                 QStringLiteral("Look-up Table (LUT) of Lattice Plane Pairs or Triplets"));
        QCOMPARE(s.frame->OnCommand(ID_LUT_MENU), CommandOwner::View);
        QVERIFY(lut->isVisible());

        // The table's "markers moved" redraws the view only while a Major spot is marked.
        for (const int marked : {0, 1}) {
            s.Params().m_bMajorSpot = marked;
            QTest::qWait(20);
            PaintCounter paints(s.frame->View()->viewport());
            s.frame->OnCommand(ID_FINE_ADJUST_LUT);
            QTest::qWait(20);
            QCOMPARE(paints.count > 0, marked == 1);
        }
    }
};

QTEST_MAIN(ViewPointerTest)
#include "view_pointer_test.moc"
