#include "xelmor/app/xelmor_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "xelmor/app/about_dlg.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/qsettings_store.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/files/settings_values.h"

namespace xelmor {

namespace {

#ifdef Q_OS_WIN
constexpr const char* kEditorExecutable = "tessalune.exe";
#else
constexpr const char* kEditorExecutable = "tessalune";
#endif

} // namespace

CXelmorApp::CXelmorApp(SettingsStore* settings, QString programDir)
    : m_strProgramDir(std::move(programDir)) {
    if (!settings) {
        m_pOwnSettings = std::make_unique<CQSettingsStore>();
        settings = m_pOwnSettings.get();
    }
    m_pSettings = settings;
    if (m_strProgramDir.isEmpty())
        m_strProgramDir = QCoreApplication::applicationDirPath();
    m_strProgramDir = QDir::toNativeSeparators(m_strProgramDir);
    while (m_strProgramDir.size() > 1 && m_strProgramDir.endsWith(QDir::separator()))
        m_strProgramDir.chop(1);
}

CXelmorApp::~CXelmorApp() = default;

bool CXelmorApp::InitInstance(const QStringList& arguments) {
    m_recent.Load(*m_pSettings);

    const LastFolders folders = ReadLastFolders(*m_pSettings, m_strProgramDir.toStdString());
    m_strDirSpectrum = QString::fromStdString(folders.spectrum);
    m_strDirCrystal = QString::fromStdString(folders.crystal);

    // The document, then the main window with its panel and view.
    m_pDoc = std::make_unique<CXelmorDoc>(&m_Params, m_pSettings, m_strProgramDir);
    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    m_pBar = &m_Params;
    connect(m_pDoc.get(), &CXelmorDoc::FileUsed, this,
            [this](const QString& path) { m_recent.Add(path); });

    // The first non-option argument names a document to open in place of a new pattern.
    QString document;
    for (const QString& a : arguments)
        if (!a.startsWith(QLatin1Char('-'))) {
            document = a;
            break;
        }
    if (document.isEmpty()) {
        OnFileNew();
    } else if (!OpenDocumentFile(document)) {
        return false;
    }

    if (ReadFramePlacement(*m_pSettings).maximised)
        m_pMainFrame->showMaximized();
    else
        m_pMainFrame->show();

    if (!ReadCalibZoom(*m_pSettings))
        m_pMainFrame->OnCommand(ID_CALIB_ZOOM);

    m_bStarted = 1;
    m_pMainFrame->UpdateCommandUI();
    return true;
}

void CXelmorApp::OnFileNew() {
    m_pDoc->OnNewDocument();
    m_pMainFrame->OnCommand(ID_ZOOM_CALIB);
}

void CXelmorApp::OnFileOpen() {
    const QString path = Files().Open(m_pMainFrame.get(), QStringLiteral("Open"),
                                      QString::fromLatin1(kPatternFilter),
                                      QString::fromLatin1(kPatternExtension), QString());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CXelmorApp::OpenDocumentFile(const QString& path) {
    const PatternOpenStatus status = m_pDoc->OpenDocument(path, m_pMainFrame.get());
    if (status == PatternOpenStatus::NotOpened)
        return false;
    m_pMainFrame->OnCommand(ID_ZOOM_CALIB);
    return true;
}

QString CXelmorApp::EditorPath() const {
    return m_strProgramDir + QDir::separator() + QLatin1String(kEditorExecutable);
}

void CXelmorApp::OnEditor() {
    const QString program = EditorPath();
    if (!QFileInfo(program).isFile()) {
        ShowMessage(m_pMainFrame.get(),
                    MakeMessage((program + QStringLiteral(" not found!")).toStdString(),
                                MsgIcon::Exclamation));
        return;
    }
    // Other failures to start it are not reported; the editor runs on its own.
    DesktopShell().StartProgram(program, QStringList());
}

void CXelmorApp::OnAppAbout() {
    CAboutDlg about(m_pMainFrame.get());
    RunModal(about);
}

void CXelmorApp::SaveStdProfileSettings() {
    m_recent.Save(*m_pSettings);
    if (auto* own = dynamic_cast<CQSettingsStore*>(m_pSettings))
        own->Flush();
}

bool CXelmorApp::OnCommand(int id) {
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount) {
        const int index = id - ID_FILE_MRU_FILE1;
        if (index < m_recent.Size()) {
            const QString path = m_recent.Path(index);
            // A document that can no longer be opened leaves the list.
            if (!OpenDocumentFile(path))
                m_recent.Remove(index);
        }
        return true;
    }
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_APP_EXIT:
        m_pMainFrame->close();
        return true;
    case ID_EDITOR:
        OnEditor();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    default:
        return false;
    }
}

} // namespace xelmor
