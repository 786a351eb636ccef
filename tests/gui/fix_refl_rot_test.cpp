// Turning the crystal about a reflection fixed at a marked point, AutoRotate, the spot-size
// buttons and the messages of the rotation dialog; the orientation in lab coordinates with
// Set Abs. Orientation and Copy.
#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

#include "structfile/number_format.h"
#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "tests/gui/view_points.h"
#include "xelmor/tools/dlg_fix_refl_rot.h"
#include "xelmor/tools/dlg_frr_perpend.h"
#include "xelmor/tools/lab_orientations.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

constexpr double kOnSpot = 0.1; // 0.1 mm units: 0.01 mm

QLineEdit* EditOf(QWidget& w, int id) {
    return Child<QLineEdit>(w, id);
}
QPushButton* ButtonOf(QWidget& w, int id) {
    return Child<QPushButton>(w, id);
}
QComboBox* ComboOf(QWidget& w, int id) {
    return Child<QComboBox>(w, id);
}

void SetG(QDialog& d, const char* h, const char* k, const char* l) {
    EditOf(d, 1201)->setText(QString::fromLatin1(h));
    EditOf(d, 1202)->setText(QString::fromLatin1(k));
    EditOf(d, 1203)->setText(QString::fromLatin1(l));
}

void Rotate(QDialog& d, const QString& angle) {
    EditOf(d, 1031)->setText(angle);
    ButtonOf(d, 1)->click();
}

// Marks the Major spot at a film point (0.1 mm) as a right click there does.
void Mark(StartedApp& s, double x, double y) {
    s.Params().m_bMajorSpot = 1;
    s.Params().m_MajorX = x;
    s.Params().m_MajorY = y;
}

// The rotation dialog, run from the view's command, with `script` acting while it is open.
void RunRotation(StartedApp& s, const std::function<void(CDlgFixReflRot&)>& script) {
    s.dialogs.fill = [&](QDialog& d) {
        if (auto* rot = qobject_cast<CDlgFixReflRot*>(&d))
            script(*rot);
    };
    s.frame->OnCommand(ID_SET_REFL_TO_POINT);
    s.dialogs.fill = [](QDialog& d) { d.reject(); };
}

std::vector<std::array<double, 2>> Positions(const std::vector<CDot>& spots) {
    std::vector<std::array<double, 2>> out;
    for (const CDot& d : spots)
        out.push_back({d.x, d.y});
    return out;
}

} // namespace

class FixReflRotTest : public QObject {
    Q_OBJECT
private slots:
    void turningAboutGKeepsItsSpot() {
        StartedApp s;
        s.Simulate();
        // Start from an arbitrary orientation.
        s.Params().m_Rot1 = 7, s.Params().m_Rot2 = -4, s.Params().m_Rot3 = 11;
        s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        const CDot fixed = s.doc->Spots()[2];
        Mark(s, fixed.x, fixed.y);
        const QByteArray g[3] = {QByteArray::number(fixed.h), QByteArray::number(fixed.k),
                                 QByteArray::number(fixed.l)};
        std::vector<std::vector<std::array<double, 2>>> patterns;
        RunRotation(s, [&](CDlgFixReflRot& d) {
            QCOMPARE(s.Params().m_bFixReflOpen, 1);
            QCOMPARE(d.Triad().status, TriadStatus::Ok);
            SetG(d, g[0].constData(), g[1].constData(), g[2].constData());
            for (const char* angle : {"0", "30", "75.5", "200", "-140"}) {
                Rotate(d, QString::fromLatin1(angle));
                const int i = FindSpot(s.doc->Spots(), fixed.h, fixed.k, fixed.l);
                QVERIFY2(i >= 0, angle);
                const CDot& now = s.doc->Spots()[static_cast<std::size_t>(i)];
                QVERIFY2(std::fabs(now.x - fixed.x) < kOnSpot, angle);
                QVERIFY2(std::fabs(now.y - fixed.y) < kOnSpot, angle);
                patterns.push_back(Positions(s.doc->Spots()));
                // The marker stays while the dialog is open; the panel's angles are 0.
                QCOMPARE(s.Params().m_bMajorSpot, 1);
                QCOMPARE(EditOf(*s.bar, 1075)->text(), QStringLiteral("0"));
                QCOMPARE(s.Params().m_Rot1, 0.0);
            }
            d.reject();
        });
        QCOMPARE(s.Params().m_bFixReflOpen, 0);
        for (std::size_t i = 1; i < patterns.size(); ++i)
            QVERIFY(patterns[i] != patterns[i - 1]);
        QVERIFY(s.messages.messages.empty());
        // The next opening starts from the stored values.
        RunRotation(s, [&](CDlgFixReflRot& d) {
            QCOMPARE(EditOf(d, 1201)->text(), QString::fromLatin1(g[0]));
            QCOMPARE(EditOf(d, 1031)->text(), QStringLiteral("-140"));
            d.reject();
        });
    }

