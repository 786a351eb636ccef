// The control panel in the running program: a typed angle and Enter recompute the pattern and
// show its spot count, the run's levels come back into the boxes (and are corrected once the
// pattern is normalised), and a new pattern writes its start values into the controls and
// empties the selected-spot boxes.
#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/simulation.h"
#include "xelmor/panel/full_control_bar.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

struct Started : StartedApp {
    using StartedApp::StartedApp;
    QString Text(int id) const {
        const QString name = QStringLiteral("id%1").arg(id);
        if (auto* c = bar->findChild<QComboBox*>(name))
            return c->currentText();
        if (auto* l = bar->findChild<QLabel*>(name))
            return l->text();
        return bar->findChild<QLineEdit*>(name)->text();
    }
    void SetText(int id, const QString& text) const {
        const QString name = QStringLiteral("id%1").arg(id);
        if (auto* c = bar->findChild<QComboBox*>(name))
            c->setEditText(text);
        else
            bar->findChild<QLineEdit*>(name)->setText(text);
    }
    // Types `text` into a control and presses Enter.
    void Type(int id, const QString& text) const {
        SetText(id, text);
        const QString name = QStringLiteral("id%1").arg(id);
        QWidget* target = bar->findChild<QComboBox*>(name)
                              ? bar->findChild<QComboBox*>(name)->lineEdit()
                              : bar->findChild<QWidget*>(name);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    }
    QString SpotCount() const {
        return QString::fromStdString(
            SpotCountText(static_cast<int>(app->Document()->Spots().size())));
    }
};

} // namespace

class PanelAppTest : public QObject {
    Q_OBJECT
private slots:
    void aTypedAngleRecomputesThePattern() {
        Started s;
        QVERIFY(s.messages.messages.empty());
        SetUpSilicon(s.Params());
        QSignalSpy runs(s.app->Document(), &CXelmorDoc::SpotCountChanged);

        s.Type(1075, QStringLiteral("0"));
        QCOMPARE(runs.count(), 1);
        const std::vector<CDot> upright = s.app->Document()->Spots();
        QVERIFY(!upright.empty());
        QCOMPARE(s.Text(1167), s.SpotCount());

        s.Type(1075, QStringLiteral("10"));
        QCOMPARE(runs.count(), 2);
        QCOMPARE(s.Params().m_Rot1, 10.0);
        QVERIFY(s.app->Document()->Spots() != upright);
        QCOMPARE(s.Text(1167), s.SpotCount());

        // Enter in a combo box of the docked panel runs once too.
        s.Type(1074, s.Text(1074));
        QCoreApplication::processEvents();
        QCOMPARE(runs.count(), 3);
        QVERIFY(s.messages.messages.empty());
    }

    void altFIsFindInThePanelAndTheFileMenuElsewhere() {
        Started s;
        s.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.frame));
        auto* find = s.bar->findChild<QPushButton*>(QStringLiteral("id1055"));
        QSignalSpy clicks(find, &QPushButton::clicked);
        auto* d = s.bar->findChild<QLineEdit*>(QStringLiteral("id1070"));
        d->setFocus();
        QTest::keyClick(d, Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(clicks.count(), 1);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(d->text(), QStringLiteral("50")); // the edit typed no "f"

        QWidget* view = s.frame->centralWidget();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F, Qt::AltModifier);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QCOMPARE(menu->title(), QStringLiteral("&File"));
        menu->close();
        QCOMPARE(clicks.count(), 1);
    }

    void theRunsLevelsComeBackIntoTheBoxes() {
        Started s;
        SetUpSilicon(s.Params());
        // Before the first normalisation the box is forced to 100 %.
        s.SetText(1073, QStringLiteral("40%"));
        s.bar->OnCommand(ID_UPDATE_BAR);
        QVERIFY(s.Params().m_Isat > 0);
        QCOMPARE(s.Text(1073), QStringLiteral("100%"));
        QCOMPARE(s.Text(1074), QString::fromStdString(TruncatePercentText(s.Params().m_Truncate)));

        s.Type(1073, QStringLiteral("0%"));
        QCOMPARE(s.Text(1073), QStringLiteral("0.1%"));
        QCOMPARE(s.Params().m_Saturate, 0.001);

        s.SetText(1073, QStringLiteral("50%"));
        s.Type(1074, QStringLiteral("60%"));
        QCOMPARE(s.Text(1073), QStringLiteral("50%"));
        QCOMPARE(s.Text(1074), QStringLiteral("5%"));
    }

    void aNewPatternRewritesTheControls() {
        Started s([](MemorySettingsStore& store) {
            store.WriteString(kSettingsSection, setting::kD, "623.5");
            store.WriteInt(kSettingsSection, setting::kRotCrystSeq, 3);
        });
        QCOMPARE(s.Text(1070), QStringLiteral("62.35"));
        SetUpSilicon(s.Params());
        s.Type(1075, QStringLiteral("15"));
        s.Type(1072, QStringLiteral("300"));
        s.Type(1036, QStringLiteral("-4"));
        QCOMPARE(s.Text(1167), s.SpotCount());

        // A run empties the selected-spot boxes, and so does a new pattern.
        auto* reflection = s.bar->findChild<QLineEdit*>(QStringLiteral("id1078"));
        auto* wavelength = s.bar->findChild<QLineEdit*>(QStringLiteral("id1052"));
        reflection->setText(QStringLiteral("1 1 1"));
        wavelength->setText(QStringLiteral("0.5"));
        s.Type(1075, QStringLiteral("16"));
        QCOMPARE(reflection->text(), QString());
        QCOMPARE(wavelength->text(), QString());

        reflection->setText(QStringLiteral("1 1 1"));
        wavelength->setText(QStringLiteral("0.5"));
        s.app->OnFileNew();
        QCOMPARE(reflection->text(), QString());
        QCOMPARE(wavelength->text(), QString());
        const QMap<int, QString> expected{
            {1072, "200%"},     {1070, "62.35"}, {1075, "0"},        {1076, "0"},
            {1083, "0"},        {1032, "0"},     {1036, "0"},        {1033, "0"},
            {1073, "100%"},     {1074, "1%"},    {1101, "around X"}, {1102, "around Z"},
            {1084, "around Y"}, {1167, ""}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(s.Text(it.key()), it.value());
    }
};

QTEST_MAIN(PanelAppTest)
#include "panel_app_test.moc"
