// The pattern painter, painting into an image of one pixel per logical unit (254 DPI): spot
// colours and order, selection frame, spot 000, crosslines, markers, labels, merged patterns,
// the recorded image, margins and border.
#include <QPainter>
#include <QtTest>

#include "xelmor/view/pattern_painter.h"

using namespace xelmor;

namespace {

// A film of 40 x 30 mm at zoom 100 %: extent 460 x 360 units, the detector origin at pixel
// (230, 180), spots of 3 x 3 mm cover x 215..244 and y 165..194 around it.
constexpr int kExtentW = 460, kExtentH = 360;
constexpr double kIsat = 5952.43;

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kCyan(0, 255, 255);
const QColor kGreen(0, 128, 0);
const QColor kGrey(200, 200, 200);
const QColor kBlack(0, 0, 0);

CDot Spot(double x, double y, double intensity, int h = 1, int k = 1, int l = 1) {
    CDot d;
    d.h = h, d.k = k, d.l = l;
    d.x = x, d.y = y;
    d.intensity = intensity;
    d.harmonics = {Harmonic{1, 1.0, intensity}};
    return d;
}

// One paint's inputs with every decoration off; tests switch on what they look at.
struct Scene {
    CParameterSet params;
    std::vector<CDot> spots;
    PatternScene scene;

    Scene() {
        params.m_Isat = kIsat;
        params.m_bCrossline = 0;
        params.m_bShowSpot000 = 0;
        scene.params = &params;
        scene.spots = &spots;
        scene.frame = ViewFrame{1.0, kExtentW, kExtentH, 0.0, 0.0};
        scene.spot000X = scene.spot000Y = kSpot000Missing;
    }

    QImage Paint(QSize size = QSize(kExtentW, kExtentH)) {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000); // 254 DPI: one pixel per 0.1 mm
        image.setDotsPerMeterY(10000);
        image.fill(QColor(255, 0, 255)); // shows what the paint leaves out
        QPainter painter(&image);
        PaintPattern(painter, scene, MappingOf(image));
        painter.end();
        return image;
    }
};

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Whether any pixel of the area is close to `color` (antialiased text only reaches it in the
// middle of a stroke).
bool AnyNear(const QImage& image, const QRect& area, const QColor& color) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                    std::abs(c.blue() - color.blue()) <
                90)
                return true;
        }
    return false;
}

} // namespace

class ViewPaintTest : public QObject {
    Q_OBJECT
private slots:
    void spotColours_data() {
        QTest::addColumn<int>("gray");
        QTest::addColumn<int>("spotColor");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("grey red at saturation") << 1 << 2 << 1.0 << kRed;
        QTest::newRow("grey red above saturation") << 1 << 2 << 3.0 << kRed;
        QTest::newRow("grey red half, level 127") << 1 << 2 << 0.5 << QColor(255, 128, 128);
        QTest::newRow("grey black half") << 1 << 0 << 0.5 << QColor(128, 128, 128);
        QTest::newRow("grey blue half") << 1 << 1 << 0.5 << QColor(128, 128, 255);
        QTest::newRow("dark red half") << 0 << 2 << 0.5 << kRed;
        QTest::newRow("dark black weak") << 0 << 0 << 0.02 << kBlack;
        QTest::newRow("dark blue weak") << 0 << 1 << 0.02 << kBlue;
    }
    void spotColours() {
        QFETCH(int, gray);
        QFETCH(int, spotColor);
        QFETCH(double, fraction);
        QFETCH(QColor, expected);
        Scene s;
        s.params.m_bGrayScale = gray;
        s.params.m_SpotColor = spotColor;
        s.spots = {Spot(100, 50, fraction * kIsat)};
        const QImage image = s.Paint();
        QCOMPARE(At(image, 330, 130), expected);
        // The rectangle leaves out its right and bottom edge.
        QCOMPARE(At(image, 315, 115), expected);
        QCOMPARE(At(image, 344, 144), expected);
        QCOMPARE(At(image, 345, 130), kWhite);
        QCOMPARE(At(image, 330, 145), kWhite);
    }

    void strongestSpotLiesOnTop() {
        Scene s;
        s.spots = {Spot(0, 0, kIsat), Spot(10, 0, kIsat / 2)}; // strongest first
        const QImage image = s.Paint();
        QCOMPARE(At(image, 235, 180), kRed);
        QCOMPARE(At(image, 250, 180), QColor(255, 128, 128));
    }

    void emptyListDrawsTheFilmOnly() {
        Scene s;
        const QImage image = s.Paint();
        for (const QPoint p : {QPoint(31, 31), QPoint(230, 180), QPoint(429, 329)})
            QCOMPARE(At(image, p.x(), p.y()), kWhite);
    }