    void updateReadsCorrectsAndWraps() {
        StartedApp s;
        s.Simulate();
        const CDot spot = s.doc->Spots()[0];
        Mark(s, spot.x, spot.y);
        s.Params().m_Ph = 1, s.Params().m_Pk = 0, s.Params().m_Pl = 0;
        RunRotation(s, [&](CDlgFixReflRot& d) {
            SetG(d, "1", "1", "1");
            Rotate(d, QStringLiteral("370"));
            // (1 0 0) is corrected to the perpendicular (1 -1 0) and stored.
            QCOMPARE(s.Params().m_Ph, 1.0);
            QCOMPARE(s.Params().m_Pk, -1.0);
            QCOMPARE(s.Params().m_Pl, 0.0);
            QCOMPARE(EditOf(d, 1031)->text(), QStringLiteral("10"));
            QCOMPARE(s.Params().m_RotAroundG, 10.0);
            Rotate(d, QStringLiteral("-365"));
            QCOMPARE(EditOf(d, 1031)->text(), QStringLiteral("-5"));
            Rotate(d, QStringLiteral("725"));
            QCOMPARE(EditOf(d, 1031)->text(), QStringLiteral("365"));

            // All zero is refused before anything is stored.
            SetG(d, "0", "0.0", "x");
            Rotate(d, QStringLiteral("20"));
            QCOMPARE(s.messages.Texts(), QStringList{"h k l must not be all zero!"});
            QCOMPARE(d.focusWidget(), EditOf(d, 1201));
            QCOMPARE(EditOf(d, 1203)->text(), QStringLiteral("0"));
            QCOMPARE(s.Params().m_Gh, 1.0);
            QCOMPARE(s.Params().m_RotAroundG, 365.0);
            d.reject();
        });
    }

    void theMarkedPointDecidesTheTriad() {
        struct Case {
            int transOrBack;
            const char* message;
            TriadStatus status;
        } const cases[] = {
            {0,
             "The point (0,0) you selected corresponds to the exact forward direction, not "
             "allowed! Please select another point.",
             TriadStatus::Forward},
            {1, "Exact Back Reflection", TriadStatus::ExactBack},
        };
        for (const Case& c : cases) {
            StartedApp s;
            s.Simulate();
            s.Params().m_TransOrBack = c.transOrBack;
            s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
            QVERIFY(!s.doc->Spots().empty());
            Mark(s, 0, 0);
            RunRotation(s, [&](CDlgFixReflRot& d) {
                QCOMPARE(d.Triad().status, c.status);
                QCOMPARE(s.messages.Texts(), QStringList{QString::fromLatin1(c.message)});
                s.messages.Clear();
                SetG(d, "1", "1", "1");
                Rotate(d, QStringLiteral("45"));
                d.reject();
            });
            if (c.status == TriadStatus::Forward) {
                // Without a diffraction vector, Update is refused with the same message.
                QCOMPARE(s.messages.Texts(), QStringList{QString::fromLatin1(c.message)});
            } else {
                // G = (1 1 1) now points straight back to the source: it is the surface plane.
                QVERIFY(s.messages.messages.empty());
                QVERIFY(std::fabs(s.Params().m_H - 1) < 1e-9);
                QVERIFY(std::fabs(s.Params().m_K - 1) < 1e-9);
                QVERIFY(std::fabs(s.Params().m_L - 1) < 1e-9);
            }
        }
    }

