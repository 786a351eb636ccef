// The size dialog of the view's film-size and spot-size commands: its two modes, the limits
// and their message, and "Set as Default".
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "xelmor/dialogs/dlg_film_size.h"
#include "xelmor/files/settings.h"
#include "xelmor/files/settings_values.h"

using namespace xelmor;

namespace {

// The caller's values: film mode gets 20 .. 5000 mm handed in, the spot mode ignores them.
SizeDialogValues Values(bool spotMode, double width = 200, double height = 150) {
    SizeDialogValues v;
    v.spotMode = spotMode;
    v.upper = 5000;
    v.lower = 20;
    v.width = width;
    v.height = height;
    return v;
}

QLineEdit* Edit(QDialog& d, const char* id) {
    return d.findChild<QLineEdit*>(QLatin1String(id));
}

QPushButton* Button(QDialog& d, const char* id) {
    return d.findChild<QPushButton*>(QLatin1String(id));
}

// The label whose buddy is `edit`.
QString LabelOf(QDialog& d, QWidget* edit) {
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == edit)
            return l->text();
    return QString();
}

// Shows the dialog, types the two values and presses `button`.
void TypeAndPress(CDlgFilmSize& d, const QString& width, const QString& height,
                  const char* button) {
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    Edit(d, "id1152")->setText(width);
    Edit(d, "id1113")->setText(height);
    QTest::mouseClick(Button(d, button), Qt::LeftButton);
}

QString Stored(const MemorySettingsStore& store, std::string_view name) {
    return QString::fromStdString(store.ReadString(kSettingsSection, name, "missing"));
}

} // namespace

class ViewSizeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void modes_data() {
        QTest::addColumn<bool>("spotMode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("widthLabel");
        QTest::addColumn<QString>("heightLabel");
        QTest::newRow("detector") << false << "CCD/Film Size"
                                  << "Width (X):"
                                  << "Height (Y):";
        QTest::newRow("spots") << true << "Diffraction Spot Size"
                               << "Spot Width:"
                               << "Spot Height:";
    }
    void modes() {
        QFETCH(bool, spotMode);
        QFETCH(QString, title);
        QFETCH(QString, widthLabel);
        QFETCH(QString, heightLabel);
        CDlgFilmSize d(Values(spotMode, 123.456789012, 150), nullptr);
        QCOMPARE(d.windowTitle(), title);
        QCOMPARE(LabelOf(d, Edit(d, "id1152")), widthLabel);
        QCOMPARE(LabelOf(d, Edit(d, "id1113")), heightLabel);
        QCOMPARE(Edit(d, "id1152")->text(), QStringLiteral("123.45678901"));
        QCOMPARE(Edit(d, "id1113")->text(), QStringLiteral("150"));
        QCOMPARE(d.findChild<QWidget*>(QStringLiteral("spotWidthPicture")) != nullptr, spotMode);
        QCOMPARE(d.findChild<QWidget*>(QStringLiteral("spotHeightPicture")) != nullptr, spotMode);
        QCOMPARE(Button(d, "id1157")->text(), QStringLiteral("Set as Default"));
    }

    void validation_data() {
        QTest::addColumn<bool>("spotMode");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message"); // empty: accepted with the two values below
        QTest::addColumn<QString>("focus");
        QTest::addColumn<double>("readWidth");
        QTest::addColumn<double>("readHeight");
        const QString spot = QStringLiteral("Enter a number between 0.01 and 20.");
        const QString film = QStringLiteral("Enter a number between 20 and 5000.");
        QTest::newRow("spot width 0.005") << true << "0.005"
                                          << "1" << spot << "id1152" << 0.0 << 0.0;
        QTest::newRow("spot height above 20") << true << "1"
                                              << "20.001" << spot << "id1113" << 0.0 << 0.0;
        QTest::newRow("both wrong: the width first") << true << "30"
                                                     << "0" << spot << "id1152" << 0.0 << 0.0;
        QTest::newRow("spot limits") << true << "0.01"
                                     << "20"
                                     << ""
                                     << "" << 0.01 << 20.0;
        QTest::newRow("detector width 10") << false << "10"
                                           << "150" << film << "id1152" << 0.0 << 0.0;
        QTest::newRow("detector height above 5000") << false << "200"
                                                    << "5000.5" << film << "id1113" << 0.0 << 0.0;
        QTest::newRow("no number") << false << "wide"
                                   << "150" << film << "id1152" << 0.0 << 0.0;
        QTest::newRow("detector limits") << false << "20"
                                         << "5000"
                                         << ""
                                         << "" << 20.0 << 5000.0;
        QTest::newRow("trailing text as atof reads it") << false << " 250mm"
                                                        << "1.5e2"
                                                        << ""
                                                        << "" << 250.0 << 150.0;
    }
    void validation() {
        QFETCH(bool, spotMode);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(double, readWidth);
        QFETCH(double, readHeight);
        test::MessageRecorder messages;
        CDlgFilmSize d(Values(spotMode), nullptr);
        TypeAndPress(d, width, height, "id1");
        if (message.isEmpty()) {
            QVERIFY(messages.messages.empty());
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(d.Values().width, readWidth);
            QCOMPARE(d.Values().height, readHeight);
            return;
        }
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::None);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void setAsDefault_data() {
        QTest::addColumn<bool>("spotMode");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("widthName");
        QTest::addColumn<QString>("heightName");
        QTest::addColumn<QString>("storedWidth");
        QTest::addColumn<QString>("storedHeight");
        QTest::newRow("detector") << false << "400"
                                  << "300.5"
                                  << "FilmWidth"
                                  << "FilmHeight"
                                  << "4000"
                                  << "3005";
        QTest::newRow("spots") << true << "2.5"
                               << "0.05"
                               << "SpotWidth"
                               << "SpotHeight"
                               << "25"
                               << "0.5";
    }
    void setAsDefault() {
        QFETCH(bool, spotMode);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, widthName);
        QFETCH(QString, heightName);
        QFETCH(QString, storedWidth);
        QFETCH(QString, storedHeight);
        test::MessageRecorder messages;
        MemorySettingsStore store;
        CDlgFilmSize d(Values(spotMode), &store);
        TypeAndPress(d, width, height, "id1157");
        QVERIFY(messages.messages.empty());
        QCOMPARE(store.Size(), std::size_t{2});
        QCOMPARE(Stored(store, widthName.toStdString()), storedWidth);
        QCOMPARE(Stored(store, heightName.toStdString()), storedHeight);
        QVERIFY(d.isVisible()); // the dialog stays open
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void setAsDefaultStoresOnlyValidatedValues() {
        test::MessageRecorder messages;
        MemorySettingsStore store;
        CDlgFilmSize d(Values(false), &store);
        TypeAndPress(d, QStringLiteral("400"), QStringLiteral("6000"), "id1157");
        QCOMPARE(messages.Texts(), QStringList({QStringLiteral("Enter a number between 20 and "
                                                               "5000.")}));
        QCOMPARE(store.Size(), std::size_t{0});
    }

    void cancelKeepsTheValuesHandedIn() {
        CDlgFilmSize d(Values(false), nullptr);
        TypeAndPress(d, QStringLiteral("400"), QStringLiteral("300"), "id2");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.Values(), Values(false));
    }
};

QTEST_MAIN(ViewSizeDialogTest)
#include "view_size_dialog_test.moc"
