// The pattern view as a widget: scroll extent and scrolling, the view commands, the film-size
// and spot-size commands, the removal of stale spots at paint time and the index fonts.
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/files/settings.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using xelmor::test::DialogScript;
using xelmor::test::MessageRecorder;

namespace {

// Cubic silicon in the unrotated transmission set-up with a flat spectrum, ready to run.
void SetUpSilicon(CParameterSet& p) {
    std::vector<AtomSite> atoms;
    for (const auto& [x, y, z] :
         {std::tuple{0.0, 0.0, 0.0}, {0.0, 0.5, 0.5}, {0.5, 0.0, 0.5}, {0.5, 0.5, 0.0}})
        for (double q : {0.0, 0.25})
            atoms.push_back(AtomSite{14, x + q, y + q, z + q, 1.0});
    TakeOverCrystal(p, {"Silicon", 5.431, 5.431, 5.431, 90, 90, 90, atoms});
    for (int i = 0; i < 200; ++i) {
        p.m_Wavelength.push_back(0.2 + 0.01 * i);
        p.m_Intensity.push_back(1.0);
    }
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 4;
    MarkGeometryConfirmed(p);
}

CDot AnySpot() {
    CDot d;
    d.h = d.k = d.l = 1;
    d.intensity = 10;
    d.harmonics = {Harmonic{1, 1.0, 10}};
    return d;
}

// A parameter set, a document and the view on them; no message box can block.
struct Fixture {
    MessageRecorder messages;
    CParameterSet params;
    MemorySettingsStore store;
    CXelmorDoc doc{&params, &store, QString()};
    std::unique_ptr<CXelmorView> view;

    Fixture() { view = std::make_unique<CXelmorView>(&doc, &params, &store); }
};

// Pixels of the viewport per logical unit.
double Units(const CXelmorView& view) {
    return view.viewport()->logicalDpiX() / 254.0;
}

// Fills the size dialog's two edits and presses OK.
std::function<void(QDialog&)> TypeSize(QString width, QString height, QStringList* shown) {
    return [=](QDialog& d) {
        auto* w = d.findChild<QLineEdit*>(QStringLiteral("id1152"));
        auto* h = d.findChild<QLineEdit*>(QStringLiteral("id1113"));
        QVERIFY(w && h);
        *shown << w->text() << h->text();
        w->setText(width);
        h->setText(height);
        d.accept();
    };
}

} // namespace

class ViewWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void indexFontsFromTheParameterSet() {
        Fixture f;
        QVERIFY(f.messages.messages.empty());
        QVERIFY(f.view->m_pScreenFont && f.view->m_pPrintFont);
        QCOMPARE(f.view->m_pScreenFont->font.family(), QStringLiteral("Arial Narrow"));
        QCOMPARE(f.view->m_pScreenFont->height, 32);

        // The screen height follows the calibration, the print height does not.
        f.params.m_CalibFactor = 1.25;
        f.params.m_FontNoPrint = 3;
        f.view->CreateIndexFonts(true, true);
        QCOMPARE(f.view->m_pScreenFont->height, 40);
        QCOMPARE(f.view->m_pPrintFont->height, 32);
        QCOMPARE(f.view->m_pPrintFont->font.family(), QStringLiteral("Times New Roman"));