    void autoRotateStepsOnATimer() {
        StartedApp s;
        s.Simulate();
        const CDot spot = s.doc->Spots()[1];
        Mark(s, spot.x, spot.y);
        RunRotation(s, [&](CDlgFixReflRot& d) {
            SetG(d, QByteArray::number(spot.h).constData(), QByteArray::number(spot.k).constData(),
                 QByteArray::number(spot.l).constData());
            EditOf(d, 1031)->setText(QStringLiteral("0"));
            ComboOf(d, 1223)->setEditText(QStringLiteral("0"));
            ComboOf(d, 1073)->setEditText(QStringLiteral("0"));
            QPushButton* autoButton = ButtonOf(d, 1222);
            autoButton->click();
            QVERIFY(d.IsAutoRotating());
            QCOMPARE(autoButton->text(), QStringLiteral("Stop"));
            QVERIFY(!ButtonOf(d, 1)->isEnabled());
            QVERIFY(!ButtonOf(d, 1219)->isEnabled());
            QVERIFY(!ButtonOf(d, 1220)->isEnabled());
            QTRY_VERIFY(ParseDouble(EditOf(d, 1031)->text().toStdString()) >= 0.03);
            // A step of 0 runs with 0.01 degrees, an interval of 0 with 0.001 s.
            QCOMPARE(ComboOf(d, 1223)->currentText(), QStringLiteral("0.01"));
            QCOMPARE(ComboOf(d, 1073)->currentText(), QStringLiteral("0.001"));
            QCOMPARE(s.Params().m_AutoStep, 0.01);
            QCOMPARE(d.AutoRotateIntervalMs(), 1);
            // A negative step below the limit turns the other way at 0.01 degrees.
            ComboOf(d, 1223)->setEditText(QStringLiteral("-0.005"));
            QTRY_COMPARE(ComboOf(d, 1223)->currentText(), QStringLiteral("-0.01"));
            autoButton->click();
            QVERIFY(!d.IsAutoRotating());
            QCOMPARE(autoButton->text(), QStringLiteral("AutoRotate"));
            QVERIFY(ButtonOf(d, 1)->isEnabled());
            const QString stopped = EditOf(d, 1031)->text();
            QTest::qWait(30);
            QCOMPARE(EditOf(d, 1031)->text(), stopped);
            // The fixed spot has stayed put through the run.
            const int i = FindSpot(s.doc->Spots(), spot.h, spot.k, spot.l);
            QVERIFY(i >= 0);
            QVERIFY(std::fabs(s.doc->Spots()[static_cast<std::size_t>(i)].x - spot.x) < kOnSpot);
            // Closing while it runs stops it.
            autoButton->click();
            d.reject();
            QVERIFY(!d.IsAutoRotating());
        });
        QCOMPARE(s.Params().m_bFixReflOpen, 0);
        const QString angle = QString::number(s.Params().m_RotAroundG);
        QTest::qWait(30);
        QCOMPARE(QString::number(s.Params().m_RotAroundG), angle);
    }

