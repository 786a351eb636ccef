// The index font dialog (its Reset, the height edit that follows the face, the integer checks of
// OK, and what OK stores and rebuilds) and the two intensity help dialogs.
#include <QtTest>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/app/commands.h"
#include "xelmor/dialogs/calculator_pictures.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

// The dialog's seven values: both faces, then the heights and offsets as their edits show them.
QStringList FontDialogValues(QDialog& d) {
    QStringList out{QString::number(Child<QComboBox>(d, 1176)->currentIndex()),
                    QString::number(Child<QComboBox>(d, 1179)->currentIndex())};
    for (int id : {1177, 1178, 1115, 1116, 1113})
        out << Child(d, id)->text();
    return out;
}

// The pixels of a picture that are not white.
int InkedPixels(QWidget& picture) {
    const QImage image = picture.grab().toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++inked;
    return inked;
}

} // namespace

class FontAndHelpTest : public QObject {
    Q_OBJECT
private slots:
    void resetThenOkStoresOnlyWhatDiffers() {
        StartedApp s;
        CParameterSet& p = s.Params();
        p.m_FontNoScreen = 2; // the system font: no height to choose
        p.m_FontHeightScreen = 40;
        p.m_FontYoffsetPrint = 7;
        // As start-up made them: no label font for the system font.
        s.frame->View()->CreateIndexFonts(true, true);
        QVERIFY(!s.frame->View()->m_pScreenFont);
        QVERIFY(s.frame->View()->m_pPrintFont);
        s.messages.Clear();

        QStringList opened, reset;
        bool heightOpenedEnabled = true, heightAfterReset = false, printEnabled = true;
        s.dialogs.fill = [&](QDialog& d) {
            opened = FontDialogValues(d);
            heightOpenedEnabled = Child(d, 1177)->isEnabled();
            printEnabled = Child<QComboBox>(d, 1179)->isEnabled() || Child(d, 1178)->isEnabled() ||
                           Child(d, 1116)->isEnabled();
            Child<QPushButton>(d, 1181)->click();
            reset = FontDialogValues(d);
            heightAfterReset = Child(d, 1177)->isEnabled();
            Child<QPushButton>(d, 1)->click();
        };
        s.frame->Action(ID_INDEX_FONT)->trigger();
        QCOMPARE(s.dialogs.titles, QStringList{QStringLiteral(
                                       "Set Fonts for Spot Indices (Unit: 0.1 mm = 0.28 points)")});
        QCOMPARE(opened, (QStringList{"2", "0", "40", "32", "0", "7", "-10"}));
        QVERIFY(!heightOpenedEnabled);
        QVERIFY(!printEnabled);
        QCOMPARE(reset, (QStringList{"0", "0", "32", "32", "0", "3", "-10"}));
        QVERIFY(heightAfterReset);

        // Only the three values that differed are taken over and stored.
        QCOMPARE(p.m_FontNoScreen, 0);
        QCOMPARE(p.m_FontHeightScreen, 32);
        QCOMPARE(p.m_FontYoffsetPrint, 3);
        const auto stored = [&](std::string_view name) {
            return s.store.ReadInt(kSettingsSection, name, -12345);
        };
        QCOMPARE(stored(setting::kFontNoScreen), 0);
        QCOMPARE(stored(setting::kFontHeightScreen), 32);
        QCOMPARE(stored(setting::kFontYoffsetPrint), 3);
        for (std::string_view name : {setting::kFontNoPrint, setting::kFontHeightPrint,
                                      setting::kFontYoffsetScreen, setting::kFontXoffset})
            QCOMPARE(stored(name), -12345);
        // The screen font is rebuilt for the new face.
        QVERIFY(s.frame->View()->m_pScreenFont);
        QVERIFY(s.messages.messages.empty());
    }