    void selectionFrame_data() {
        QTest::addColumn<int>("spotColor");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QColor>("edge");
        QTest::newRow("red spots, blue frame") << 2 << 0 << kBlue;
        QTest::newRow("black spots, red frame") << 0 << 0 << kRed;
        QTest::newRow("blue spots, red frame") << 1 << 0 << kRed;
        QTest::newRow("selection past the list") << 2 << 1 << kRed;
        QTest::newRow("no selection") << 2 << -1 << kRed;
    }
    void selectionFrame() {
        QFETCH(int, spotColor);
        QFETCH(int, selection);
        QFETCH(QColor, edge);
        Scene s;
        s.params.m_SpotColor = spotColor;
        s.params.m_bGrayScale = 0;
        s.spots = {Spot(0, 0, kIsat)};
        s.scene.selSpot = selection;
        const QImage image = s.Paint();
        const QColor spot = spotColor == 0 ? kBlack : spotColor == 1 ? kBlue : kRed;
        QCOMPARE(At(image, 230, 180), spot); // the frame is an outline only
        if (selection != 0) {
            QCOMPARE(At(image, 215, 180), spot);
            QCOMPARE(At(image, 212, 180), kWhite);
            return;
        }
        // Four pixels wide around the left, top and right edges.
        QCOMPARE(At(image, 215, 180), edge);
        QCOMPARE(At(image, 214, 180), edge);
        QCOMPARE(At(image, 230, 165), edge);
        QCOMPARE(At(image, 245, 180), edge);
        QCOMPARE(At(image, 210, 180), kWhite);
    }

