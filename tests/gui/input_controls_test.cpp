// The input controls: step-button pairs and their step menu, integer step buttons, the Enter
// routing of edits and combo boxes, the right-click button and the coloured edit.
#include <QtTest>

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QShortcut>

#include "test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/panel/input_controls.h"

using namespace xelmor;

namespace {

// A dialog whose default button and window shortcut for Enter would each take an Enter that
// an input control let through.
class EnterCatcher : public QDialog {
public:
    EnterCatcher() {
        auto* layout = new QHBoxLayout(this);
        ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setDefault(true);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this] { ++defaultClicks; });
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
        connect(shortcut, &QShortcut::activated, this, [this] { ++shortcuts; });
    }
    void Add(QWidget* w) { layout()->addWidget(w); }

    QPushButton* ok;
    int defaultClicks = 0;
    int shortcuts = 0;
};

// Counts the context menus and right presses that reach the parent of a control.
class ContextCounter : public QWidget {
public:
    int menus = 0;
    int rightPresses = 0;

protected:
    void contextMenuEvent(QContextMenuEvent*) override { ++menus; }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton)
            ++rightPresses;
    }
};

// A pair of step buttons on an edit, labelled as the panel's D pair is labelled.
struct Pair {
    explicit Pair(double minimum = -100000, double maximum = 100000) {
        auto* layout = new QHBoxLayout(&host);
        edit = new CEdit_Enter(&host);
        plus = new CStepButton(QStringLiteral("+10"), &host);
        minus = new CStepButton(QStringLiteral("-10"), &host);
        layout->addWidget(edit);
        layout->addWidget(plus);
        layout->addWidget(minus);
        plus->BindPair(minus, edit, ID_UPDATE_BAR, minimum, maximum);
        host.show();
    }
    QStringList Labels() const { return {plus->text(), minus->text()}; }

    QWidget host;
    CEdit_Enter* edit;
    CStepButton* plus;
    CStepButton* minus;
};

