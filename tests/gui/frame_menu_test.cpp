// The main window's menus and commands: every item with its text, the window's shortcuts, the
// enabling rules, the texts that follow the view, the colour menus with their check marks and
// no redraw for an unchanged colour, Show Control Panel, and the owner of every command.
#include <QtTest>

#include <QDockWidget>
#include <QMenuBar>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

Q_DECLARE_METATYPE(xelmor::CommandOwner)

namespace {

// Every item of the menu bar as "Menu|Item" or "Menu|Submenu|Item", in menu order.
QStringList MenuItems(QMenuBar* bar) {
    QStringList out;
    std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& prefix) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            if (a->menu())
                walk(a->menu(), prefix + a->text() + QLatin1Char('|'));
            else
                out << prefix + a->text();
        }
    };
    for (QAction* a : bar->actions())
        walk(a->menu(), a->text() + QLatin1Char('|'));
    return out;
}

using Started = StartedApp;

} // namespace

class FrameMenuTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarHoldsEveryItem() {
        Started s;
        const QStringList expected{
            "&File|&New",
            "&File|&Open...",
            "&File|&Save\tCtrl+S",
            "&File|Save &As...",
            "&File|&Export Image...",
            "&File|Export &Textfile...",
            "&File|Recent File",
            "&File|E&xit",
            "&Setting|Spectr&um...",
            "&Setting|&Calibrate Zoom...",
            "&Setting|CCD/&Film Size...",
            "&Setting|&Spot Size...",
            "&Setting|S&pot Color|&Red",
            "&Setting|S&pot Color|B&lue",
            "&Setting|S&pot Color|&Black",
            "&Setting|&Index Font...",
            "&Setting|F&ont Color|&Black",
            "&Setting|F&ont Color|B&lue",
            "&Setting|F&ont Color|&Red",
            "&Setting|F&ont Color|&White",
            "&Import|Import &Recorded Laue Image...",
            "&Import|Import &Data Pattern...",
            "&View|Hide &Crossline",
            "&View|Hide &Spot 000",
            "&View|Show Control &Panel",
            "&Tools|&Angle between Planes...",
            "&Tools|Structure &Factor... ",
            "&Tools|&Unit Conversion...",
            "&Tools|&Editor of Crystal Structure...",
            "&Tools|&Stereographic Projection (Wulff net)...",
            "&Help|&About Xelmor...",
            "&Help|&Help Topics",
            "&Help|&Intensity Kinematic Model...",
        };
        QCOMPARE(MenuItems(s.frame->menuBar()), expected);

