// The start-up and the exit: what a first start reads and opens, the calibration dialog on the
// very first start only, a document named on the command line, and the values the window
// writes when it closes (normal, maximised, minimised), with a placement that round-trips.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/dialogs/dlg_calib_zoom.h"
#include "xelmor/files/pattern_doc.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

QString Stored(const MemorySettingsStore& store, std::string_view name) {
    return QString::fromStdString(store.ReadString(kSettingsSection, name, "<missing>"));
}
int StoredInt(const MemorySettingsStore& store, std::string_view name) {
    return store.ReadInt(kSettingsSection, name, -12345);
}

void StorePlacement(MemorySettingsStore& store, int max, QRect r) {
    store.WriteInt(kSettingsSection, setting::kMainFrmMax, max);
    store.WriteInt(kSettingsSection, setting::kMainFrmX, r.x());
    store.WriteInt(kSettingsSection, setting::kMainFrmY, r.y());
    store.WriteInt(kSettingsSection, setting::kMainFrmCX, r.width());
    store.WriteInt(kSettingsSection, setting::kMainFrmCY, r.height());
}

QRect StoredPlacement(const MemorySettingsStore& store) {
    return QRect(StoredInt(store, setting::kMainFrmX), StoredInt(store, setting::kMainFrmY),
                 StoredInt(store, setting::kMainFrmCX), StoredInt(store, setting::kMainFrmCY));
}

} // namespace

class AppStartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartUsesTheDefaultsAndAsksForTheCalibration() {
        MemorySettingsStore store;
        MessageRecorder messages;
        QString status;
        DialogScript dialogs([&](QDialog& d) {
            status = d.findChild<QLabel*>(QStringLiteral("id1104"))->text();
            d.reject();
        });
        auto app = StartApp(store);
        QVERIFY(app);
        const CParameterSet& p = app->m_Params;
        CMainFrame* frame = app->MainFrame();

        QCOMPARE(dialogs.titles, QStringList{QStringLiteral("Calibrate Zoom of Screen")});
        QCOMPARE(status, QStringLiteral("   You have not calibrated the zoom. Assume 100 mm."));
        QVERIFY(!store.Contains(kSettingsSection, setting::kCalibZoom)); // cancelled
        QCOMPARE(p.m_bZoomCalibrated, 0);
        QCOMPARE(p.m_CalibFactor, 1.0);

        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QCOMPARE(frame->frameGeometry(), QRect(10, 20, 800, 600));
        QVERIFY(!frame->isMaximized());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Pattern1 - Xelmorscope"));
        QCOMPARE(p.m_TransOrBack, 0);
        QCOMPARE(p.m_D, 500.0);
        QCOMPARE(p.m_FilmWidth, 2000.0);
        QCOMPARE(p.m_FilmHeight, 1500.0);
        QCOMPARE(p.m_SpotWidth, 30.0);
        QCOMPARE(p.m_SpotHeight, 30.0);
        QCOMPARE(p.m_RotCrystSeq, 0);
        QCOMPARE(p.m_nZoom, 200);
        const QString programDir = QDir::toNativeSeparators(BuiltProgramDir());
        QCOMPARE(QString::fromStdString(p.m_strSpectrumFile),
                 programDir + QDir::separator() + QStringLiteral("NSLS-BM.spct"));
        QVERIFY(p.nSpectrum() >= 2);
        QCOMPARE(app->m_strDirSpectrum, programDir);
        QCOMPARE(app->m_strDirCrystal, programDir);
        QCOMPARE(app->m_bStarted, 1);
        QVERIFY(messages.messages.empty());

