#include "xelmor/app/xelmor_doc.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/dialogs/dlg_merge.h"
#include "xelmor/dialogs/dlg_struct_fact.h"
#include "xelmor/files/settings.h"
#include "xelmor/tools/lab_orientations.h"

namespace xelmor {

CXelmorDoc::CXelmorDoc(CParameterSet* params, SettingsStore* settings, QString programDir,
                       QObject* parent)
    : QObject(parent), m_pBar(params), m_pSettings(settings),
      m_strProgramDir(std::move(programDir)) {}

void CXelmorDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    emit TitleChanged(m_strTitle);
}

bool CXelmorDoc::OnNewDocument() {
    m_strPathName.clear();
    SetTitle(QStringLiteral("Pattern%1").arg(m_nPatternNo++));
    ResetPattern();
    return true;
}

void CXelmorDoc::ClearDocumentParts() {
    ClearMergeSlot(m_Merge1);
    ClearMergeSlot(m_Merge2);
    m_pBackImage.reset();
    m_strBackFile.clear();
    m_BackPixelWidth = m_BackPixelHeight = 0;
    m_BackWidth = m_BackHeight = 0;
    m_nSelSpot = -1;
    emit SelectionCleared();
}

void CXelmorDoc::ResetPattern() {
    ClearDocumentParts();
    const std::optional<Message> spectrum =
        xelmor::ResetPattern(*m_pBar, m_Run, *m_pSettings, m_strProgramDir.toStdString());
    emit ParametersChanged();
    emit SpotCountChanged(QString());
    emit Updated();
    if (spectrum)
        ShowMessage(nullptr, *spectrum);
}

void CXelmorDoc::OnUpdateBarToApp() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool levelsShown = RunSimulation(*m_pBar, m_Run);
    QApplication::restoreOverrideCursor();
    m_nSelSpot = -1;
    emit SelectionCleared();
    if (levelsShown)
        emit LevelsChanged();
    emit SpotCountChanged(QString::fromStdString(SpotCountText(static_cast<int>(Spots().size()))));
    emit Updated();
}

PatternOpenStatus CXelmorDoc::OpenDocument(const QString& path, QWidget* parent) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PatternOpenResult open = OpenPatternDocument(path.toStdString(), *m_pBar, m_Run,
                                                       *m_pSettings, m_strProgramDir.toStdString());
    QApplication::restoreOverrideCursor();
    switch (open.status) {
    case PatternOpenStatus::Read:
        m_nSelSpot = -1;
        m_strPathName = path;
        SetTitle(QFileInfo(path).fileName());
        emit SelectionCleared();
        emit ParametersChanged();
        if (open.levelsShown)
            emit LevelsChanged();
        emit SpotCountChanged(
            QString::fromStdString(SpotCountText(static_cast<int>(Spots().size()))));
        emit Updated();
        emit FileUsed(path);
        break;
    case PatternOpenStatus::Reset:
        // The window names the file that was opened, but the document keeps no path to it:
        // a later Save asks for a name instead of overwriting the unreadable file unasked.
        ClearDocumentParts();
        m_strPathName.clear();
        SetTitle(QFileInfo(path).fileName());
        emit ParametersChanged();
        emit SpotCountChanged(QString());
        emit Updated();
        break;
    case PatternOpenStatus::NotOpened:
        break;
    }
    for (const Message& m : open.messages)
        ShowMessage(parent, m);
    return open.status;
}

bool CXelmorDoc::SaveDocument(const QString& path, QWidget* parent) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<Message> failed = SavePatternDocument(path.toStdString(), *m_pBar);
    QApplication::restoreOverrideCursor();
    if (failed) {
        ShowMessage(parent, *failed);
        return false;
    }
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
    emit FileUsed(path);
    return true;
}

void CXelmorDoc::OnFileSave(QWidget* parent) {
    if (m_strPathName.isEmpty())
        OnFileSaveAs(parent);
    else
        SaveDocument(m_strPathName, parent);
}

void CXelmorDoc::OnFileSaveAs(QWidget* parent) {
    QString proposed = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    if (QFileInfo(proposed).suffix().isEmpty())
        proposed += QLatin1Char('.') + QLatin1String(kPatternExtension);
    const QString path =
        Files().Save(parent, QStringLiteral("Save As"), QString::fromLatin1(kPatternFilter),
                     QString::fromLatin1(kPatternExtension), QString(), proposed);
    if (!path.isEmpty())
        SaveDocument(path, parent);
}

void CXelmorDoc::OnExportTextfile(QWidget* parent) {
    const QString path = Files().Save(
        parent, QStringLiteral("Export the pattern as a textfile"),
        QStringLiteral("Xelmorscope Text Files (*.pdat)|*.pdat|All Files (*.*)|*.*||"),
        QStringLiteral("pdat"), QString(), QString());
    if (path.isEmpty())
        return;
    const CParameterSet& p = *m_pBar;
    if (const std::optional<Message> failed = SavePatternText(
            path.toStdString(), Spots(), p.m_SpotWidth, p.m_SpotHeight, p.m_ShiftX, p.m_ShiftY))
        ShowMessage(parent, *failed);
}

void CXelmorDoc::OnImportDataPattern(QWidget* parent) {
    CDlgMerge dialog(m_Merge1, m_Merge2, parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    ApplyMergeEdit(m_Merge1, dialog.TakeSlot(1));
    ApplyMergeEdit(m_Merge2, dialog.TakeSlot(2));
    emit Updated();
}

bool CXelmorDoc::OnCommand(int id, QWidget* parent) {
    switch (id) {
    case ID_FILE_SAVE:
        OnFileSave(parent);
        return true;
    case ID_FILE_SAVE_AS:
        OnFileSaveAs(parent);
        return true;
    case ID_UPDATE_BAR_TO_APP:
        OnUpdateBarToApp();
        return true;
    case ID_STRUCTURE_FACTOR: {
        CDlgStructFact dialog(m_pBar->m_Recip, m_pBar->m_Elements, parent);
        RunModal(dialog);
        return true;
    }
    case ID_EXPORT_TEXTFILE:
        OnExportTextfile(parent);
        return true;
    case ID_IMPORT_DATA_PATTERN:
        OnImportDataPattern(parent);
        return true;
    case ID_LAB_ORIENTATION: {
        CLabOrientations dialog(m_Run.orient, m_pBar, m_applyOrientation, parent);
        RunModal(dialog);
        return true;
    }
    default:
        return false;
    }
}

} // namespace xelmor
