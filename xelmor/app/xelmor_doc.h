// The document of Xelmor: the result of the last simulation run, the selection, the two merged
// text patterns and the recorded image shown behind the pattern.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "xelmor/core/params.h"
#include "xelmor/core/simulation.h"
#include "xelmor/files/pattern_doc.h"
#include "xelmor/files/pattern_text.h"

class QWidget;

namespace xelmor {

class SettingsStore;

class CXelmorDoc : public QObject {
    Q_OBJECT
public:
    // The document works on the program's one parameter set; `programDir` is the folder of the
    // running program (the default spectrum lies there).
    CXelmorDoc(CParameterSet* params, SettingsStore* settings, QString programDir,
               QObject* parent = nullptr);

    // The spots of the last run, strongest first (the run's result keeps them).
    std::vector<CDot>& Spots() { return m_Run.spots; }
    const std::vector<CDot>& Spots() const { return m_Run.spots; }

    // A new pattern: the title "Pattern%d" with the next number, then ResetPattern.
    bool OnNewDocument();
    // Brings the document and the parameter set to the start of a new pattern; a default
    // spectrum that cannot be read is reported.
    void ResetPattern();
    // Command 32878: runs the simulation and asks the views to update.
    void OnUpdateBarToApp();

    // Reads the pattern document at `path` and shows what the read reports. Read: the document
    // takes the file's name. Reset: the content could not be read; the document is an empty
    // pattern under the file's name but without its path (so a later Save asks for a name and
    // cannot overwrite the unreadable file unasked).
    // NotOpened: nothing changed.
    PatternOpenStatus OpenDocument(const QString& path, QWidget* parent);
    // Writes the pattern document to `path` and takes its name; false (after the message) when
    // the file could not be written.
    bool SaveDocument(const QString& path, QWidget* parent);

    // The document's commands: Save, Save As, the pattern text export, the merge import, the
    // structure factor calculator, the simulation run and the lab orientation. False for a
    // command the document does not handle.
    bool OnCommand(int id, QWidget* parent);

    // How a tool that set a new orientation has it shown: the panel's rotation edits become "0"
    // and its update cycle runs (the main window provides it).
    void SetApplyOrientation(std::function<void()> apply) { m_applyOrientation = std::move(apply); }

    QString Title() const { return m_strTitle; }
    // The file the document was read from or saved to; empty for a new pattern.
    QString PathName() const { return m_strPathName; }

    CParameterSet* m_pBar;
    SimulationResult m_Run; // spots, film area, spot 000, run shifts, orientation
    int m_nSelSpot = -1;
    MergeSlot m_Merge1{1}, m_Merge2{2};
    // The recorded image behind the pattern, its file name (without folder), its size in
    // pixels and its displayed size in 0.1 mm.
    std::unique_ptr<QImage> m_pBackImage;
    QString m_strBackFile;
    int m_BackPixelWidth = 0, m_BackPixelHeight = 0;
    double m_BackWidth = 0, m_BackHeight = 0;
    // Number of the next default title; grows with every new pattern for the program's life.
    int m_nPatternNo = 1;

signals:
    // The views redraw (after a run, a reset or a change of the merged patterns).
    void Updated();
    // The title changed.
    void TitleChanged(const QString& title);
    // The panel's spot-count text.
    void SpotCountChanged(const QString& text);
    // The selection is gone: the panel empties its Reflection and Wavelength boxes and the spot
    // details are cleared.
    void SelectionCleared();
    // Every parameter may have changed (reset, document read): the panel rewrites its controls.
    void ParametersChanged();
    // A run re-expressed the saturation and truncation fractions: the panel shows them again.
    void LevelsChanged();
    // A document file was read or written under this path (the recent-file list takes it).
    void FileUsed(const QString& path);

private:
    // The document's own part of a reset: merge slots, recorded image and selection.
    void ClearDocumentParts();
    void SetTitle(const QString& title);
    void OnFileSave(QWidget* parent);
    void OnFileSaveAs(QWidget* parent);
    // 32820: writes the pattern text file the user names.
    void OnExportTextfile(QWidget* parent);
    // 32923: the merge dialog; on OK the slots take its result and the views redraw.
    void OnImportDataPattern(QWidget* parent);

    SettingsStore* m_pSettings;
    QString m_strProgramDir;
    std::function<void()> m_applyOrientation;
    QString m_strTitle;
    QString m_strPathName;
};

// The file filter of pattern documents in the file dialogs.
inline constexpr const char* kPatternFilter =
    "Xelmorscope Files (*.ptn)|*.ptn|All Files (*.*)|*.*||";
inline constexpr const char* kPatternExtension = "ptn";

} // namespace xelmor
