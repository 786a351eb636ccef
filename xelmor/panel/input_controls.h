// The input controls of the panel and the dialogs: step buttons with their step menu, integer
// step buttons, an edit and a combo box that report the Enter key, a button that reports a right
// click, and a read-only edit with its own background colours. Each reports its command through
// its Command signal; the owner connects it to where the command goes.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "xelmor/core/step_math.h"

class QContextMenuEvent;
class QMouseEvent;

namespace xelmor {

// One button of a step-button pair that steps the number in an edit. The plus button of the pair
// (its primary) holds the step, the limits and the links. A click on either button moves the
// value to the next multiple of the step above (plus) or below (minus) it, clamped; when the
// edit's text changed the primary emits Command with the pair's command id. A right press opens
// the step menu, which sets the pair's step. Neither button is ever a dialog's default button,
// so an Enter typed elsewhere never steps.
class CStepButton : public QPushButton {
    Q_OBJECT
public:
    explicit CStepButton(const QString& text = QString(), QWidget* parent = nullptr);

    // Makes this button the plus button and primary of a pair with `minus`, stepping the number
    // in `edit` within [minimum, maximum] and sending `commandId` after a step. The step stays
    // as it is (step index 3, step 1, unless set).
    void BindPair(CStepButton* minus, QLineEdit* edit, int commandId, double minimum,
                  double maximum);

    // Sets the pair's step index (0 -> 10, 1 -> 5, 2 -> 2, 3 -> 1, other -> 0.1). When it differs
    // from the current one, the step changes and the buttons are relabelled "+" and "-" followed
    // by the step; otherwise nothing happens.
    void SetStepIndex(int index);
    int StepIndex() const;
    double Step() const;

    // The number in the pair's edit, clamped to the limits; the edit is rewritten when its text
    // differs from the clamped value's. 0 for a button that is not bound.
    double ReadValue();

    // A command delivered to the button: the step-menu items 32851, 32847, 32952, 32845 and
    // 32848 set the step index 0..4. False for any other command.
    bool OnCommand(int id);

    bool IsPlus() const { return m_nDirection == 1; }
    CStepButton* Primary() const { return m_pPrimary; }
    CStepButton* Partner() const { return m_pPartner; }
    QLineEdit* Edit() const { return m_pEdit; }
    int CommandId() const { return m_nCommandId; }

signals:
    // Emitted by the primary after a step of either button changed the edit's text.
    void Command(int id);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The step menu owns the right button: no other context menu opens over the button. From
    // the keyboard (menu key) the step menu opens at the button.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void StepOnce();
    void PopUpStepMenu(const QPoint& globalPos);

    int m_nDirection = 1; // 1 plus, 0 minus
    double m_Step = 1.0;
    int m_nStepIndex = kDefaultStepIndex;
    int m_nCommandId = 0;
    QPointer<CStepButton> m_pPrimary;
    QPointer<CStepButton> m_pPartner;
    QPointer<QLineEdit> m_pEdit;
    double m_Max = 0.0;
    double m_Min = 0.0;
};

// A button that steps the number in its edit to the next integer above (direction 1) or below
// (any other direction), within its limits. It sends nothing.
class CUnitStepButton : public QPushButton {
    Q_OBJECT
public:
    explicit CUnitStepButton(const QString& text = QString(), QWidget* parent = nullptr);

    void SetEdit(QLineEdit* edit) { m_pEdit = edit; }
    void SetDirection(int direction) { m_nDirection = direction; }
    // With the integer flag set, reading the edit cuts its number toward zero.
    void SetInteger(bool integer) { m_bInteger = integer; }
    void SetLimits(double minimum, double maximum);

    // The number in the edit, cut to an integer when the flag is set, clamped; the edit is
    // rewritten when its text differs. 0 without an edit.
    double ReadValue();

    int Direction() const { return m_nDirection; }
    bool IsInteger() const { return m_bInteger; }
    double Maximum() const { return m_Max; }
    double Minimum() const { return m_Min; }

private:
    void StepOnce();

    int m_nDirection = 1;
    bool m_bInteger = false;
    QPointer<QLineEdit> m_pEdit;
    double m_Max = 1000.0;
    double m_Min = -1000.0;
};

// An edit that turns the Enter key into a command: 32935 (find the reflection) when its Find flag
// is set, else 32871 (run the update cycle). The key is consumed: neither the edit nor a dialog's
// default button sees it, and no shortcut takes it.
class CEdit_Enter : public QLineEdit {
    Q_OBJECT
public:
    explicit CEdit_Enter(QWidget* parent = nullptr);

    void SetFind(bool find) { m_bFind = find; }
    bool IsFind() const { return m_bFind; }
    // The command an Enter sends.
    int EnterCommand() const;

signals:
    void Command(int id);

protected:
    bool event(QEvent* event) override;

private:
    bool m_bFind = false;
};

// A combo box that turns the Enter key into command 32871, once per key press, whether it is
// typed in its edit part or on the closed box; the key goes no further. Typing never inserts an
// item and is never completed from the list, so the text sent is the text typed. Choosing an
// entry from the list is left to the owner (activated), as for any combo box.
class CCombo_EnterSel : public QComboBox {
    Q_OBJECT
public:
    explicit CCombo_EnterSel(QWidget* parent = nullptr, bool editable = true);

signals:
    void Command(int id);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets up the edit part, when there is one: no completion, Enter filtered.
    void ConfigureEditPart();
};

// A push button that sends command 32780 (the spot-size dialog) when the right button is released
// over it; otherwise an ordinary button.
class CBtnRightClk : public QPushButton {
    Q_OBJECT
public:
    explicit CBtnRightClk(const QString& text = QString(), QWidget* parent = nullptr);

signals:
    void Command(int id);

protected:
    // The right button is this button's: its press goes to no other widget and no other context
    // menu opens over the button.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A read-only edit that shows a value: light cyan while enabled, light grey while disabled.
class CEdit_Color : public QLineEdit {
    Q_OBJECT
public:
    static constexpr QColor kEnabledColour{180, 255, 255};
    static constexpr QColor kDisabledColour{235, 235, 235};

    explicit CEdit_Color(QWidget* parent = nullptr);
};

} // namespace xelmor
