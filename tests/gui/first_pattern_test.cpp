// A first pattern made as a user makes it: the default spectrum is loaded at start-up, the
// Crystal button imports a structure file and leads straight into the geometry dialog, and OK
// there shows the pattern; a second visit to Geometry with a horizontal direction that is not
// perpendicular takes the proposed one.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/xelmor_app.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/files/settings.h"
#include "xelmor/panel/full_control_bar.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

QPushButton* Button(QWidget* w, const char* id) {
    return w->findChild<QPushButton*>(QString::fromLatin1(id));
}

void SetEdit(QWidget& w, const char* id, const QString& text) {
    auto* edit = w.findChild<QLineEdit*>(QString::fromLatin1(id));
    QVERIFY2(edit, id);
    edit->setText(text);
}

} // namespace

class FirstPatternTest : public QObject {
    Q_OBJECT
private slots:
    void crystalThenGeometryMakesThePattern() {
        MemorySettingsStore store;
        MarkCalibrated(store);
        MessageRecorder messages;
        messages.fallback = MsgAnswer::Yes; // accept the proposed horizontal direction
        FileScript files;
        files.paths.push_back(BuiltProgramDir() + QStringLiteral("/Silicon.struct"));
        QStringList seen;
        DialogScript dialogs([&](QDialog& d) {
            seen << d.objectName();
            if (d.objectName() == QLatin1String("id316") && seen.count(d.objectName()) == 2) {
                // Second visit: (h k l) = (1 1 1) against (0 0 1) is corrected to (1 1 0).
                SetEdit(d, "id1115", QStringLiteral("1"));
                SetEdit(d, "id1116", QStringLiteral("1"));
                SetEdit(d, "id1124", QStringLiteral("1"));
                Button(&d, "id1")->click(); // the proposal, answered Yes
                Button(&d, "id1")->click(); // OK with the corrected values
                return;
            }
            if (auto* import = Button(&d, "id1105"))
                import->click();
            if (auto* ok = Button(&d, "id1"))
                ok->click();
        });

        auto app = StartApp(store);
        QVERIFY(app);
        CParameterSet& p = app->m_Params;
        QVERIFY(p.nSpectrum() >= 2); // the delivered default spectrum
        CFullControlBar* panel = app->MainFrame()->ControlBar();
        auto* count = panel->findChild<QLabel*>(QStringLiteral("id1167"));
        QVERIFY(count);

        Button(panel, "id1005")->click(); // Crystal, then Geometry at once
        QCOMPARE(p.nAtoms(), 8);
        QCOMPARE(p.m_bGeometrySet, 1);
        QCOMPARE(p.m_Hmax, 16); // three times a = 5.4309, rounded
        QVERIFY(!app->Document()->Spots().empty());
        QVERIFY(count->text().endsWith(QStringLiteral(" spots")));
        const QString first = count->text();

        Button(panel, "id1006")->click(); // Geometry again
        QCOMPARE(p.m_h, 1.0);
        QCOMPARE(p.m_k, 1.0);
        QCOMPARE(p.m_l, 0.0);
        QVERIFY(
            messages.Texts().join(QString()).contains(QStringLiteral("h = 1     k = 1     l = 0")));
        QVERIFY(!app->Document()->Spots().empty());
        QVERIFY(count->text().endsWith(QStringLiteral(" spots")));
        QVERIFY(count->text() != first); // another horizontal direction, another pattern
    }
};

QTEST_MAIN(FirstPatternTest)
#include "first_pattern_test.moc"
