// The diffraction geometry dialog (its checks in order, the proposed horizontal orientation),
// the rotation-sequence dialog and the film help, as the panel's buttons run them.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "xelmor/core/params.h"
#include "xelmor/dialogs/dlg_diff_set.h"
#include "xelmor/dialogs/dlg_help_cryst_rot.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/files/settings_values.h"

using namespace xelmor;

namespace {

QLineEdit* Edit(QWidget& d, const QString& id) {
    return d.findChild<QLineEdit*>(id);
}

void Press(QWidget& d, const char* id) {
    QAbstractButton* b = d.findChild<QAbstractButton*>(QLatin1String(id));
    QVERIFY2(b, id);
    // A radio button takes clicks on its indicator and text only, not on the whole row.
    const QPoint at = qobject_cast<QRadioButton*>(b) ? QPoint(6, b->height() / 2) : QPoint();
    QTest::mouseClick(b, Qt::LeftButton, {}, at);
}

QString FocusId() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// The dialog on a cubic crystal (the unit basis) with the defaults of a new crystal.
GeometryValues Defaults() {
    GeometryValues v;
    v.D = 50;
    v.Hmax = v.Kmax = v.Lmax = 16;
    return v;
}

// "id=text" pairs typed into the dialog's edits.
void Type(QWidget& d, const QStringList& typed) {
    for (const QString& t : typed) {
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        QLineEdit* e = Edit(d, t.left(eq));
        QVERIFY2(e, qPrintable(t));
        e->setText(t.mid(eq + 1));
    }
}

QString Proposal(const char* h, const char* k, const char* l) {
    return QStringLiteral("The horizontal orientation is not perpendicular to the Surface\n"
                          "Plane (HKL). Xelmor provides you a correct one:\n\n    h = %1     "
                          "k = %2     l = %3\n\nDo you accept it?")
        .arg(QLatin1String(h), QLatin1String(k), QLatin1String(l));
}

QStringList Horizontal(QWidget& d) {
    return {Edit(d, "id1115")->text(), Edit(d, "id1116")->text(), Edit(d, "id1124")->text()};
}

} // namespace

class DialogGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void checksInOrder_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("focus");
        const QString index = QStringLiteral("Index must be between -999 and 999");
        QTest::newRow("D 0.0005") << QStringList{"id1070=0.0005"} << "Invalid imaging distance!"
                                  << "id1070";
        QTest::newRow("D 0.001") << QStringList{"id1070=0.001"} << QString() << QString();
        QTest::newRow("D no number") << QStringList{"id1070=50 mm"} << "Enter a number."
                                     << "id1070";
        // The framework's exchange of the ranges comes before the distance check.
        QTest::newRow("range before distance")
            << QStringList{"id1070=0", "id1107=1000"} << "Enter an integer between 0 and 999."
            << "id1107";
        QTest::newRow("range no integer") << QStringList{"id1108=2.5"} << "Enter an integer."
                                          << "id1108";
        QTest::newRow("range negative")
            << QStringList{"id1106=-1"} << "Enter an integer between 0 and 999."
            << "id1106";
        QTest::newRow("H 1000") << QStringList{"id1117=1000"} << index << "id1117";
        QTest::newRow("H -999") << QStringList{"id1117=-999", "id1115=0", "id1116=1"} << QString()
                                << QString();
        QTest::newRow("l first out of bounds: read in order")
            << QStringList{"id1124=-1000", "id1104=2000"} << index << "id1104";
        QTest::newRow("l 1e4") << QStringList{"id1124=1e4"} << index << "id1124";
        QTest::newRow("HKL zero") << QStringList{"id1105=0", "id1115=0", "id1116=0", "id1124=0"}
                                  << "At least one of the HKL indexes should be nonzero!"
                                  << "id1117";
        QTest::newRow("hkl zero") << QStringList{"id1115=0"}
                                  << "At least one of the hkl indexes should be nonzero!"
                                  << "id1115";
        QTest::newRow("max zero") << QStringList{"id1106=0", "id1107=0", "id1108=0"}
                                  << "At least one of the max indexes should be nonzero!"
                                  << "id1106";
        QTest::newRow("max 0 0 1")
            << QStringList{"id1106=0", "id1107=0", "id1108=1"} << QString() << QString();
    }
    void checksInOrder() {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        test::MessageRecorder messages;
        CDlgDiffSet d(Defaults(), ReciprocalBasis{});
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Type(d, typed);
        Press(d, "id1");
        if (message.isEmpty()) {
            QVERIFY2(messages.messages.empty(), qPrintable(messages.Texts().join('|')));
            QCOMPARE(d.result(), int(QDialog::Accepted));
            return;
        }
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(FocusId(), focus);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void correctionProposal_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("written"); // the edits after Yes
        QTest::newRow("(001) and (111)") << QStringList{"id1115=1", "id1116=1", "id1124=1"}
                                         << Proposal("1", "1", "0") << QStringList{"1", "1", "0"};
        QTest::newRow("(111) and (100)") << QStringList{"id1117=1", "id1104=1", "id1105=1"}
                                         << Proposal("1", "-1", "0") << QStringList{"1", "-1", "0"};
    }
    void correctionProposal() {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(QStringList, written);
        test::MessageRecorder messages;
        CDlgDiffSet d(Defaults(), ReciprocalBasis{});
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Type(d, typed);
        const QStringList before = Horizontal(d);

        messages.answers = {MsgAnswer::No};
        Press(d, "id1");
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Question);
        QCOMPARE(messages.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(Horizontal(d), before);
        QVERIFY(d.isVisible());

        messages.Clear();
        messages.answers = {MsgAnswer::Yes};
        Press(d, "id1");
        QCOMPARE(messages.Texts(), QStringList({message}));
        QCOMPARE(Horizontal(d), written);
        QVERIFY(d.isVisible()); // the next OK checks again

        messages.Clear();
        Press(d, "id1");
        QVERIFY(messages.messages.empty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Values().h, written[0].toDouble());
        QCOMPARE(d.Values().k, written[1].toDouble());
        QCOMPARE(d.Values().l, 0.0);
    }

    void correctionThatCannotBeMadeIsDead() {
        // A cell of very unequal edges: the index that is solved for comes out negligible, and
        // the completion (h = 1) leaves the direction measurably off the perpendicular.
        test::MessageRecorder messages;
        CDlgDiffSet d(Defaults(), ReciprocalBasisFromCell(1000, 0.1, 1, 90, 90, 90));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Type(d, {"id1104=1", "id1105=10", "id1115=0", "id1116=1", "id1124=5e-10"});
        Edit(d, "id1070")->setFocus();
        Press(d, "id1");
        QCOMPARE(messages.Texts(),
                 QStringList({"The horizontal orientation is not perpendicular to the surface "
                              "plane. Dead!"}));
        QCOMPARE(FocusId(), QStringLiteral("id1115"));
        QVERIFY(d.isVisible());
    }

    void newCrystalGetsItsRangesAndTheGeometryIsStored() {
        test::MessageRecorder messages;
        CParameterSet p;
        p.m_a = p.m_b = p.m_c = 5.4309;
        p.m_alpha = p.m_beta = p.m_gamma = 90;
        p.m_D = 500;
        p.m_bGeometrySet = 0;
        p.m_Isat = 3.0;
        test::DialogScript script([](QDialog& d) {
            QCOMPARE(Edit(d, "id1070")->text(), QStringLiteral("50"));
            QCOMPARE(Edit(d, "id1106")->text(), QStringLiteral("16"));
            QCOMPARE(Edit(d, "id1107")->text(), QStringLiteral("16"));
            QCOMPARE(Edit(d, "id1108")->text(), QStringLiteral("16"));
            QCOMPARE((QStringList{Edit(d, "id1117")->text(), Edit(d, "id1104")->text(),
                                  Edit(d, "id1105")->text()}),
                     QStringList({"0", "0", "1"}));
            QCOMPARE(Horizontal(d), QStringList({"1", "0", "0"}));
            QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("id1110"))->isChecked());
            Press(d, "id1111");
            Edit(d, "id1070")->setText(QStringLiteral("35.5"));
            Edit(d, "id1104")->setText(QStringLiteral("0.5"));
            Press(d, "id1");
        });
        QVERIFY2(RunGeometryDialog(nullptr, p), qPrintable(messages.Texts().join('|')));
        QVERIFY(messages.messages.empty());
        QCOMPARE(p.m_TransOrBack, 1);
        QCOMPARE(p.m_D, 355.0);
        QCOMPARE(p.m_K, 0.5);
        QCOMPARE(p.m_L, 1.0);
        QCOMPARE(p.m_h, 1.0);
        QCOMPARE(p.m_Hmax, 16);
        QCOMPARE(p.m_bGeometrySet, 1);
        QCOMPARE(p.m_Isat, -1.0);
    }

    void setGeometryIsShownAndCancelKeepsIt() {
        CParameterSet p;
        test::SetUpSilicon(p);
        p.m_h = 1.23456789012, p.m_k = -2;
        p.m_Isat = 7.0;
        test::DialogScript script([](QDialog& d) {
            QCOMPARE(Horizontal(d), QStringList({"1.2345678901", "-2", "0"}));
            QCOMPARE(Edit(d, "id1106")->text(), QStringLiteral("4"));
            Press(d, "id2");
        });
        QVERIFY(!RunGeometryDialog(nullptr, p));
        QCOMPARE(p.m_Isat, 7.0);
    }

    void stepButtonsMoveToTheNextInteger() {
        CDlgDiffSet d(Defaults(), ReciprocalBasis{});
        Edit(d, "id1117")->setText(QStringLiteral("2.5"));
        Press(d, "id1117plus");
        QCOMPARE(Edit(d, "id1117")->text(), QStringLiteral("3"));
        Edit(d, "id1124")->setText(QStringLiteral("-999"));
        Press(d, "id1124minus");
        QCOMPARE(Edit(d, "id1124")->text(), QStringLiteral("-999"));
        Edit(d, "id1108")->setText(QStringLiteral("0"));
        Press(d, "id1108minus");
        QCOMPARE(Edit(d, "id1108")->text(), QStringLiteral("0"));
        Press(d, "id1108plus");
        QCOMPARE(Edit(d, "id1108")->text(), QStringLiteral("1"));
    }

    void questionMarkOpensTheFilmHelp() {
        test::DialogScript script([](QDialog& d) {
            if (d.objectName() == QLatin1String("id316")) {
                Press(d, "id1254");
                d.reject();
                return;
            }
            QCOMPARE(d.findChildren<QPushButton*>().size(), 1); // only OK
            Press(d, "id1");
        });
        CParameterSet p;
        test::SetUpSilicon(p);
        QVERIFY(!RunGeometryDialog(nullptr, p));
        QCOMPARE(script.titles,
                 QStringList({"Diffraction Geometry", "Help for Setting CCD or X-ray Film"}));
    }

    void labelsAreBuddies() {
        CDlgDiffSet d(Defaults(), ReciprocalBasis{});
        QStringList labelled;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy())
                labelled << l->buddy()->objectName();
        for (const char* id : {"id1070", "id1117", "id1104", "id1105", "id1115", "id1116", "id1124",
                               "id1106", "id1107", "id1108"})
            QVERIFY2(labelled.contains(QLatin1String(id)), id);
    }

    void sequenceOkOnlyForAnotherSequence() {
        MemorySettingsStore store;
        CParameterSet p;
        p.m_RotCrystSeq = 2;
        test::DialogScript script([](QDialog& d) {
            QPushButton* ok = d.findChild<QPushButton*>(QStringLiteral("id1"));
            QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("id1094"))->isChecked());
            QVERIFY(!ok->isEnabled());
            Press(d, "id1098");
            QVERIFY(ok->isEnabled());
            Press(d, "id1094"); // back to the sequence at opening
            QVERIFY(!ok->isEnabled());
            Press(d, "id1097");
            Press(d, "id1");
        });
        QVERIFY(RunSequenceDialog(nullptr, p, store));
        QCOMPARE(p.m_RotCrystSeq, 4);
        QCOMPARE(store.Size(), std::size_t{0});
    }

    void sequenceSetAsDefaultWritesAtOnce() {
        MemorySettingsStore store;
        CParameterSet p;
        test::DialogScript script([](QDialog& d) {
            Press(d, "id1093");
            Press(d, "id1100");
            QVERIFY(d.isVisible());
            Press(d, "id2");
        });
        QVERIFY(!RunSequenceDialog(nullptr, p, store));
        QCOMPARE(p.m_RotCrystSeq, 0);
        QCOMPARE(ReadDocumentDefaults(store).rotCrystSeq, 1);
    }

    void sequenceButtonsInOrder() {
        CDlgHelpCrystRot d(0, nullptr);
        const char* ids[] = {"id1099", "id1093", "id1094", "id1095", "id1097", "id1098"};
        const char* names[] = {"YXZ", "YZX", "XYZ", "XZY", "ZXY", "ZYX"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(d.findChild<QRadioButton*>(QLatin1String(ids[i]))->text(),
                     QLatin1String(names[i]));
        QCOMPARE(d.windowTitle(), QStringLiteral("Help for Crystal Rotation around XYZ axes"));
    }
};

QTEST_MAIN(DialogGeometryTest)
#include "dialog_geometry_test.moc"
