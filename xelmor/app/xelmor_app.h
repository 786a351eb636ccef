// The application object of Xelmor: the program folder, the folders last used, the one
// parameter set, the settings store, the document and the main window, and the start-up.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

#include "xelmor/app/recent_files.h"
#include "xelmor/core/params.h"

namespace xelmor {

class CMainFrame;
class CXelmorDoc;
class SettingsStore;

class CXelmorApp : public QObject {
    Q_OBJECT
public:
    // `settings`: the store to use (tests pass an in-memory one); nullptr opens the per-user
    // store of the program. `programDir`: the program folder; empty means the folder of the
    // running executable.
    explicit CXelmorApp(SettingsStore* settings = nullptr, QString programDir = QString());
    ~CXelmorApp() override;

    // The start-up: folders, main window, the first document (a new pattern, or the document
    // named in `arguments`), the first show, the calibration dialog when the screen was never
    // calibrated. False when the named document cannot be opened: the program then ends.
    bool InitInstance(const QStringList& arguments = QStringList());

    // The application's commands: New, Open, the recent documents, Exit, the structure editor
    // and the About box. False for a command the application does not handle.
    bool OnCommand(int id);

    // "&New": a new pattern (never asks to save).
    void OnFileNew();
    // "&Open...": chooses a pattern document and reads it (never asks to save).
    void OnFileOpen();
    // Reads the document at `path` into the one document; false when it could not be opened.
    bool OpenDocumentFile(const QString& path);
    // Starts the structure editor from the program folder.
    void OnEditor();
    void OnAppAbout();

    // Program folder + native separator + the editor's executable name.
    QString EditorPath() const;

    SettingsStore& Settings() { return *m_pSettings; }
    CXelmorDoc* Document() { return m_pDoc.get(); }
    CMainFrame* MainFrame() { return m_pMainFrame.get(); }
    CRecentFileList& RecentFiles() { return m_recent; }

    // Writes what the framework keeps of its own at exit (the recent-file list) and makes the
    // per-user store write to disk.
    void SaveStdProfileSettings();

    CParameterSet m_Params;          // the one parameter set
    CParameterSet* m_pBar = nullptr; // published once the main window has created the panel
    QString m_strProgramDir;         // no trailing separator
    QString m_strDirSpectrum;        // folder last used for spectrum files
    QString m_strDirCrystal;         // folder last used for crystal structure files
    int m_bStarted = 0;              // 1 once the start-up has completed

private:
    std::unique_ptr<SettingsStore> m_pOwnSettings;
    SettingsStore* m_pSettings;
    CRecentFileList m_recent;
    std::unique_ptr<CXelmorDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

} // namespace xelmor
