// The control panel on its own, its commands recorded: the update cycle's preconditions with
// their messages, zeroed edits and focus moves; one cycle per Enter, per step and per level
// pick; the zoom, angle and level corrections; the zoom pick; "N"; the spot-size ladder; the
// buttons that send a command; "Reset parameters to 0"; the labels, buddies and tooltips.
#include <QtTest>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/panel/full_control_bar.h"
#include "xelmor/panel/input_controls.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

// The ids of the rotation, tilt and shift edits that a refused cycle zeroes.
constexpr int kSixEdits[] = {1075, 1076, 1083, 1032, 1036, 1033};

// A panel on a parameter set with a two-sample spectrum, silicon and a confirmed geometry, as
// far as each flag asks; every command it sends is recorded.
struct Panel {
    explicit Panel(bool spectrum = true, bool crystal = true, bool geometry = true) {
        if (crystal || geometry)
            SetUpSilicon(p);
        if (!crystal)
            FreeCrystal(p);
        if (!geometry)
            p.m_bGeometrySet = 0;
        if (spectrum) {
            p.m_Wavelength = {0.5, 1.5};
            p.m_Intensity = {1.0, 1.0};
        }
        bar = std::make_unique<CFullControlBar>(&p, &store);
        bar->SetCommandTarget([this](int id) { sent.push_back(id); });
        bar->show();
        bar->activateWindow();
    }

    template <class W = QWidget> W* Get(int id) const { return bar->findChild<W*>(Id(id)); }
    QLineEdit* Edit(int id) const { return Get<QLineEdit>(id); }
    QComboBox* Combo(int id) const { return Get<QComboBox>(id); }
    // The text of an edit or of a combo box's edit part.
    QString Text(int id) const {
        if (QComboBox* c = Combo(id))
            return c->currentText();
        return Edit(id)->text();
    }
    void SetText(int id, const QString& text) const {
        if (QComboBox* c = Combo(id))
            c->setEditText(text);
        else
            Edit(id)->setText(text);
    }
    // Enter typed into a control (a combo box's edit part takes the key).
    void Enter(int id) const {
        QWidget* target = Combo(id) ? Combo(id)->lineEdit() : Get(id);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    }
    void Click(int id) const { QTest::mouseClick(Get<QPushButton>(id), Qt::LeftButton); }
    int Sent(int id) const { return static_cast<int>(std::count(sent.begin(), sent.end(), id)); }
    int Runs() const { return Sent(ID_UPDATE_BAR_TO_APP); }

    MemorySettingsStore store;
    MessageRecorder messages;
    CParameterSet p;
    std::vector<int> sent;
    std::unique_ptr<CFullControlBar> bar;
};

// Chooses entry `index` from a combo box's list as a user does: opens it and presses Enter on
// the entry.
void Pick(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

// A right click on `w` as the window system reports it: the context menu event goes to the
// widget under the pointer and travels up while nobody takes it.
void RightClick(QWidget* w) {
    const QPoint at = w->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &event);
}

QMenu* OpenPopup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

} // namespace

