// The spot-details dialog and the selection of a spot with the left mouse button: the texts
// of the silicon reference spots, the clearing at every run and reset, "&More...", and the
// hit test through real clicks on the view.
#include <QtTest>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>
#include <cstdlib>

#include "structfile/number_format.h"
#include "tests/gui/test_doubles.h"
#include "tests/gui/view_points.h"
#include "xelmor/core/spot_details.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/dialogs/dlg_sel_spot.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

class SelSpotTest : public QObject {
    Q_OBJECT
private slots:
    void dialogShowsTheSiliconReferenceSpots() {
        StartedApp s;
        s.Simulate();
        CDlgSelSpot* dlg = s.frame->SelSpotDialog();
        QVERIFY(dlg);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Detailed Information of the Selected Spot"));
        QTreeWidget* list = dlg->Harmonics();
        QCOMPARE(list->columnCount(), static_cast<int>(kSpotHarmonicColumns.size()));
        for (int c = 0; c < list->columnCount(); ++c)
            QCOMPARE(list->headerItem()->text(c),
                     QString::fromLatin1(kSpotHarmonicColumns[static_cast<std::size_t>(c)].title));

        const std::vector<CDot>& spots = s.doc->Spots();
        const int i131 = FindSpot(spots, 1, -3, 1);
        QVERIFY(i131 >= 0);
        dlg->ShowSpot(&spots[static_cast<std::size_t>(i131)], s.Params().m_Isat);
        QCOMPARE(dlg->BaseReflection()->text(), QStringLiteral("1 -3 1"));
        QCOMPARE(dlg->BraggAngle()->text(), QStringLiteral("17.5484"));
        QCOMPARE(dlg->Position()->text(), QStringLiteral("x = 11.1111,  y = -33.3333"));
        QCOMPARE(dlg->WavelengthEnergy()->text(), QStringLiteral("0.987455 A  /  12.555944 KeV"));

        const int i422 = FindOrderTwo211(spots);
        QVERIFY(i422 >= 0);
        const CDot& two = spots[static_cast<std::size_t>(i422)];
        dlg->ShowSpot(&two, s.Params().m_Isat);
        const QString base = QString::fromStdString(OrderIndicesText(two, 2));
        QCOMPARE(dlg->BaseReflection()->text(), base);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), base);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("100%"));
        // Every edit and row as the spot's texts give them.
        const SpotDetails d = MakeSpotDetails(&two, s.Params().m_Isat);
        QCOMPARE(dlg->WavelengthEnergy()->text(), QString::fromStdString(d.wavelengthEnergy));
        QCOMPARE(dlg->AbsoluteIntensity()->text(), QString::fromStdString(d.absoluteIntensity));
        QCOMPARE(dlg->RelativeIntensity()->text(), QString::fromStdString(d.relativeIntensity));
        for (int c = 0; c < list->columnCount(); ++c)
            QCOMPARE(list->topLevelItem(0)->text(c),
                     QString::fromStdString(d.harmonics[0][static_cast<std::size_t>(c)]));
    }

    void runAndResetClearTheDialog_moreShowsIt() {
        StartedApp s;
        s.Simulate();
        CDlgSelSpot* dlg = s.frame->SelSpotDialog();
        const auto fill = [&] {
            dlg->ShowSpot(&s.doc->Spots().front(), s.Params().m_Isat);
            QVERIFY(!dlg->BaseReflection()->text().isEmpty());
        };
        const auto cleared = [&] {
            for (QLineEdit* e :
                 {dlg->BaseReflection(), dlg->BraggAngle(), dlg->Position(),
                  dlg->WavelengthEnergy(), dlg->AbsoluteIntensity(), dlg->RelativeIntensity()})
                if (!e->text().isEmpty())
                    return false;
            return dlg->Harmonics()->topLevelItemCount() == 0;
        };
        fill();
        s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        QVERIFY(cleared());
        fill();
        s.doc->ResetPattern();
        QVERIFY(cleared());

        QPushButton* more = nullptr;
        for (QPushButton* b : s.bar->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("&More..."))
                more = b;
        QVERIFY(more);
        QVERIFY(!dlg->isVisible());
        more->click();
        QVERIFY(dlg->isVisible());
    }

    void clickSelectsTheSpotUnderThePointer() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        const int i131 = FindSpot(s.doc->Spots(), 1, -3, 1);
        QVERIFY(i131 >= 0);
        Click(s, SpotPoint(s, i131));
        QCOMPARE(s.doc->m_nSelSpot, i131);
        QCOMPARE(EditText(s, "id1078"), QStringLiteral("1, -3, 1"));
        QCOMPARE(EditText(s, "id1052"), QStringLiteral("0.9875 A"));
        QCOMPARE(s.frame->SelSpotDialog()->BaseReflection()->text(), QStringLiteral("1 -3 1"));

        // An order-two spot is named by that order in both boxes.
        const int i422 = FindOrderTwo211(s.doc->Spots());
        QVERIFY(i422 >= 0);
        const CDot& two = s.doc->Spots()[static_cast<std::size_t>(i422)];
        Click(s, SpotPoint(s, i422));
        QCOMPARE(s.doc->m_nSelSpot, i422);
        QCOMPARE(EditText(s, "id1078"), QString::fromStdString(SpotReflectionText(two)));
        QCOMPARE(EditText(s, "id1052"),
                 QString::fromStdString(FormatNumber(two.lambda / 2, 4) + " A"));
    }

    void clickingTheSelectedSpotAgainChangesNothing() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        const int i131 = FindSpot(s.doc->Spots(), 1, -3, 1);
        Click(s, SpotPoint(s, i131));
        QCOMPARE(s.doc->m_nSelSpot, i131);
        // Changed boxes and a marker show that nothing is written again.
        s.bar->findChild<QLineEdit*>(QStringLiteral("id1078"))->setText(QStringLiteral("x"));
        s.Params().m_bMajorSpot = 1;
        QTest::qWait(20);
        PaintCounter paints(s.frame->View()->viewport());
        Click(s, SpotPoint(s, i131));
        QTest::qWait(20);
        QCOMPARE(paints.count, 0);
        QCOMPARE(s.doc->m_nSelSpot, i131);
        QCOMPARE(EditText(s, "id1078"), QStringLiteral("x"));
        QCOMPARE(s.Params().m_bMajorSpot, 1);
    }

    void overlappingSpotsSelectTheStronger() {
        StartedApp s;
        s.Simulate();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        std::vector<CDot>& spots = s.doc->Spots();
        QVERIFY(spots.size() >= 2);
        // The second spot moved half a spot width right of the strongest.
        spots[1].x = spots[0].x + s.Params().m_SpotWidth * 0.5;
        spots[1].y = spots[0].y;
        const CParameterSet& p = s.Params();
        const ViewFrame f = s.frame->View()->Frame();
        const LogicalRect r0 = SpotHitRect(f, p.m_SpotWidth, p.m_SpotHeight, spots[0]);
        const LogicalRect r1 = SpotHitRect(f, p.m_SpotWidth, p.m_SpotHeight, spots[1]);
        QVERIFY(r1.left < r0.right);
        const LogicalRect both{r1.left, r0.top, r0.right, r0.bottom};
        const LogicalRect onlySecond{r0.right, r1.top, r1.right, r1.bottom};
        Click(s, DeviceCentre(*s.frame->View(), both));
        QCOMPARE(s.doc->m_nSelSpot, 0);
        Click(s, DeviceCentre(*s.frame->View(), onlySecond));
        QCOMPARE(s.doc->m_nSelSpot, 1);
    }

    void clickOnEmptyFilm() {
        struct Case {
            const char* what;
            bool selected, marker;
        } const cases[] = {
            {"nothing selected, no marker", false, false},
            {"a marker", false, true},
            {"a selected spot", true, false},
        };
        for (const Case& c : cases) {
            StartedApp s;
            s.Simulate();
            QVERIFY(QTest::qWaitForWindowExposed(s.frame));
            const QPoint empty = EmptyFilmPoint(s);
            QVERIFY2(empty.x() >= 0, c.what);
            if (c.selected)
                Click(s, SpotPoint(s, 0));
            s.Params().m_bMajorSpot = c.marker ? 1 : 0;
            s.Params().m_bSecondSpot = c.marker ? 1 : 0;
            s.bar->findChild<QLineEdit*>(QStringLiteral("id1078"))->setText(QStringLiteral("r"));
            s.bar->findChild<QLineEdit*>(QStringLiteral("id1052"))->setText(QStringLiteral("w"));
            QTest::qWait(20);
            PaintCounter paints(s.frame->View()->viewport());
            Click(s, empty);
            QTest::qWait(20);
            const bool acts = c.selected || c.marker;
            QVERIFY2(s.doc->m_nSelSpot == -1, c.what);
            QVERIFY2((paints.count > 0) == acts, c.what);
            QVERIFY2(s.Params().m_bMajorSpot == 0 && s.Params().m_bSecondSpot == 0, c.what);
            QVERIFY2(EditText(s, "id1078") == (acts ? QString() : QStringLiteral("r")), c.what);
            QVERIFY2(EditText(s, "id1052") == (acts ? QString() : QStringLiteral("w")), c.what);
            if (c.selected)
                QVERIFY2(s.frame->SelSpotDialog()->BaseReflection()->text().isEmpty(), c.what);
        }
    }
};

QTEST_MAIN(SelSpotTest)
#include "sel_spot_test.moc"