        // Greyed for good, and always available.
        QVERIFY(!s.frame->Action(ID_WULFF_NET)->isEnabled());
        QVERIFY(!s.frame->Action(ID_HELP_TOPICS)->isEnabled());
        QVERIFY(!s.frame->Action(ID_FILE_MRU_FILE1)->isEnabled()); // no recent document yet
        QVERIFY(s.frame->Action(ID_IMPORT_IMAGE)->isEnabled());
    }

    void theWindowTakesOnlyItsOwnKeys() {
        Started s;
        QMap<QString, QString> keys; // shortcut -> action
        for (QAction* a : s.frame->findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts())
                keys.insert(k.toString(), a->objectName());
        const QMap<QString, QString> expected{
            {"Ctrl+S", "id57603"}, {"F3", "id32782"}, {"F5", "id32937"}, {"F6", "id32953"}};
        QCOMPARE(keys, expected);

        // F3 toggles the labels through the view.
        s.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.frame));
        QTest::keyClick(s.frame, Qt::Key_F3);
        QCOMPARE(s.app->m_Params.m_bShowIndex, 1);
    }

    void savingAndExportingNeedAStartedProgramAndASpot() {
        Started s;
        const int guarded[] = {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EXPORT_TEXTFILE};
        for (int id : guarded)
            QVERIFY2(!s.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(s.frame->OnCommand(ID_FILE_SAVE), CommandOwner::None);
        QCOMPARE(s.frame->OnCommand(ID_LAB_ORIENTATION), CommandOwner::None);
        QVERIFY(s.files.requests.empty());

        s.Simulate();
        QVERIFY(!s.app->Document()->Spots().empty());
        for (int id : guarded)
            QVERIFY2(s.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(s.frame->OnCommand(ID_LAB_ORIENTATION), CommandOwner::Doc);
        QCOMPARE(s.frame->OnCommand(ID_FILE_SAVE), CommandOwner::Doc);
        QCOMPARE(s.files.requests.size(), std::size_t(1)); // an untitled pattern asks for a name

        // While the program starts, nothing is saved.
        s.app->m_bStarted = 0;
        s.frame->UpdateCommandUI();
        for (int id : guarded)
            QVERIFY2(!s.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(s.frame->OnCommand(ID_LAB_ORIENTATION), CommandOwner::None);
        s.app->m_bStarted = 1;

        // A run that finds no spot greys them again.
        s.app->m_Params.m_Hmax = s.app->m_Params.m_Kmax = s.app->m_Params.m_Lmax = 0;
        s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        QVERIFY(s.app->Document()->Spots().empty());
        for (int id : guarded)
            QVERIFY2(!s.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void viewItemsNameWhatTheyWillDo() {
        Started s;
        QAction* cross = s.frame->Action(ID_VIEW_CROSSLINE);
        QAction* spot000 = s.frame->Action(ID_VIEW_SPOT000);
        cross->trigger();
        QCOMPARE(s.app->m_Params.m_bCrossline, 0);
        QCOMPARE(cross->text(), QStringLiteral("Show &Crossline"));
        spot000->trigger();
        QCOMPARE(s.app->m_Params.m_bShowSpot000, 0);
        QCOMPARE(spot000->text(), QStringLiteral("&Show Spot 000"));
        cross->trigger();
        spot000->trigger();
        QCOMPARE(cross->text(), QStringLiteral("Hide &Crossline"));
        QCOMPARE(spot000->text(), QStringLiteral("Hide &Spot 000"));
    }

    void colourMenus_data() {
        QTest::addColumn<bool>("spot");
        QTest::addColumn<QList<int>>("ids"); // in the order of their colour values 0, 1, 2, (3)
        QTest::addColumn<int>("start");
        QTest::newRow("spot colour")
            << true << QList<int>{ID_SPOT_COLOR_BLACK, ID_SPOT_COLOR_BLUE, ID_SPOT_COLOR_RED} << 2;
        QTest::newRow("label colour") << false
                                      << QList<int>{ID_FONT_COLOR_BLACK, ID_FONT_COLOR_BLUE,
                                                    ID_FONT_COLOR_RED, ID_FONT_COLOR_WHITE}
                                      << 0;
    }
    void colourMenus() {
        QFETCH(bool, spot);
        QFETCH(QList<int>, ids);
        QFETCH(int, start);
        Started s;
        const int& color = spot ? s.app->m_Params.m_SpotColor : s.app->m_Params.m_FontColor;
        auto checked = [&] {
            QList<int> out;
            for (int id : ids)
                if (s.frame->Action(id)->isChecked())
                    out << id;
            return out;
        };
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        PaintCounter paints(s.frame->View()->viewport());
        QTest::qWait(20);

        QCOMPARE(checked(), QList<int>{ids[start]});
        for (int value = 0; value < ids.size(); ++value) {
            const int before = color;
            paints.count = 0;
            s.frame->Action(ids[value])->trigger();
            QTest::qWait(20);
            QCOMPARE(color, value);
            QCOMPARE(checked(), QList<int>{ids[value]});
            QCOMPARE(paints.count > 0, before != value);
            // The same colour again: no redraw, the check mark stays.
            paints.count = 0;
            s.frame->Action(ids[value])->trigger();
            QTest::qWait(20);
            QCOMPARE(paints.count, 0);
            QCOMPARE(checked(), QList<int>{ids[value]});
        }
    }

    void showControlPanelBringsItBackWhereItWas_data() {
        QTest::addColumn<bool>("floating");
        QTest::newRow("docked right") << false;
        QTest::newRow("floating") << true;
    }
    void showControlPanelBringsItBackWhereItWas() {
        QFETCH(bool, floating);
        Started s;
        QDockWidget* dock = s.frame->ControlDock();
        QCOMPARE(dock->windowTitle(), QStringLiteral("Xelmor Control Panel"));
        QCOMPARE(dock->widget()->objectName(), QStringLiteral("id320"));
        QCOMPARE(s.frame->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        QAction* show = s.frame->Action(ID_SHOW_CONTROL_PANEL);
        QVERIFY(!show->isEnabled());

        s.frame->addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->setFloating(floating);
        dock->close();
        QVERIFY(show->isEnabled());
        show->trigger();
        QVERIFY(!dock->isHidden());
        QCOMPARE(dock->isFloating(), floating);
        QCOMPARE(s.frame->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(!show->isEnabled());
        QCOMPARE(s.frame->OnCommand(ID_SHOW_CONTROL_PANEL), CommandOwner::None);
    }

    // Each command reaches the owner the program names. The pattern has spots, so the document
    // commands that need one are enabled; dialogs are cancelled and the file chooser cancels.
    void commandsReachTheirOwner_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<CommandOwner>("owner");
        using O = CommandOwner;
        const std::pair<int, O> cases[] = {
            {ID_FILE_NEW, O::App},
            {ID_FILE_OPEN, O::App},
            {ID_FILE_SAVE, O::Doc},
            {ID_FILE_SAVE_AS, O::Doc},
            {ID_EXPORT_IMAGE, O::View},
            {ID_EXPORT_TEXTFILE, O::Doc},
            {ID_SPECTRUM, O::Frame},
            {ID_CALIB_ZOOM, O::Frame},
            {ID_FILM_SIZE, O::View},
            {ID_SPOT_SIZE, O::View},
            {ID_SPOT_COLOR_RED, O::Frame},
            {ID_SPOT_COLOR_BLUE, O::Frame},
            {ID_SPOT_COLOR_BLACK, O::Frame},
            {ID_INDEX_FONT, O::Frame},
            {ID_FONT_COLOR_BLACK, O::Frame},
            {ID_FONT_COLOR_BLUE, O::Frame},
            {ID_FONT_COLOR_RED, O::Frame},
            {ID_FONT_COLOR_WHITE, O::Frame},
            {ID_IMPORT_IMAGE, O::View},
            {ID_IMPORT_DATA_PATTERN, O::Doc},
            {ID_VIEW_CROSSLINE, O::View},
            {ID_VIEW_SPOT000, O::View},
            {ID_ANGLE_PLANES, O::Frame},
            {ID_STRUCTURE_FACTOR, O::Doc},
            {ID_UNIT_CONVERSION, O::Frame},
            {ID_EDITOR, O::App},
            {ID_WULFF_NET, O::None},
            {ID_APP_ABOUT, O::App},
            {ID_HELP_TOPICS, O::None},
            {ID_INTENSITY_MODEL, O::Frame},
            {ID_UPDATE_BAR, O::Panel},
            {ID_ZOOM_CALIB, O::View},
            {ID_UPDATE_BAR_TO_APP, O::Doc},
            {ID_INVALIDATE_VIEW, O::View},
            {ID_SHOW_INDEX, O::View},
            {ID_FIND_REFLECTION, O::View},
            {ID_LAB_ORIENTATION, O::Doc},
            {ID_FIX_REFL_ROT, O::FixReflRot},
            {ID_FIX_REFL_ROT_AUTO, O::FixReflRot},
            {ID_FINE_ADJUST_LUT, O::View},
            {ID_SHOW_LUT, O::Frame},
            {ID_LUT_MENU, O::View},
            {ID_FOCUS_LUT, O::Frame},
            {ID_EDIT_COPY, O::None},
            {ID_EDIT_CUT, O::None},
            {ID_EDIT_PASTE, O::None},
            {ID_EDIT_UNDO, O::None},
            {ID_HELP, O::None},
            {12345, O::None},
        };
        for (const auto& [id, owner] : cases)
            QTest::newRow(qPrintable(QString::number(id))) << id << owner;
    }
    void commandsReachTheirOwner() {
        QFETCH(int, id);
        QFETCH(CommandOwner, owner);
        Started s;
        s.Simulate();
        QCOMPARE(s.frame->OnCommand(id), owner);
    }

    void exitClosesTheWindowAndWritesTheSettings() {
        Started s;
        QVERIFY(QTest::qWaitForWindowExposed(s.frame));
        QVERIFY(!s.store.Contains(kSettingsSection, setting::kMainFrmX));
        s.frame->Action(ID_APP_EXIT)->trigger();
        QVERIFY(!s.frame->isVisible());
        QCOMPARE(s.store.ReadInt(kSettingsSection, setting::kMainFrmX, -1), 10);
    }
};

QTEST_MAIN(FrameMenuTest)
#include "frame_menu_test.moc"