QMenu* OpenPopup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Shows a window and makes it active, so that keys go to its focus widget and its shortcuts
// are live, as when a user types.
bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class InputControlsTest : public QObject {
    Q_OBJECT
private slots:
    void stepPairStepsAndNotifies_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stepIndex");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("commands");
        QTest::newRow("2.5 plus") << "2.5" << 3 << true << "3" << 1;
        QTest::newRow("2.5 minus") << "2.5" << 3 << false << "2" << 1;
        QTest::newRow("-2.5 plus") << "-2.5" << 3 << true << "-2" << 1;
        QTest::newRow("-2.5 minus") << "-2.5" << 3 << false << "-3" << 1;
        QTest::newRow("0.3 by 0.1") << "0.3" << 4 << true << "0.4" << 1;
        QTest::newRow("clamped at the maximum") << "100000" << 0 << true << "100000" << 0;
        QTest::newRow("clamped at the minimum") << "-100000" << 0 << false << "-100000" << 0;
        QTest::newRow("beyond the maximum") << "2e5" << 0 << true << "100000" << 1;
    }
    void stepPairStepsAndNotifies() {
        QFETCH(QString, text);
        QFETCH(int, stepIndex);
        QFETCH(bool, plus);
        QFETCH(QString, result);
        QFETCH(int, commands);
        test::MessageRecorder messages;
        Pair pair;
        pair.plus->SetStepIndex(stepIndex);
        pair.edit->setText(text);
        QSignalSpy fromPlus(pair.plus, &CStepButton::Command);
        QSignalSpy fromMinus(pair.minus, &CStepButton::Command);
        QTest::mouseClick(plus ? pair.plus : pair.minus, Qt::LeftButton);
        QCOMPARE(pair.edit->text(), result);
        // The primary sends for both buttons of its pair.
        QCOMPARE(fromPlus.count(), commands);
        QCOMPARE(fromMinus.count(), 0);
        if (commands)
            QCOMPARE(fromPlus.at(0).at(0).toInt(), int(ID_UPDATE_BAR));
        QVERIFY(messages.messages.empty());
    }

    void stepErrorIsShownAndTheResultUsed() {
        test::MessageRecorder messages;
        Pair pair(-1e300, 1e300);
        pair.plus->SetStepIndex(3);
        pair.edit->setText(QStringLiteral("1e17")); // too large for a step of 1 to change
        QSignalSpy commands(pair.plus, &CStepButton::Command);
        QTest::mouseClick(pair.plus, Qt::LeftButton);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Step error")});
        QCOMPARE(messages.messages.at(0).icon, MsgIcon::None);
        QCOMPARE(messages.messages.at(0).buttons, MsgButtons::Ok);
        QCOMPARE(pair.edit->text(), QStringLiteral("1e+17"));
        QCOMPARE(commands.count(), 1);
    }

    void readValueClampsAndCorrectsTheEdit() {
        Pair pair(-360, 360);
        pair.edit->setText(QStringLiteral("400"));
        QCOMPARE(pair.minus->ReadValue(), 360.0);
        QCOMPARE(pair.edit->text(), QStringLiteral("360"));
        pair.edit->setText(QStringLiteral("-12.5"));
        QCOMPARE(pair.plus->ReadValue(), -12.5);
        QCOMPARE(pair.edit->text(), QStringLiteral("-12.5"));
    }

    void stepMenuSetsTheStepAndRelabels() {
        Pair pair;
        QTest::mousePress(pair.minus, Qt::RightButton);
        QMenu* menu = OpenPopup();
        QVERIFY(menu);
        QCOMPARE(menu->parent(), static_cast<QObject*>(pair.minus));
        QStringList items;
        for (QAction* a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("|") : a->text());
        QCOMPARE(items, (QStringList{"|", "10", "5", "2", " 1", "0.1", "|"}));

        QAction* tenth = menu->actions().at(5);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(tenth).center());
        QTRY_VERIFY(!OpenPopup());
        QCOMPARE(pair.Labels(), (QStringList{"+0.1", "-0.1"}));
        QCOMPARE(pair.plus->Step(), 0.1);
        QCOMPARE(pair.minus->StepIndex(), 4);

        // Each item by its command, on either button.
        const QStringList labels{"10", "5", "2", "1", "0.1"};
        const int ids[] = {32851, 32847, 32952, 32845, 32848};
        for (int i = 0; i < 5; ++i) {
            QVERIFY((i % 2 ? pair.plus : pair.minus)->OnCommand(ids[i]));
            QCOMPARE(pair.Labels(), (QStringList{"+" + labels[i], "-" + labels[i]}));
            QCOMPARE(pair.minus->StepIndex(), i);
        }
        QVERIFY(!pair.plus->OnCommand(ID_UPDATE_BAR));
    }

    void stepMenuChoosingTheStepInUseLeavesTheLabels() {
        Pair pair; // labelled "+10" / "-10" while the step is still 1
        QVERIFY(pair.minus->OnCommand(32845));
        QCOMPARE(pair.Labels(), (QStringList{"+10", "-10"}));
        QCOMPARE(pair.plus->Step(), 1.0);
    }

    void rightClicksOpenNoOtherMenu() {
        ContextCounter parent;
        auto* layout = new QHBoxLayout(&parent);
        auto* edit = new QLineEdit(&parent);
        auto* plus = new CStepButton(QStringLiteral("+1"), &parent);
        auto* minus = new CStepButton(QStringLiteral("-1"), &parent);
        auto* spot = new CBtnRightClk(QStringLiteral("Increase^"), &parent);
        layout->addWidget(edit);
        layout->addWidget(plus);
        layout->addWidget(minus);
        layout->addWidget(spot);
        plus->BindPair(minus, edit, ID_UPDATE_BAR, -360, 360);
        parent.show();

        for (QWidget* w : {static_cast<QWidget*>(plus), static_cast<QWidget*>(spot)}) {
            QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(2, 2),
                                      w->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(w, &byMouse);
        }
        QTest::mousePress(spot, Qt::RightButton);
        QTest::mouseRelease(spot, Qt::RightButton);
        QCOMPARE(parent.menus, 0);
        QCOMPARE(parent.rightPresses, 0);

        // The menu key opens the step menu at the button.
        QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                plus->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(plus, &byKey);
        QMenu* menu = OpenPopup();
        QVERIFY(menu);
        QCOMPARE(menu->parent(), static_cast<QObject*>(plus));
        menu->close();
        QCOMPARE(parent.menus, 0);
    }

    void unitStepButtonStepsToTheNextInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("result");
        QTest::newRow("2.999 plus") << "2.999" << 1 << "4";
        QTest::newRow("3 plus") << "3" << 1 << "4";
        QTest::newRow("-0.5 plus") << "-0.5" << 1 << "0";
        QTest::newRow("2.5 minus") << "2.5" << 0 << "2";
        QTest::newRow("at the maximum") << "1000" << 1 << "1000";
    }
    void unitStepButtonStepsToTheNextInteger() {
        QFETCH(QString, text);
        QFETCH(int, direction);
        QFETCH(QString, result);
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        auto* edit = new QLineEdit(text, &host);
        auto* button = new CUnitStepButton(QStringLiteral("+"), &host);
        layout->addWidget(edit);
        layout->addWidget(button);
        button->SetEdit(edit);
        button->SetDirection(direction);
        host.show();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(edit->text(), result);
    }

    void unitStepButtonReadsThroughItsFlag() {
        QLineEdit edit(QStringLiteral("-2.7"));
        CUnitStepButton button;
        QCOMPARE(button.Minimum(), -1000.0);
        QCOMPARE(button.Maximum(), 1000.0);
        button.SetEdit(&edit);
        QCOMPARE(button.ReadValue(), -2.7);
        QCOMPARE(edit.text(), QStringLiteral("-2.7"));
        button.SetInteger(true);
        QCOMPARE(button.ReadValue(), -2.0);
        QCOMPARE(edit.text(), QStringLiteral("-2"));
        button.SetLimits(0, 10);
        QCOMPARE(button.ReadValue(), 0.0);
        QCOMPARE(edit.text(), QStringLiteral("0"));
    }

    void editEnterSendsOnceAndGoesNoFurther_data() {
        QTest::addColumn<bool>("find");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("command");
        QTest::newRow("Return") << false << int(Qt::Key_Return) << int(ID_UPDATE_BAR);
        QTest::newRow("keypad Enter") << false << int(Qt::Key_Enter) << int(ID_UPDATE_BAR);
        QTest::newRow("Find") << true << int(Qt::Key_Return) << int(ID_FIND_REFLECTION);
    }
    void editEnterSendsOnceAndGoesNoFurther() {
        QFETCH(bool, find);
        QFETCH(int, key);
        QFETCH(int, command);
        EnterCatcher dialog;
        auto* edit = new CEdit_Enter(&dialog);
        edit->SetFind(find);
        dialog.Add(edit);
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        QSignalSpy commands(edit, &CEdit_Enter::Command);
        QVERIFY(ShowActive(dialog));
        edit->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QTest::keyClicks(edit, QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), command);
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(dialog.defaultClicks, 0);
        QCOMPARE(dialog.shortcuts, 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(edit->text(), QStringLiteral("12"));
    }

    void stepButtonsNeverTakeADialogsEnter() {
        // Without a default button the first auto-default button would take the Enter of a
        // plain edit; step buttons must not step for it.
        QDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        auto* plain = new QLineEdit(QStringLiteral("5"), &dialog);
        auto* edit = new QLineEdit(QStringLiteral("1"), &dialog);
        auto* plus = new CStepButton(QStringLiteral("+1"), &dialog);
        auto* minus = new CStepButton(QStringLiteral("-1"), &dialog);
        auto* unit = new CUnitStepButton(QStringLiteral("+"), &dialog);
        auto* spot = new CBtnRightClk(QStringLiteral("Increase^"), &dialog);
        for (QWidget* w : {static_cast<QWidget*>(plain), static_cast<QWidget*>(edit),
                           static_cast<QWidget*>(plus), static_cast<QWidget*>(minus),
                           static_cast<QWidget*>(unit), static_cast<QWidget*>(spot)})
            layout->addWidget(w);
        plus->BindPair(minus, edit, ID_UPDATE_BAR, -100, 100);
        unit->SetEdit(edit);
        QSignalSpy spotClicks(spot, &QPushButton::clicked);
        QVERIFY(ShowActive(dialog));
        plain->setFocus();
        QTest::keyClick(plain, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(spotClicks.count(), 0);
    }

    void comboEnterSendsOnceNeverTwice_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("toEditPart");
        // Keys go to the combo box, which has the focus and hands them to its edit part; a key
        // given to the edit part itself must behave the same.
        QTest::newRow("Return") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
        QTest::newRow("Return in the edit part") << int(Qt::Key_Return) << true;
    }
    void comboEnterSendsOnceNeverTwice() {
        QFETCH(int, key);
        QFETCH(bool, toEditPart);
        EnterCatcher dialog;
        auto* combo = new CCombo_EnterSel(&dialog);
        combo->addItems({"50%", "25%", "10%", "5%", "1%"});
        dialog.Add(combo);
        QVERIFY(combo->isEditable());
        QLineEdit* edit = combo->lineEdit();
        QSignalSpy commands(combo, &CCombo_EnterSel::Command);
        QSignalSpy activated(combo, &QComboBox::activated);
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        QVERIFY(ShowActive(dialog));
        combo->setFocus();
        QWidget* target = toEditPart ? edit : QApplication::focusWidget();
        QVERIFY(target);
        edit->clear();
        // The typed text is what is read: no item is inserted.
        QTest::keyClicks(target, QStringLiteral("5"));
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), int(ID_UPDATE_BAR));
        QCOMPARE(activated.count(), 0);
        QCOMPARE(returnPressed.count(), 0); // the key never reached the edit part
        QCOMPARE(combo->currentText(), QStringLiteral("5"));
        QCOMPARE(combo->count(), 5);
        QCOMPARE(dialog.defaultClicks, 0);
        QCOMPARE(dialog.shortcuts, 0);
    }

    void comboWithoutEditPartSendsOnce() {
        EnterCatcher dialog;
        auto* combo = new CCombo_EnterSel(&dialog, false);
        combo->addItems({"YXZ", "YZX"});
        dialog.Add(combo);
        QSignalSpy commands(combo, &CCombo_EnterSel::Command);
        QVERIFY(ShowActive(dialog));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(commands.count(), 1);
        QCOMPARE(dialog.defaultClicks, 0);
        QCOMPARE(dialog.shortcuts, 0);
    }

    void comboMadeEditableLaterSendsOnce() {
        EnterCatcher dialog;
        auto* combo = new CCombo_EnterSel(&dialog, false);
        combo->addItems({"100%", "50%"});
        dialog.Add(combo);
        combo->setEditable(true);
        QSignalSpy commands(combo, &CCombo_EnterSel::Command);
        QSignalSpy activated(combo, &QComboBox::activated);
        QVERIFY(ShowActive(dialog));
        QLineEdit* edit = combo->lineEdit();
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("5"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(commands.count(), 1);
        QCOMPARE(activated.count(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("5"));
        QCOMPARE(combo->count(), 2);
    }

    void comboPickFromTheListIsTheOwners() {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        auto* combo = new CCombo_EnterSel(&host);
        combo->addItems({"200%", "100%", "75%"});
        layout->addWidget(combo);
        QSignalSpy commands(combo, &CCombo_EnterSel::Command);
        QSignalSpy activated(combo, &QComboBox::activated);
        host.show();
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(combo->model()->index(2, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toInt(), 2);
        QCOMPARE(commands.count(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("75%"));
    }

    void rightClickButtonSendsOnRelease() {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        auto* button = new CBtnRightClk(QStringLiteral("Reduce Spot Size"), &host);
        layout->addWidget(button);
        host.show();
        QSignalSpy commands(button, &CBtnRightClk::Command);
        QSignalSpy clicks(button, &QPushButton::clicked);

        QTest::mousePress(button, Qt::RightButton);
        QCOMPARE(commands.count(), 0);
        QTest::mouseRelease(button, Qt::RightButton);
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), int(ID_SPOT_SIZE));
        QCOMPARE(clicks.count(), 0);

        // Released away from the button: no command.
        QTest::mousePress(button, Qt::RightButton);
        QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(-5, -5));
        QCOMPARE(commands.count(), 1);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(commands.count(), 1);
    }

    void colourEditPaintsItsBackgroundByState() {
        CEdit_Color edit;
        edit.resize(120, 30);
        edit.show();
        QVERIFY(edit.isReadOnly());
        const QPoint middle(60, 15);
        QCOMPARE(edit.grab().toImage().pixelColor(middle), QColor(180, 255, 255));
        edit.setEnabled(false);
        QCOMPARE(edit.grab().toImage().pixelColor(middle), QColor(235, 235, 235));
        edit.setEnabled(true);
        QCOMPARE(edit.grab().toImage().pixelColor(middle), QColor(180, 255, 255));
    }
};

QTEST_MAIN(InputControlsTest)
#include "input_controls_test.moc"
