// The QSettings-backed store keeps values between processes and answers defaults when missing.
#include <QtTest>

#include "xelmor/app/qsettings_store.h"
#include "xelmor/files/settings_values.h"

using namespace xelmor;

class QSettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void missingValuesGiveDefaults() {
        CQSettingsStore store;
        QCOMPARE(store.ReadInt("Settings", "CalibZoom", -1), -1);
        QCOMPARE(QString::fromStdString(store.ReadString("Settings", "m_D", "")), QString());
        const DocumentDefaults d = ReadDocumentDefaults(store);
        QCOMPARE(d.D, 500.0);
        QCOMPARE(d.filmWidth, 2000.0);
    }

    void valuesSurviveANewStoreObject() {
        {
            CQSettingsStore store;
            store.WriteInt("Settings", "TransOrBack", 1);
            store.WriteString("Settings", "m_D", "623.5");
            store.WriteString("Settings", "DirCrystal", "/home/ü/crystals");
            store.Flush();
        }
        CQSettingsStore again;
        QCOMPARE(again.ReadInt("Settings", "TransOrBack", 0), 1);
        QCOMPARE(ReadDocumentDefaults(again).D, 623.5);
        QCOMPARE(QString::fromStdString(again.ReadString("Settings", "DirCrystal", "")),
                 QStringLiteral("/home/ü/crystals"));
    }

    void textThatIsNoNumberReadsAsTheDefaultInteger() {
        CQSettingsStore store;
        store.WriteString("Settings", "RotCrystSeq", "three");
        QCOMPARE(store.ReadInt("Settings", "RotCrystSeq", 0), 0);
    }
};

QTEST_GUILESS_MAIN(QSettingsStoreTest)
#include "qsettings_store_test.moc"