        // No crystal yet: the look-up table's input check names it.
        QCOMPARE(frame->OnCommand(ID_SHOW_LUT), CommandOwner::Frame);
        QCOMPARE(messages.messages.size(), std::size_t(1));
        QCOMPARE(messages.messages[0],
                 MakeMessage("Please import a Crystal Structure.", MsgIcon::Exclamation, "Xelmor"));
    }

    void calibrationOpensOnTheFirstStartOnly() {
        MemorySettingsStore store;
        MessageRecorder messages;
        {
            DialogScript dialogs([](QDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("id1103"))->setText(QStringLiteral("95.04"));
                d.accept();
            });
            auto app = StartApp(store);
            QCOMPARE(dialogs.titles.size(), 1);
            QCOMPARE(store.ReadInt(kSettingsSection, setting::kCalibZoom, -1), 950);
            const CParameterSet& p = app->m_Params;
            QCOMPARE(p.m_nCalibZoom, 950);
            QCOMPARE(p.m_bZoomCalibrated, 1);
            QCOMPARE(p.m_CalibFactor, 1000.0 / 950);
            // The view took the new scale over.
            QCOMPARE(app->MainFrame()->View()->m_Scale, ViewScale(p.m_nZoom, 1000.0 / 950));
            app->MainFrame()->close();
        }
        DialogScript dialogs([](QDialog& d) { d.reject(); });
        auto app = StartApp(store);
        QVERIFY(dialogs.titles.isEmpty());
        QCOMPARE(app->m_Params.m_nCalibZoom, 950);
        QCOMPARE(app->m_Params.m_CalibFactor, 1000.0 / 950);

        // Asked for again from the menu, the dialog says so and shows the stored length.
        QString status, length;
        dialogs.fill = [&](QDialog& d) {
            status = d.findChild<QLabel*>(QStringLiteral("id1104"))->text();
            length = d.findChild<QLineEdit*>(QStringLiteral("id1103"))->text();
            d.reject();
        };
        app->MainFrame()->OnCommand(ID_CALIB_ZOOM);
        QCOMPARE(status,
                 QStringLiteral("You already calibrated the zoom, but you may re-check it."));
        QCOMPARE(length, QStringLiteral("95"));
        QCOMPARE(store.ReadInt(kSettingsSection, setting::kCalibZoom, -1), 950);
        QVERIFY(messages.messages.empty());
    }

    void documentNamedOnTheCommandLine() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("silicon.ptn"));
        {
            CParameterSet p;
            SetUpSilicon(p);
            p.m_Wavelength = {0.3, 0.5, 1.0, 2.0};
            p.m_Intensity = {1, 1, 1, 1};
            QVERIFY(!SavePatternDocument(path.toStdString(), p));
        }
        MemorySettingsStore store;
        MarkCalibrated(store);
        MessageRecorder messages;
        auto app = StartApp(store, BuiltProgramDir(), {path});
        QVERIFY(app);
        QCOMPARE(app->MainFrame()->windowTitle(), QStringLiteral("silicon.ptn - Xelmorscope"));
        QVERIFY(!app->Document()->Spots().empty());
        QCOMPARE(app->m_Params.m_nZoom, 100);
        QVERIFY(app->MainFrame()->IsEnabled(ID_FILE_SAVE));
        QVERIFY(messages.messages.empty());

        // A document that cannot be opened ends the start-up after saying so.
        const QString missing = dir.filePath(QStringLiteral("gone.ptn"));
        QVERIFY(!StartApp(store, BuiltProgramDir(), {missing}));
        QCOMPARE(messages.messages.size(), std::size_t(1));
        QCOMPARE(messages.messages[0],
                 MakeMessage(("Failed to open " + missing + "!").toStdString(), MsgIcon::Stop,
                             "Xelmor"));
    }

    // Each case closes the window in a state and checks what is stored; the store held an
    // earlier placement before.
    void exitWritesThePlacement_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("max");
        QTest::addColumn<QRect>("stored");
        QTest::newRow("normal") << "normal" << 0 << QRect(150, 160, 720, 520);
        QTest::newRow("maximised keeps the last normal rectangle")
            << "maximised" << 1 << QRect(111, 122, 633, 444);
        QTest::newRow("minimised stores the restored rectangle")
            << "minimised" << 0 << QRect(150, 160, 720, 520);
    }
    void exitWritesThePlacement() {
        QFETCH(QString, state);
        QFETCH(int, max);
        QFETCH(QRect, stored);
        MemorySettingsStore store;
        MarkCalibrated(store);
        StorePlacement(store, 0, QRect(111, 122, 633, 444));
        auto app = StartApp(store);
        CMainFrame* frame = app->MainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        // The user moves the window and drags its frame larger.
        frame->move(150, 160);
        frame->resize(frame->size() + QSize(87, 76));
        if (state == QLatin1String("maximised")) {
            frame->showMaximized();
            QVERIFY(frame->isMaximized());
        }
        if (state == QLatin1String("minimised")) {
            frame->showMinimized();
            QVERIFY(frame->isMinimized());
        }
        app->m_Params.m_D = 623.5;
        app->m_Params.m_TransOrBack = 1;
        app->m_Params.m_FontHeightBmp = 28;
        frame->close();

        QVERIFY(!frame->isMinimized());
        QCOMPARE(StoredInt(store, setting::kMainFrmMax), max);
        QCOMPARE(StoredPlacement(store), stored);
        const QString programDir = QDir::toNativeSeparators(BuiltProgramDir());
        QCOMPARE(Stored(store, setting::kDirSpectrum), programDir);
        QCOMPARE(Stored(store, setting::kDirCrystal), programDir);
        QCOMPARE(StoredInt(store, setting::kTransOrBack), 1);
        QCOMPARE(Stored(store, setting::kD), QStringLiteral("623.5"));
        QCOMPARE(StoredInt(store, setting::kFontNoBmp), 0);
        QCOMPARE(StoredInt(store, setting::kFontHeightBmp), 28);
        QCOMPARE(StoredInt(store, setting::kFontXoffsetBmp), -10);
        QCOMPARE(StoredInt(store, setting::kFontYoffsetBmp), 0);
    }

    void aMaximisedExitStartsMaximised() {
        MemorySettingsStore store;
        MarkCalibrated(store);
        StorePlacement(store, 1, QRect(111, 122, 633, 444));
        auto app = StartApp(store);
        QVERIFY(app->MainFrame()->isMaximized());
    }

    void placementRoundTrips() {
        MemorySettingsStore store;
        MarkCalibrated(store);
        const QRect outer(100, 120, 640, 480);
        StorePlacement(store, 0, outer);
        for (int run = 0; run < 2; ++run) {
            auto app = StartApp(store);
            CMainFrame* frame = app->MainFrame();
            QVERIFY(QTest::qWaitForWindowExposed(frame));
            QCOMPARE(frame->frameGeometry(), outer);
            frame->close();
            QCOMPARE(StoredPlacement(store), outer);
        }
    }
};

QTEST_MAIN(AppStartupTest)
#include "app_startup_test.moc"
