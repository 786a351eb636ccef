// The zoom calibration dialog: the length check of OK with its prompts, and what an accepted
// length becomes in the parameter set and the settings.
#include <QtTest>

#include <QLineEdit>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/dialogs/dlg_calib_zoom.h"

using namespace xelmor;
using namespace xelmor::test;

class FrameCalibZoomTest : public QObject {
    Q_OBJECT
private slots:
    void okChecksTheLength_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("prompt"); // empty: accepted
        QTest::addColumn<int>("stored");
        const QString range = QStringLiteral("Enter a number between 1 and 1e+06.");
        const QString number = QStringLiteral("Enter a number.");
        QTest::newRow("measured") << "95.04"
                                  << "" << 950;
        QTest::newRow("rounded half up") << "95.05"
                                         << "" << 951;
        QTest::newRow("blanks and sign") << " +100 "
                                         << "" << 1000;
        QTest::newRow("lowest") << "1"
                                << "" << 10;
        QTest::newRow("highest") << "1000000"
                                 << "" << 10000000;
        QTest::newRow("below") << "0.99" << range << -1;
        QTest::newRow("above") << "1000001" << range << -1;
        QTest::newRow("negative") << "-100" << range << -1;
        QTest::newRow("empty") << "" << number << -1;
        QTest::newRow("text after the number") << "100mm" << number << -1;
        QTest::newRow("no number") << "abc" << number << -1;
    }
    void okChecksTheLength() {
        QFETCH(QString, typed);
        QFETCH(QString, prompt);
        QFETCH(int, stored);
        MemorySettingsStore store;
        MarkCalibrated(store, 1000);
        MessageRecorder messages;
        bool stayedOpen = false;
        DialogScript dialogs([&](QDialog& d) {
            auto* edit = d.findChild<QLineEdit*>(QStringLiteral("id1103"));
            QCOMPARE(edit->text(), QStringLiteral("100"));
            edit->setText(typed);
            d.accept();
            stayedOpen = d.isVisible();
            if (stayedOpen)
                d.reject();
        });
        auto app = StartApp(store);
        app->MainFrame()->OnCommand(ID_CALIB_ZOOM);

        QCOMPARE(dialogs.titles, QStringList{QStringLiteral("Calibrate Zoom of Screen")});
        QCOMPARE(stayedOpen, !prompt.isEmpty());
        if (prompt.isEmpty()) {
            QVERIFY(messages.messages.empty());
            QCOMPARE(store.ReadInt(kSettingsSection, setting::kCalibZoom, -1), stored);
            QCOMPARE(app->m_Params.m_nCalibZoom, stored);
            QCOMPARE(app->m_Params.m_CalibFactor, 1000.0 / stored);
        } else {
            QCOMPARE(messages.messages.size(), std::size_t(1));
            QCOMPARE(messages.messages[0],
                     MakeMessage(prompt.toStdString(), MsgIcon::Exclamation, "Xelmor"));
            QCOMPARE(store.ReadInt(kSettingsSection, setting::kCalibZoom, -1), 1000);
            QCOMPARE(app->m_Params.m_CalibFactor, 1.0);
        }
    }

    void theDialogShowsTheStoredLengthInMillimetres() {
        MessageRecorder messages;
        CDlgCalibZoom dialog({95.5, true});
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("id1103"))->text(),
                 QStringLiteral("95.5"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Calibrate Zoom of Screen"));
    }
};

QTEST_MAIN(FrameCalibZoomTest)
#include "frame_calib_zoom_test.moc"