    void spotSizeButtonsAndThePerpendicularDialog() {
        StartedApp s;
        s.Simulate();
        const CDot spot = s.doc->Spots()[0];
        Mark(s, spot.x, spot.y);
        s.Params().m_SpotWidth = s.Params().m_SpotHeight = 30;
        RunRotation(s, [&](CDlgFixReflRot& d) {
            QList<double> down, up;
            for (int i = 0; i < 7; ++i) {
                ButtonOf(d, 1079)->click();
                down << s.Params().m_SpotWidth;
            }
            for (int i = 0; i < 6; ++i) {
                ButtonOf(d, 1071)->click();
                up << s.Params().m_SpotWidth;
            }
            QCOMPARE(down, (QList<double>{20, 15, 10, 5, 1, 0.1, 0.1}));
            QCOMPARE(up, (QList<double>{1, 5, 10, 15, 20, 30}));
            QCOMPARE(s.Params().m_SpotHeight, 30.0);

            // "..." edits the reference direction; OK stores it, Cancel (the default) keeps it.
            for (const bool accept : {false, true}) {
                s.dialogs.fill = [accept](QDialog& p) {
                    QCOMPARE(p.windowTitle(), QStringLiteral("Perpendicular Orientation"));
                    QCOMPARE(EditOf(p, 1204)->text(), QStringLiteral("1"));
                    EditOf(p, 1205)->setText(QStringLiteral("2.5"));
                    accept ? p.accept() : p.reject();
                };
                ButtonOf(d, 1224)->click();
                QCOMPARE(s.Params().m_Pk, accept ? 2.5 : 0.0);
                s.Params().m_Pk = accept ? 2.5 : 0.0;
            }
            d.reject();
        });
    }

    void rotateGHelpFromThePanel() {
        StartedApp s;
        ButtonOf(*s.bar, 1086)->click();
        QCOMPARE(s.dialogs.titles,
                 QStringList{"Rotate crystal around a selected diffraction vector G"});
    }

    void labOrientationOfTheStartOrientation() {
        StartedApp s;
        s.Simulate();
        s.dialogs.fill = [&](QDialog& d) {
            auto* lab = qobject_cast<CLabOrientations*>(&d);
            QVERIFY(lab);
            QCOMPARE(d.windowTitle(),
                     QStringLiteral("Current Crystal Orientation in fixed Lab Coordinate System"));
            const double want[3][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    QVERIFY(std::fabs(ParseDouble(lab->PlaneEdit(r, c)->text().toStdString()) -
                                      want[r][c]) < 1e-12);
            QVERIFY(lab->Explanation()->toPlainText().startsWith(
                QStringLiteral("Current Absolute Crystal Orientation")));
            ButtonOf(d, 1255)->click();
            QCOMPARE(QGuiApplication::clipboard()->text(),
                     QString::fromStdString(LabPlanesText(lab->Planes())));
            d.accept();
        };
        s.frame->OnCommand(ID_LAB_ORIENTATION);
        QCOMPARE(s.dialogs.titles.size(), 1);
        QVERIFY(s.messages.messages.empty());
    }

    void setAbsOrientationKeepsThePattern() {
        StartedApp s;
        s.Simulate();
        for (const auto& [id, text] : {std::pair{1075, "12.5"}, {1076, "-7"}, {1083, "33"}})
            EditOf(*s.bar, id)->setText(QString::fromLatin1(text));
        s.bar->OnUpdateBar();
        const std::vector<CDot> before = s.doc->Spots();
        s.dialogs.fill = [&](QDialog& d) {
            ButtonOf(d, 1165)->click();
            QVERIFY(d.isVisible()); // the dialog stays open
            d.accept();
        };
        s.frame->OnCommand(ID_LAB_ORIENTATION);
        for (const int id : {1075, 1076, 1083})
            QCOMPARE(EditOf(*s.bar, id)->text(), QStringLiteral("0"));
        QCOMPARE(s.Params().m_Rot1, 0.0);
        const std::vector<CDot>& after = s.doc->Spots();
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            QVERIFY(after[i].h == before[i].h && after[i].k == before[i].k &&
                    after[i].l == before[i].l);
            QVERIFY(std::fabs(after[i].x - before[i].x) < 1e-6);
            QVERIFY(std::fabs(after[i].y - before[i].y) < 1e-6);
        }
    }
};

QTEST_MAIN(FixReflRotTest)
#include "fix_refl_rot_test.moc"