class PanelCycleTest : public QObject {
    Q_OBJECT
private slots:
    void missingInputsStopTheCycle_data() {
        QTest::addColumn<bool>("spectrum");
        QTest::addColumn<bool>("crystal");
        QTest::addColumn<bool>("geometry");
        QTest::addColumn<QString>("how"); // "enter" in the D edit, or the button clicked
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus"); // id of the control that has the focus afterwards
        const QString spectrum = "Please import a spectrum.";
        const QString crystal = "Please import a Crystal Structure.";
        const QString geometry = "Please Set Diffraction Geometry.";
        QTest::newRow("Enter, no spectrum")
            << false << false << false << "enter" << 0 << spectrum << 1070;
        QTest::newRow("Enter, no crystal")
            << true << false << false << "enter" << 0 << crystal << 1005;
        QTest::newRow("Enter, no geometry")
            << true << true << false << "enter" << 0 << geometry << 1006;
        QTest::newRow("Update, no geometry")
            << true << true << false << "click" << 1003 << geometry << 1006;
        QTest::newRow("N, no crystal")
            << true << false << false << "click" << 1045 << crystal << 1005;
        QTest::newRow("Crystal, no spectrum")
            << false << false << false << "click" << 1005 << spectrum << 1005;
        QTest::newRow("Geometry, no crystal")
            << true << false << false << "click" << 1006 << crystal << 1005;
    }
    void missingInputsStopTheCycle() {
        QFETCH(bool, spectrum);
        QFETCH(bool, crystal);
        QFETCH(bool, geometry);
        QFETCH(QString, how);
        QFETCH(int, button);
        QFETCH(QString, message);
        QFETCH(int, focus);
        Panel panel(spectrum, crystal, geometry);
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        for (int id : kSixEdits)
            panel.SetText(id, QStringLiteral("12.5"));
        panel.SetText(1070, QStringLiteral("77"));
        panel.SetText(1072, QStringLiteral("300%"));

        if (how == QLatin1String("enter"))
            panel.Enter(1070);
        else
            panel.Click(button);

        QCOMPARE(panel.messages.Texts(), QStringList{message});
        QCOMPARE(panel.messages.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(panel.messages.messages[0].buttons, MsgButtons::Ok);
        for (int id : kSixEdits)
            QCOMPARE(panel.Text(id), QStringLiteral("0"));
        // Only those six: the distance and the zoom are not read.
        QCOMPARE(panel.Text(1070), QStringLiteral("77"));
        QCOMPARE(panel.Text(1072), QStringLiteral("300%"));
        QCOMPARE(panel.p.m_D, 500.0);
        QVERIFY(panel.sent.empty());
        QCOMPARE(QApplication::focusWidget(), panel.Get(focus));
    }

    void everyEnterRunsOneCycle_data() {
        QTest::addColumn<int>("id");
        for (int id : {1072, 1070, 1075, 1076, 1083, 1032, 1036, 1033, 1073, 1074})
            QTest::newRow(qPrintable(Id(id))) << id;
    }
    void everyEnterRunsOneCycle() {
        QFETCH(int, id);
        Panel panel;
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        const QComboBox* combo = panel.Combo(id);
        const int items = combo ? combo->count() : 0;
        panel.Enter(id);
        QCoreApplication::processEvents();
        QCOMPARE(panel.Runs(), 1);
        QVERIFY(panel.messages.messages.empty());
        // The key went no further: a combo box neither took the text into its list nor chose
        // an entry (which would post a second cycle).
        if (combo)
            QCOMPARE(combo->count(), items);
        QTest::qWait(20);
        QCOMPARE(panel.Runs(), 1);
    }

    void enterInTheReflectionBoxRunsNoCycle() {
        Panel panel;
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        panel.Edit(1078)->setText(QStringLiteral("1 1 1"));
        panel.Enter(1078);
        QCoreApplication::processEvents();
        QCOMPARE(panel.Runs(), 0);
    }

    void aStepRunsACycleUnlessItIsClamped() {
        Panel panel;
        panel.SetText(1070, QStringLiteral("50"));
        panel.Click(1023); // D +10
        QCOMPARE(panel.Text(1070), QStringLiteral("60"));
        QCOMPARE(panel.p.m_D, 600.0);
        QCOMPARE(panel.Runs(), 1);

        panel.SetText(1075, QStringLiteral("359.5"));
        panel.Click(1025); // +1 on the first angle: clamped to 360, read as 0
        QCOMPARE(panel.Text(1075), QStringLiteral("0"));
        QCOMPARE(panel.p.m_Rot1, 0.0);
        QCOMPARE(panel.Runs(), 2);

        // At its limit a step changes nothing and sends nothing.
        panel.SetText(1070, QStringLiteral("100000"));
        panel.Click(1023);
        panel.SetText(1033, QStringLiteral("-10000"));
        panel.Click(1053); // shift x -10
        QCOMPARE(panel.Text(1070), QStringLiteral("100000"));
        QCOMPARE(panel.Text(1033), QStringLiteral("-10000"));
        QCOMPARE(panel.Runs(), 2);
    }

    void zoomIsRoundedAndClamped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("zoom");
        QTest::newRow("below 10 %") << "5%"
                                    << "10%" << 10;
        QTest::newRow("above 1000 %") << "2000%"
                                      << "1000%" << 1000;
        QTest::newRow("not a number") << "big"
                                      << "10%" << 10;
        QTest::newRow("empty") << ""
                               << "10%" << 10;
        QTest::newRow("rounded") << "149.5"
                                 << "150%" << 150;
        QTest::newRow("unchanged") << "200%"
                                   << "200%" << 200;
    }
    void zoomIsRoundedAndClamped() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, zoom);
        Panel panel;
        QCOMPARE(panel.p.m_nZoom, 200);
        panel.SetText(1072, typed);
        panel.Enter(1072);
        QCOMPARE(panel.Text(1072), shown);
        QCOMPARE(panel.p.m_nZoom, zoom);
        // A changed zoom asks the view for its scale before the run.
        const std::vector<int> expected =
            zoom == 200 ? std::vector<int>{ID_UPDATE_BAR_TO_APP}
                        : std::vector<int>{ID_ZOOM_CALIB, ID_UPDATE_BAR_TO_APP};
        QCOMPARE(panel.sent, expected);
    }

    void anglesStayInsideAFullTurn_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("360") << 1075 << "360"
                             << "0" << 0.0;
        QTest::newRow("-360") << 1076 << "-360"
                              << "0" << 0.0;
        QTest::newRow("359.9") << 1083 << "359.9"
                               << "359.9" << 359.9;
        QTest::newRow("-359.9") << 1075 << "-359.9"
                                << "-359.9" << -359.9;
        QTest::newRow("beyond a turn") << 1076 << "725"
                                       << "0" << 0.0;
        QTest::newRow("tilt keeps 360") << 1032 << "360"
                                        << "360" << 360.0;
        QTest::newRow("tilt clamped") << 1032 << "-400"
                                      << "-360" << -360.0;
    }
    void anglesStayInsideAFullTurn() {
        QFETCH(int, id);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, value);
        Panel panel;
        panel.SetText(id, typed);
        panel.Enter(id);
        QCOMPARE(panel.Text(id), shown);
        const double read = id == 1075   ? panel.p.m_Rot1
                            : id == 1076 ? panel.p.m_Rot2
                            : id == 1083 ? panel.p.m_Rot3
                                         : panel.p.m_Tilt;
        QCOMPARE(read, value);
        QCOMPARE(panel.Runs(), 1);
    }

    void lengthsAreReadInMillimetres() {
        Panel panel;
        panel.SetText(1070, QStringLiteral("62.5"));
        panel.SetText(1036, QStringLiteral("-3.25"));
        panel.SetText(1033, QStringLiteral("20000"));
        panel.Click(1003);
        QCOMPARE(panel.p.m_D, 625.0);
        QCOMPARE(panel.p.m_ShiftY, -32.5);
        QCOMPARE(panel.p.m_ShiftX, 100000.0);
        QCOMPARE(panel.Text(1033), QStringLiteral("10000"));
        QCOMPARE(panel.Text(1070), QStringLiteral("62.5"));
    }

    void levelsAreCorrected_data() {
        QTest::addColumn<double>("isat");
        QTest::addColumn<QString>("saturate");
        QTest::addColumn<QString>("truncate");
        QTest::addColumn<QString>("saturateShown");
        QTest::addColumn<QString>("truncateShown");
        QTest::addColumn<double>("saturateValue");
        QTest::addColumn<double>("truncateValue");
        QTest::newRow("saturation 0") << 5.0 << "0%"
                                      << "0.01%"
                                      << "0.1%"
                                      << "0.01%" << 0.001 << 0.0001;
        QTest::newRow("truncation above saturation") << 5.0 << "50%"
                                                     << "60%"
                                                     << "50%"
                                                     << "5%" << 0.5 << 0.05;
        QTest::newRow("truncation at saturation") << 5.0 << "1%"
                                                  << "1%"
                                                  << "1%"
                                                  << "0.1%" << 0.01 << 0.001;
        QTest::newRow("truncation 0") << 5.0 << "75%"
                                      << "0%"
                                      << "75%"
                                      << "0.001%" << 0.75 << 1e-5;
        QTest::newRow("kept") << 5.0 << "200%"
                              << "0.5%"
                              << "200%"
                              << "0.5%" << 2.0 << 0.005;
        // Before the first normalisation the truncation keeps its value (0.02 here) while its
        // box shows 1 %; the run rewrites both boxes.
        QTest::newRow("not normalised") << -1.0 << "50%"
                                        << "5%"
                                        << "100%"
                                        << "1%" << 1.0 << 0.02;
    }
    void levelsAreCorrected() {
        QFETCH(double, isat);
        QFETCH(QString, saturate);
        QFETCH(QString, truncate);
        QFETCH(QString, saturateShown);
        QFETCH(QString, truncateShown);
        QFETCH(double, saturateValue);
        QFETCH(double, truncateValue);
        Panel panel;
        panel.p.m_Isat = isat;
        panel.p.m_Truncate = 0.02;
        panel.SetText(1073, saturate);
        panel.SetText(1074, truncate);
        panel.Enter(1074);
        QCOMPARE(panel.Text(1073), saturateShown);
        QCOMPARE(panel.Text(1074), truncateShown);
        QCOMPARE(panel.p.m_Saturate, saturateValue);
        QCOMPARE(panel.p.m_Truncate, truncateValue);
        QCOMPARE(panel.Runs(), 1);
    }

    void normaliseSetsTheSaturationTo100() {
        Panel panel;
        panel.p.m_Isat = 5.0;
        panel.SetText(1073, QStringLiteral("25%"));
        panel.Click(1045);
        QCOMPARE(panel.Text(1073), QStringLiteral("100%"));
        QCOMPARE(panel.p.m_Saturate, 1.0);
        QCOMPARE(panel.Runs(), 1);
    }

    void aLevelPickPostsOneCycle() {
        Panel panel;
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        panel.p.m_Isat = 5.0;
        Pick(panel.Combo(1073), 3); // "50%"
        QTRY_COMPARE(panel.Runs(), 1);
        QCOMPARE(panel.p.m_Saturate, 0.5);
        Pick(panel.Combo(1074), 6); // "0.01%"
        QTRY_COMPARE(panel.Runs(), 2);
        QCOMPARE(panel.p.m_Truncate, 0.0001);
        QTest::qWait(20);
        QCOMPARE(panel.Runs(), 2);
    }

    void aZoomPickSetsTheZoomWithoutACycle() {
        Panel panel;
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        Pick(panel.Combo(1072), 2); // "400%"
        QCOMPARE(panel.p.m_nZoom, 400);
        QTRY_COMPARE(panel.sent, std::vector<int>{ID_ZOOM_CALIB});
        QTest::qWait(20);
        QCOMPARE(panel.sent, std::vector<int>{ID_ZOOM_CALIB});
    }

    void spotSizeLadder_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("newWidth");
        QTest::addColumn<double>("newHeight");
        QTest::newRow("up to 1 and 5") << 1071 << 0.5 << 1.0 << 1.0 << 5.0;
        QTest::newRow("up to 15 and by 1 mm") << 1071 << 14.9 << 20.0 << 15.0 << 30.0;
        QTest::newRow("up to 20 mm at most") << 1071 << 200.0 << 195.0 << 200.0 << 200.0;
        QTest::newRow("down to 0.01 mm") << 1079 << 1.0 << 0.1 << 0.1 << 0.1;
        QTest::newRow("down to 1 and 15") << 1079 << 5.0 << 20.0 << 1.0 << 15.0;
        QTest::newRow("down by 1 mm") << 1079 << 200.0 << 25.0 << 190.0 << 15.0;
    }
    void spotSizeLadder() {
        QFETCH(int, button);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, newWidth);
        QFETCH(double, newHeight);
        Panel panel;
        panel.p.m_SpotWidth = width;
        panel.p.m_SpotHeight = height;
        panel.Click(button);
        QCOMPARE(panel.p.m_SpotWidth, newWidth);
        QCOMPARE(panel.p.m_SpotHeight, newHeight);
        QCOMPARE(panel.sent, std::vector<int>{ID_INVALIDATE_VIEW});

        // A right click asks for the spot-size dialog and leaves the sizes alone.
        panel.sent.clear();
        QTest::mouseClick(panel.Get<QPushButton>(button), Qt::RightButton);
        QCOMPARE(panel.sent, std::vector<int>{ID_SPOT_SIZE});
        QCOMPARE(panel.p.m_SpotWidth, newWidth);
    }

    void buttonsSendTheirCommands() {
        Panel panel;
        panel.Click(1065);
        QCOMPARE(panel.p.m_bGrayScale, 0);
        panel.Click(1065);
        QCOMPARE(panel.p.m_bGrayScale, 1);
        panel.Click(1066);
        panel.Click(1238);
        panel.Click(1087);
        const std::vector<int> expected{ID_INVALIDATE_VIEW, ID_INVALIDATE_VIEW, ID_SHOW_INDEX,
                                        ID_SHOW_LUT, ID_LAB_ORIENTATION};
        QCOMPARE(panel.sent, expected);
    }

    void resetToZeroKeepsDistanceZoomAndLevels() {
        Panel panel;
        QVERIFY(QTest::qWaitForWindowActive(panel.bar.get()));
        panel.p.m_Isat = 5.0;
        for (int id : kSixEdits)
            panel.SetText(id, QStringLiteral("12.5"));
        panel.SetText(1070, QStringLiteral("80"));
        panel.SetText(1072, QStringLiteral("300%"));
        panel.SetText(1073, QStringLiteral("50%"));
        panel.SetText(1074, QStringLiteral("0.5%"));

        // A right click on a button is the button's: no menu.
        RightClick(panel.Get(1065));
        QVERIFY(!OpenPopup());

        RightClick(panel.Get(1101)); // a label is the panel's background
        QMenu* menu = OpenPopup();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction* reset = menu->actions().at(0);
        QCOMPARE(reset->text(), QStringLiteral("Reset parameters to 0"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(reset).center());
        QTRY_VERIFY(!OpenPopup());

        for (int id : kSixEdits)
            QCOMPARE(panel.Text(id), QStringLiteral("0"));
        const double zeroed[] = {panel.p.m_Rot1, panel.p.m_Rot2,   panel.p.m_Rot3,
                                 panel.p.m_Tilt, panel.p.m_ShiftY, panel.p.m_ShiftX};
        for (double v : zeroed)
            QCOMPARE(v, 0.0);
        QCOMPARE(panel.Text(1070), QStringLiteral("80"));
        QCOMPARE(panel.p.m_D, 800.0);
        QCOMPARE(panel.p.m_nZoom, 300);
        QCOMPARE(panel.p.m_Saturate, 0.5);
        QCOMPARE(panel.p.m_Truncate, 0.005);
        QCOMPARE(panel.Runs(), 1);
    }

    void valuesToControls() {
        Panel panel;
        CParameterSet& p = panel.p;
        p.m_nZoom = 150;
        p.m_D = 625;
        p.m_Rot1 = 12.5, p.m_Rot2 = -0.125, p.m_Rot3 = 359.9;
        p.m_Tilt = 2;
        p.m_ShiftY = -32.5, p.m_ShiftX = 7;
        p.m_Saturate = 0.123456789, p.m_Truncate = 0.0001;
        p.m_RotCrystSeq = 3;
        panel.bar->ValuesToControls();
        const QMap<int, QString> expected{{1072, "150%"},   {1070, "62.5"},  {1075, "12.5"},
                                          {1076, "-0.125"}, {1083, "359.9"}, {1032, "2"},
                                          {1036, "-3.25"},  {1033, "0.7"},   {1073, "12.3456789%"},
                                          {1074, "0.01%"}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(panel.Text(it.key()), it.value());
        QStringList labels;
        for (int id : {1101, 1102, 1084, 1081, 1091, 1090})
            labels << panel.Get<QLabel>(id)->text();
        QCOMPARE(labels, (QStringList{"around X", "around Z", "around Y",
                                      "Tilt Axis y:", "Shift y:", "Shift x:"}));

        // The legacy tilt-axis flag names the other axis and exchanges the shift labels.
        p.m_bTiltX = 1;
        panel.bar->SetRotationLabels();
        QCOMPARE(panel.Get<QLabel>(1081)->text(), QStringLiteral("Tilt Axis x:"));
        QCOMPARE(panel.Get<QLabel>(1091)->text(), QStringLiteral("Shift x:"));
        QCOMPARE(panel.Get<QLabel>(1090)->text(), QStringLiteral("Shift y:"));
    }

    void controlsCarryTheirCaptionsBuddiesAndTips() {
        Panel panel;
        const QMap<int, QString> captions{{1005, "Crystal"},
                                          {1006, "Geometry"},
                                          {1003, "Update\nPattern"},
                                          {1023, "+10"},
                                          {1062, "-10"},
                                          {1025, "+1"},
                                          {1026, "-1"},
                                          {1238, "Look-Up Table"},
                                          {1086, "Rotate G..."},
                                          {1080, "?"},
                                          {1087, "Crystal Orient in Lab Coords..."},
                                          {1069, "?"},
                                          {1045, "N"},
                                          {1065, "Dark <> Gray"},
                                          {1066, "Index h k l"},
                                          {1071, "Increase^"},
                                          {1079, "Reduce Spot Size"},
                                          {1067, "?"},
                                          {1055, "&Find"},
                                          {1054, "&More..."},
                                          {1050, "+10"},
                                          {1053, "-10"}};
        for (auto it = captions.begin(); it != captions.end(); ++it)
            QCOMPARE(panel.Get<QPushButton>(it.key())->text(), it.value());
        QCOMPARE(panel.Get<QLabel>(1167)->text(), QStringLiteral(" 0 spots"));
        QCOMPARE(panel.Get<QLabel>(1199)->text(), QStringLiteral("Reflection:"));

        QStringList zoom, saturate, truncate;
        for (int i = 0; i < panel.Combo(1072)->count(); ++i)
            zoom << panel.Combo(1072)->itemText(i);
        for (int i = 0; i < panel.Combo(1073)->count(); ++i)
            saturate << panel.Combo(1073)->itemText(i);
        for (int i = 0; i < panel.Combo(1074)->count(); ++i)
            truncate << panel.Combo(1074)->itemText(i);
        QCOMPARE(zoom, (QStringList{"1000%", "500%", "400%", "300%", "250%", "200%", "150%", "100%",
                                    "50%"}));
        QCOMPARE(saturate,
                 (QStringList{"200%", "100%", "75%", "50%", "25%", "10%", "5%", "1%", "0.1%"}));
        QCOMPARE(truncate,
                 (QStringList{"50%", "25%", "10%", "5%", "1%", "0.1%", "0.01%", "0.001%"}));

        // Every labelled edit and combo box has its label as buddy.
        QMap<QString, QString> buddies; // label text -> control id
        for (QLabel* l : panel.bar->findChildren<QLabel*>())
            if (l->buddy())
                buddies.insert(l->text(), l->buddy()->objectName());
        const QMap<QString, QString> expectedBuddies{
            {"D:", "id1070"},          {"around Y", "id1075"},       {"around X", "id1076"},
            {"around Z", "id1083"},    {"Tilt Axis y:", "id1032"},   {"Shift y:", "id1036"},
            {"Shift x:", "id1033"},    {"Saturate above", "id1073"}, {"Truncate below", "id1074"},
            {"Reflection:", "id1078"}, {"Wavelength:", "id1052"}};
        QCOMPARE(buddies, expectedBuddies);

        const QMap<int, QString> tips{
            {1072, "Zoom"},
            {1073, "Saturation level, above which spots are all black"},
            {1074, "Truncation level, below which spots are not shown"},
            {1005, "Import Crystal structure"},
            {1006, "Set diffraction Geometry"},
            {1003, "After Typing in Edit or Dropdown boxes, press Enter or click Update!"},
            {1023, "Right click to change stepsize"},
            {1025, "Right click to change stepsize"},
            {1029, "Right click to change stepsize"},
            {1038, "Right click to change stepsize"},
            {1050, "Right click to change stepsize"},
            {1032, "Tilt CCD. See Help (?) for Setting CCD or Film"},
            {1065, "Switch between gray-scale and dark spots"},
            {1066, "Show or Hide Indices h k l of spots. F3"},
            {1045, "Normalize Intensity (Set Saturate=100%)"},
            {1071, "Enlarge Spots by 1 mm. Right Click for fine adjustment"},
            {1079, "Shrink Spots by 1 mm. Right Click for fine adjustment"},
            {1052, "Wavelength/Photon Energy of selected Bragg reflection"},
            {1055, "Click a spot to see its reflection here. Or input h,k,l to Find a spot in "
                   "current pattern"},
            {1069, "Help for Setting CCD or Film"},
            {1080, "Help for Crystal Rotation around XYZ"},
            {1067, "Help for Intensity Adjustment"},
            {1087, "Crystal orientation in the fixed Lab coordinate system (F5)"},
            {1078, "Index of the spot you (double) clicked. Also see the More dialog"},
            {1238, "Show the Look-Up Table dialog"},
            {1086, "Rotate Crystal along a selected G vector"}};
        for (auto it = tips.begin(); it != tips.end(); ++it)
            QCOMPARE(panel.Get(it.key())->toolTip(), it.value());
        QVERIFY(panel.Get<CEdit_Enter>(1078)->IsFind());
        QVERIFY(panel.Get<CEdit_Color>(1052));
        QVERIFY(panel.Get(1112));
    }
};

QTEST_MAIN(PanelCycleTest)
#include "panel_cycle_test.moc"