    void heightFollowsTheScreenFace() {
        StartedApp s;
        QList<bool> enabled;
        s.dialogs.fill = [&](QDialog& d) {
            auto* face = Child<QComboBox>(d, 1176);
            for (int i : {2, 1, 2, 0}) {
                face->setCurrentIndex(i);
                enabled << Child(d, 1177)->isEnabled();
            }
            d.reject();
        };
        s.frame->OnCommand(ID_INDEX_FONT);
        QCOMPARE(enabled, (QList<bool>{false, true, false, true}));
    }

    void okChecksTheIntegers_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("prompt"); // empty: accepted
        const QString height = QStringLiteral("Enter an integer between 1 and 1000.");
        const QString offset = QStringLiteral("Enter an integer between -10000 and 10000.");
        const QString integer = QStringLiteral("Enter an integer.");
        QTest::newRow("height") << 1177 << "50" << QString();
        QTest::newRow("height with blanks") << 1177 << " 12 " << QString();
        QTest::newRow("height zero") << 1177 << "0" << height;
        QTest::newRow("height huge") << 1177 << "2000000000" << height;
        QTest::newRow("height real") << 1177 << "3.5" << integer;
        QTest::newRow("height empty") << 1177 << "" << integer;
        QTest::newRow("y offset negative") << 1115 << "-25" << QString();
        QTest::newRow("y offset huge") << 1115 << "10001" << offset;
        QTest::newRow("x offset text") << 1113 << "abc" << integer;
        QTest::newRow("x offset lowest") << 1113 << "-10000" << QString();
    }
    void okChecksTheIntegers() {
        QFETCH(int, edit);
        QFETCH(QString, typed);
        QFETCH(QString, prompt);
        StartedApp s;
        s.messages.Clear();
        const IndexFontValues before = IndexFontsOf(s.Params());
        bool stayedOpen = false;
        QString focused;
        s.dialogs.fill = [&](QDialog& d) {
            Child(d, edit)->setText(typed);
            Child<QPushButton>(d, 1)->click();
            stayedOpen = d.isVisible() && d.result() != QDialog::Accepted;
            if (d.focusWidget())
                focused = d.focusWidget()->objectName();
            if (stayedOpen)
                d.reject();
        };
        s.frame->OnCommand(ID_INDEX_FONT);
        QCOMPARE(stayedOpen, !prompt.isEmpty());
        if (prompt.isEmpty()) {
            QVERIFY(s.messages.messages.empty());
            QVERIFY(!(IndexFontsOf(s.Params()) == before));
        } else {
            QCOMPARE(s.messages.messages.size(), std::size_t(1));
            QCOMPARE(s.messages.messages[0],
                     MakeMessage(prompt.toStdString(), MsgIcon::Exclamation, "Xelmor"));
            QCOMPARE(focused, QStringLiteral("id%1").arg(edit));
            QVERIFY(IndexFontsOf(s.Params()) == before);
        }
    }

    void intensityHelpFromThePanelAndTheEquationFromTheMenu() {
        StartedApp s;
        int barInk = 0, equationInk = 0;
        s.dialogs.fill = [&](QDialog& d) {
            if (auto* bar = d.findChild<CIntensityBarPicture*>())
                barInk = InkedPixels(*bar);
            if (auto* equation = d.findChild<CEquationPicture*>())
                equationInk = InkedPixels(*equation);
            d.accept();
        };
        Child<QPushButton>(*s.bar, 1067)->click();
        s.frame->Action(ID_INTENSITY_MODEL)->trigger();
        QCOMPARE(s.dialogs.titles, (QStringList{QStringLiteral("Help for Adjusting Intensity"),
                                                QStringLiteral("Intensity Calculation Equation")}));
        // Both pictures are drawn.
        QVERIFY(barInk > 1000);
        QVERIFY(equationInk > 1000);
        // Neither changes the parameter set or starts a run.
        QVERIFY(s.doc->Spots().empty());
    }
};

QTEST_MAIN(FontAndHelpTest)
#include "font_and_help_test.moc"