    void spot000_data() {
        QTest::addColumn<int>("show");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("on the origin") << 1 << 0.0 << 0.0 << true;
        QTest::newRow("moved on the film") << 1 << -40.0 << 25.0 << true;
        QTest::newRow("switched off") << 0 << 0.0 << 0.0 << false;
        QTest::newRow("beam misses in x") << 1 << kSpot000Missing << 0.0 << false;
        QTest::newRow("beam misses in y") << 1 << 0.0 << -kSpot000Missing << false;
    }
    void spot000() {
        QFETCH(int, show);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, drawn);
        Scene s;
        s.params.m_bShowSpot000 = show;
        s.scene.spot000X = x;
        s.scene.spot000Y = y;
        const QImage image = s.Paint();
        const int px = 238 + (drawn ? static_cast<int>(x) : 0);
        const int py = 172 - (drawn ? static_cast<int>(y) : 0);
        QCOMPARE(At(image, px, py), drawn ? kGreen : kWhite);
    }

    void crosslines_data() {
        QTest::addColumn<int>("on");
        QTest::addColumn<double>("shiftX");
        QTest::addColumn<double>("shiftY");
        QTest::addColumn<int>("lineX");
        QTest::addColumn<int>("lineY");
        QTest::newRow("through the origin") << 1 << 0.0 << 0.0 << 229 << 180;
        QTest::newRow("film shifted") << 1 << 20.0 << 10.0 << 209 << 190;
        QTest::newRow("off") << 0 << 0.0 << 0.0 << 229 << 180;
    }
    void crosslines() {
        QFETCH(int, on);
        QFETCH(double, shiftX);
        QFETCH(double, shiftY);
        QFETCH(int, lineX);
        QFETCH(int, lineY);
        Scene s;
        s.params.m_bCrossline = on;
        s.scene.frame.shiftX = shiftX;
        s.scene.frame.shiftY = shiftY;
        const QImage image = s.Paint();
        const QColor line = on ? kCyan : kWhite;
        QCOMPARE(At(image, 100, lineY), line);
        QCOMPARE(At(image, lineX, 100), line);
        QCOMPARE(At(image, 100, lineY + 2), kWhite);
        QCOMPARE(At(image, lineX + 2, 100), kWhite);
    }

    void markers_data() {
        QTest::addColumn<int>("spotColor");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("second");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red spots, both markers blue") << 2 << 1 << 1 << kBlue;
        QTest::newRow("black spots, red markers") << 0 << 1 << 1 << kRed;
        QTest::newRow("major only") << 2 << 1 << 0 << kBlue;
        QTest::newRow("second without major") << 2 << 0 << 1 << kBlue;
    }
    void markers() {
        QFETCH(int, spotColor);
        QFETCH(int, major);
        QFETCH(int, second);
        QFETCH(QColor, color);
        Scene s;
        s.params.m_SpotColor = spotColor;
        s.params.m_bMajorSpot = major;
        s.params.m_bSecondSpot = second;
        s.params.m_MajorX = 50, s.params.m_MajorY = 40;     // pixel (280, 139)
        s.params.m_SecondX = -60, s.params.m_SecondY = -30; // pixel (170, 209)
        const QImage image = s.Paint();

        const QColor plus = major ? color : kWhite;
        // Arms 28 left, 26 right, 27 up and down of the point.
        for (const QPoint p : {QPoint(280, 139), QPoint(252, 139), QPoint(306, 139),
                               QPoint(280, 112), QPoint(280, 166)})
            QCOMPARE(At(image, p.x(), p.y()), plus);
        for (const QPoint p : {QPoint(246, 139), QPoint(312, 139), QPoint(280, 106),
                               QPoint(280, 172), QPoint(295, 154)})
            QCOMPARE(At(image, p.x(), p.y()), kWhite);

        const QColor cross = major && second ? color : kWhite;
        // Diagonals 22 out from the point in every direction.
        for (const QPoint p : {QPoint(170, 209), QPoint(159, 198), QPoint(159, 220),
                               QPoint(148, 187), QPoint(192, 231), QPoint(192, 187)})
            QCOMPARE(At(image, p.x(), p.y()), cross);
        for (const QPoint p : {QPoint(185, 209), QPoint(170, 194), QPoint(143, 182)})
            QCOMPARE(At(image, p.x(), p.y()), kWhite);
    }

    void labels_data() {
        QTest::addColumn<int>("show");
        QTest::newRow("shown") << 1;
        QTest::newRow("hidden") << 0;
    }
    void labels() {
        QFETCH(int, show);
        const std::optional<IndexFont> font = CreateIndexFont("Arial Narrow", 32);
        QVERIFY(font);
        Scene s;
        s.params.m_bShowIndex = show;
        s.params.m_FontColor = 1;
        s.params.m_bGrayScale = 0;
        s.scene.labelFont = &*font;
        s.spots = {Spot(0, 0, kIsat, 1, -3, 1)};
        const QImage image = s.Paint();
        // The text stands on the spot's upper edge (y 165), from 10 units left of its left
        // edge; none of it reaches into the spot.
        QCOMPARE(AnyNear(image, QRect(205, 125, 90, 40), kBlue), show == 1);
        QVERIFY(!AnyNear(image, QRect(215, 165, 30, 30), kBlue));
        QVERIFY(!AnyNear(image, QRect(150, 60, 50, 60), kBlue));
    }

    void labelsRunPastTheFilmEdgeUnderTheMargin() {
        const std::optional<IndexFont> font = CreateIndexFont("Arial Narrow", 32);
        QVERIFY(font);
        Scene s;
        s.params.m_bShowIndex = 1;
        s.params.m_FontColor = 1;
        s.scene.labelFont = &*font;
        s.spots = {Spot(195, 0, kIsat, -11, -13, -17)}; // left edge at 410, the film ends at 430
        const QImage image = s.Paint();
        QVERIFY(AnyNear(image, QRect(400, 125, 30, 40), kBlue));
        QVERIFY(!AnyNear(image, QRect(430, 125, 30, 40), kBlue));
    }

    void mergedPatterns_data() {
        QTest::addColumn<bool>("patternSpots");
        QTest::addColumn<double>("saturate");
        QTest::addColumn<QColor>("color");
        // One record of intensity 500 against the pattern's saturation level kIsat.
        QTest::newRow("pattern levels") << true << -0.01 << QColor(234, 234, 255);
        QTest::newRow("no pattern: the first record saturates") << false << -0.01 << kBlue;
        QTest::newRow("own saturation 4x the first record") << true << 4.0 << QColor(192, 192, 255);
    }
    void mergedPatterns() {
        QFETCH(bool, patternSpots);
        QFETCH(double, saturate);
        QFETCH(QColor, color);
        Scene s;
        if (patternSpots)
            s.spots = {Spot(150, 100, kIsat)};
        MergeSlot slot(2); // drawn blue
        slot.saturate = saturate;
        slot.shiftX = 20; // its own origin: 20 units left of the pattern's
        slot.records = {MergedSpot{-100, -60, 500.0, 2}};
        s.scene.merge2 = &slot;
        const QImage image = s.Paint();
        // int(500 / 5952.43 x 255) = 21; int(500 / 2000 x 255) = 63.
        QCOMPARE(At(image, 110, 240), color);
        QCOMPARE(At(image, 96, 240), color);
        QCOMPARE(At(image, 130, 240), kWhite);
    }

    void backImageStaysCentredWhenTheFilmShifts() {
        Scene s;
        QImage back(4, 4, QImage::Format_RGB32);
        back.fill(QColor(10, 200, 30));
        s.scene.backImage = &back;
        s.scene.backWidth = 100, s.scene.backHeight = 100;
        s.scene.frame.shiftX = 40, s.scene.frame.shiftY = 20;
        s.spots = {Spot(40, 20, kIsat)}; // the spot at the shift lies on the film centre
        const QImage image = s.Paint();
        QCOMPARE(At(image, 185, 135), QColor(10, 200, 30));
        QCOMPARE(At(image, 278, 228), QColor(10, 200, 30));
        QCOMPARE(At(image, 178, 135), kWhite);
        QCOMPARE(At(image, 230, 180), kRed);
    }

    void marginsAndBorder() {
        Scene s;
        const QImage image = s.Paint(QSize(600, 500)); // larger than the extent
        QCOMPARE(At(image, 10, 10), kGrey);
        QCOMPARE(At(image, 200, 10), kGrey);
        QCOMPARE(At(image, 445, 200), kGrey);
        QCOMPARE(At(image, 200, 345), kGrey);
        QCOMPARE(At(image, 550, 450), kGrey);
        for (const QPoint p :
             {QPoint(30, 200), QPoint(430, 200), QPoint(200, 30), QPoint(200, 330)})
            QCOMPARE(At(image, p.x(), p.y()), kBlack);
        QCOMPARE(At(image, 31, 200), kWhite);
        QCOMPARE(At(image, 200, 31), kWhite);
    }
};

QTEST_MAIN(ViewPaintTest)
#include "view_paint_test.moc"