        // Font number 2 and above on screen is the system font: no font, no message.
        f.params.m_FontNoScreen = 2;
        f.view->CreateIndexFonts(true, false);
        QVERIFY(!f.view->m_pScreenFont);
        QVERIFY(f.messages.messages.empty());
    }

    void scrollExtentFollowsZoomAndFilm() {
        Fixture f;
        f.params.m_nZoom = 50;
        QVERIFY(f.view->OnCommand(ID_ZOOM_CALIB));
        QCOMPARE(f.view->m_Scale, 0.5);
        QCOMPARE(f.view->m_TotalWidth, 1060);
        QCOMPARE(f.view->m_TotalHeight, 810);

        f.view->resize(240, 180);
        f.view->show();
        const double u = Units(*f.view);
        QCOMPARE(f.view->horizontalScrollBar()->maximum(),
                 static_cast<int>(std::lround(1060 * u)) - f.view->viewport()->width());
        QCOMPARE(f.view->verticalScrollBar()->maximum(),
                 static_cast<int>(std::lround(810 * u)) - f.view->viewport()->height());
    }

    // At the largest zoom the view still scrolls, and scrolled to its end it shows the film's
    // right border and the grey margin beyond it.
    void scrolledToTheEndShowsTheFarBorder() {
        Fixture f;
        f.params.m_nZoom = 1000;
        f.view->OnCommand(ID_ZOOM_CALIB);
        QCOMPARE(f.view->m_TotalWidth, 20060);
        f.view->resize(400, 300);
        f.view->show();
        QScrollBar* h = f.view->horizontalScrollBar();
        QScrollBar* v = f.view->verticalScrollBar();
        h->setValue(h->maximum());
        v->setValue(v->maximum());
        const QImage image = f.view->viewport()->grab().toImage();
        const double u = Units(*f.view);
        const int border = static_cast<int>(std::lround(20030 * u)) - h->value();
        const int bottom = static_cast<int>(std::lround(15030 * u)) - v->value();
        QVERIFY(border > 0 && border + 3 < image.width());
        QCOMPARE(image.pixelColor(border, 50), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(border - 3, 50), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(border + 3, 50), QColor(200, 200, 200));
        QCOMPARE(image.pixelColor(50, bottom + 3), QColor(200, 200, 200));
    }

    void viewCommandsToggle() {
        Fixture f;
        struct Case {
            int id;
            int CParameterSet::*flag;
        };
        for (const Case c : {Case{ID_VIEW_CROSSLINE, &CParameterSet::m_bCrossline},
                             Case{ID_VIEW_SPOT000, &CParameterSet::m_bShowSpot000},
                             Case{ID_SHOW_INDEX, &CParameterSet::m_bShowIndex}}) {
            const int before = f.params.*c.flag;
            QVERIFY(f.view->OnCommand(c.id));
            QCOMPARE(f.params.*c.flag, before ? 0 : 1);
            QVERIFY(f.view->OnCommand(c.id));
            QCOMPARE(f.params.*c.flag, before ? 1 : 0);
        }
        QVERIFY(f.view->OnCommand(ID_INVALIDATE_VIEW));
        QVERIFY(!f.view->OnCommand(ID_FILE_OPEN));
        QVERIFY(!f.view->OnCommand(ID_UPDATE_BAR_TO_APP));
    }

    void staleSpotsAreRemovedAtPaint_data() {
        QTest::addColumn<double>("isat");
        QTest::addColumn<int>("left");
        QTest::newRow("normalised pattern") << 100.0 << 2;
        QTest::newRow("intensity scale reset") << -1.0 << 0;
    }
    void staleSpotsAreRemovedAtPaint() {
        QFETCH(double, isat);
        QFETCH(int, left);
        Fixture f;
        f.doc.Spots() = {AnySpot(), AnySpot()};
        f.params.m_Isat = isat;
        f.view->resize(200, 150);
        f.view->viewport()->grab();
        QCOMPARE(static_cast<int>(f.doc.Spots().size()), left);
    }

    void filmSizeCommand_data() {
        QTest::addColumn<bool>("geometry");
        QTest::newRow("geometry set: the pattern is recomputed") << true;
        QTest::newRow("no geometry: no run") << false;
    }
    void filmSizeCommand() {
        QFETCH(bool, geometry);
        Fixture f;
        if (geometry)
            SetUpSilicon(f.params);
        f.view->m_ExportWidth = 2000;
        f.doc.m_nSelSpot = 3;
        QStringList shown;
        DialogScript dialogs(TypeSize(QStringLiteral("400"), QStringLiteral("300"), &shown));
        QSignalSpy updated(&f.doc, &CXelmorDoc::Updated);

        QVERIFY(f.view->OnCommand(ID_FILM_SIZE));
        QCOMPARE(dialogs.titles, QStringList({QStringLiteral("CCD/Film Size")}));
        QCOMPARE(shown, QStringList({QStringLiteral("200"), QStringLiteral("150")}));
        QCOMPARE(f.view->m_ExportWidth, 4000);
        QCOMPARE(f.params.m_FilmWidth, 4000.0);
        QCOMPARE(f.params.m_FilmHeight, 3000.0);
        QCOMPARE(f.view->m_TotalWidth, 8060); // zoom 200 %
        QCOMPARE(f.view->m_TotalHeight, 6060);
        QCOMPARE(updated.count(), geometry ? 1 : 0);
        QCOMPARE(f.doc.Spots().empty(), !geometry);
        QCOMPARE(f.doc.m_nSelSpot, geometry ? -1 : 3);
    }

    void filmSizeCancelledChangesNothing() {
        Fixture f;
        f.view->m_ExportWidth = 2000;
        DialogScript dialogs([](QDialog& d) { d.reject(); });
        QVERIFY(f.view->OnCommand(ID_FILM_SIZE));
        QCOMPARE(f.view->m_ExportWidth, 2000);
        QCOMPARE(f.params.m_FilmWidth, 2000.0);
        QCOMPARE(f.view->m_TotalWidth, 4060);
    }

    void spotSizeCommand() {
        Fixture f;
        SetUpSilicon(f.params); // a run would be possible, but the spot size needs none
        QStringList shown;
        DialogScript dialogs(TypeSize(QStringLiteral("5"), QStringLiteral("2.5"), &shown));
        QSignalSpy updated(&f.doc, &CXelmorDoc::Updated);
        QVERIFY(f.view->OnCommand(ID_SPOT_SIZE));
        QCOMPARE(dialogs.titles, QStringList({QStringLiteral("Diffraction Spot Size")}));
        QCOMPARE(shown, QStringList({QStringLiteral("3"), QStringLiteral("3")}));
        QCOMPARE(f.params.m_SpotWidth, 50.0);
        QCOMPARE(f.params.m_SpotHeight, 25.0);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(f.view->m_TotalWidth, 4060);
    }
};

QTEST_MAIN(ViewWidgetTest)
#include "view_widget_test.moc"
