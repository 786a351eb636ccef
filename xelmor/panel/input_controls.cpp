#include "xelmor/panel/input_controls.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>

#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"

namespace xelmor {

namespace {

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

std::string TextOf(const QLineEdit& edit) {
    return edit.text().toStdString();
}

// Writes an update into its edit when the text changed.
void Apply(QLineEdit& edit, const EditUpdate& update) {
    if (update.changed)
        edit.setText(QString::fromStdString(update.text));
}

} // namespace

// ---- CStepButton ----

CStepButton::CStepButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CStepButton::StepOnce);
}

void CStepButton::BindPair(CStepButton* minus, QLineEdit* edit, int commandId, double minimum,
                           double maximum) {
    m_pPrimary = this;
    m_pPartner = minus;
    m_pEdit = edit;
    m_nCommandId = commandId;
    m_Max = maximum;
    m_Min = minimum;
    m_nDirection = 1;
    if (minus) {
        minus->m_pPrimary = this;
        minus->m_nDirection = 0;
    }
}

void CStepButton::SetStepIndex(int index) {
    CStepButton* p = m_pPrimary;
    if (!p || index == p->m_nStepIndex)
        return;
    p->m_nStepIndex = index;
    p->m_Step = StepForIndex(index);
    const QString label = QString::fromStdString(StepLabel(index));
    p->setText(QStringLiteral("+") + label);
    if (p->m_pPartner)
        p->m_pPartner->setText(QStringLiteral("-") + label);
}

int CStepButton::StepIndex() const {
    return m_pPrimary ? m_pPrimary->m_nStepIndex : m_nStepIndex;
}

double CStepButton::Step() const {
    return m_pPrimary ? m_pPrimary->m_Step : m_Step;
}

double CStepButton::ReadValue() {
    CStepButton* p = m_pPrimary;
    if (!p || !p->m_pEdit)
        return 0.0;
    const EditUpdate read = ReadThroughPair(TextOf(*p->m_pEdit), p->m_Min, p->m_Max);
    Apply(*p->m_pEdit, read);
    return read.value;
}

bool CStepButton::OnCommand(int id) {
    const int index = StepIndexForCommand(id);
    if (index < 0)
        return false;
    SetStepIndex(index);
    return true;
}

void CStepButton::StepOnce() {
    const QPointer<CStepButton> p = m_pPrimary;
    if (!p || !p->m_pEdit)
        return;
    const EditUpdate step =
        StepPair(TextOf(*p->m_pEdit), p->m_Step, m_nDirection == 1, p->m_Min, p->m_Max);
    if (step.stepError)
        ShowMessage(this, StepErrorMessage());
    // The pair's controls may have gone while the message was open.
    if (!step.changed || !p || !p->m_pEdit)
        return;
    Apply(*p->m_pEdit, step);
    emit p->Command(p->m_nCommandId);
}

void CStepButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        PopUpStepMenu(event->globalPosition().toPoint());
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CStepButton::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse)
        PopUpStepMenu(mapToGlobal(rect().center()));
}

void CStepButton::PopUpStepMenu(const QPoint& globalPos) {
    if (!m_pPrimary)
        return;
    // The menu belongs to the button and goes when it closes. It pops up without blocking:
    // the choice arrives as the item's command.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("RightClk"));
    menu->addSeparator();
    for (const StepMenuItem& item : kStepMenuItems) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        const int id = item.command;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    menu->addSeparator();
    menu->popup(globalPos);
}

// ---- CUnitStepButton ----

CUnitStepButton::CUnitStepButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CUnitStepButton::StepOnce);
}

void CUnitStepButton::SetLimits(double minimum, double maximum) {
    m_Min = minimum;
    m_Max = maximum;
}

double CUnitStepButton::ReadValue() {
    if (!m_pEdit)
        return 0.0;
    const EditUpdate read = ReadUnit(TextOf(*m_pEdit), m_bInteger, m_Min, m_Max);
    Apply(*m_pEdit, read);
    return read.value;
}

void CUnitStepButton::StepOnce() {
    if (!m_pEdit)
        return;
    Apply(*m_pEdit, StepUnit(TextOf(*m_pEdit), m_nDirection == 1, m_Min, m_Max));
}

// ---- CEdit_Enter ----

CEdit_Enter::CEdit_Enter(QWidget* parent) : QLineEdit(parent) {}

int CEdit_Enter::EnterCommand() const {
    return m_bFind ? ID_FIND_REFLECTION : ID_UPDATE_BAR;
}

bool CEdit_Enter::event(QEvent* event) {
    if (IsEnterKey(event)) {
        // Claiming the shortcut override keeps Enter from any shortcut; the key press itself
        // becomes the command and goes no further.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            emit Command(EnterCommand());
        return true;
    }
    return QLineEdit::event(event);
}

// ---- CCombo_EnterSel ----

CCombo_EnterSel::CCombo_EnterSel(QWidget* parent, bool editable) : QComboBox(parent) {
    // A typed text is read by the owner; it never becomes an item of the list.
    setInsertPolicy(QComboBox::NoInsert);
    setEditable(editable);
    ConfigureEditPart();
}

void CCombo_EnterSel::ConfigureEditPart() {
    QLineEdit* edit = lineEdit();
    if (!edit)
        return;
    // Completing from the list would turn a typed "5" into "50%", and choosing a completion would
    // activate an item on top of the Enter command.
    edit->setCompleter(nullptr);
    edit->installEventFilter(this);
}

bool CCombo_EnterSel::event(QEvent* event) {
    if (IsEnterKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            emit Command(ID_UPDATE_BAR);
        return true;
    }
    // An edit part made later (setEditable, setLineEdit) is set up when it is polished, which is
    // before it can be shown or take a key.
    if (event->type() == QEvent::ChildPolished &&
        static_cast<QChildEvent*>(event)->child() == lineEdit())
        ConfigureEditPart();
    return QComboBox::event(event);
}

bool CCombo_EnterSel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && IsEnterKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            emit Command(ID_UPDATE_BAR);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

// ---- CBtnRightClk ----

CBtnRightClk::CBtnRightClk(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
}

void CBtnRightClk::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CBtnRightClk::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        emit Command(ID_SPOT_SIZE);
    QPushButton::mouseReleaseEvent(event);
}

void CBtnRightClk::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

// ---- CEdit_Color ----

CEdit_Color::CEdit_Color(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Base, kEnabledColour);
    pal.setColor(QPalette::Inactive, QPalette::Base, kEnabledColour);
    pal.setColor(QPalette::Disabled, QPalette::Base, kDisabledColour);
    setPalette(pal);
}

} // namespace xelmor
