// The document: the reset of a new pattern, opening (and failing to open) a pattern document,
// saving under a chosen name and again under the same one, and the recent-document list.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/panel/full_control_bar.h"

using namespace xelmor;
using namespace xelmor::test;

namespace {

struct Started : StartedApp {
    using StartedApp::StartedApp;
    QString SpotCountText() const {
        return frame->ControlBar()->findChild<QLabel*>(QStringLiteral("id1167"))->text();
    }
};

QString ComboText(StartedApp& s, const char* id) {
    return s.bar->findChild<QComboBox*>(QString::fromLatin1(id))->currentText();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DocFilesTest : public QObject {
    Q_OBJECT
private slots:
    void newPatternStartsFromTheStoredDefaults() {
        Started s([](MemorySettingsStore& store) {
            store.WriteString(kSettingsSection, setting::kD, "623.5");
            store.WriteString(kSettingsSection, setting::kFilmWidth, "1000");
            store.WriteString(kSettingsSection, setting::kSpotHeight, "25");
            store.WriteInt(kSettingsSection, setting::kTransOrBack, 1);
            store.WriteInt(kSettingsSection, setting::kRotCrystSeq, 3);
        });
        CParameterSet& p = s.app->m_Params;
        s.Simulate();
        QCOMPARE(s.SpotCountText(),
                 QString::number(s.doc->Spots().size()) + QStringLiteral(" spots"));
        s.doc->m_Merge1.records.push_back({10, 20, 1.0, 1});
        s.doc->m_Merge1.strFile = "first.pdat";
        s.doc->m_Merge2.records.push_back({30, 40, 1.0, 2});
        s.doc->m_pBackImage = std::make_unique<QImage>(8, 8, QImage::Format_RGB32);
        s.doc->m_strBackFile = QStringLiteral("laue.bmp");
        s.doc->m_nSelSpot = 0;
        p.m_D = 999;
        p.m_FilmWidth = 3000;
        p.m_SpotHeight = 80;
        p.m_ShiftX = 50, p.m_ShiftY = -20;
        p.m_Rot1 = 10, p.m_Rot2 = 20, p.m_Rot3 = 30, p.m_Tilt = 5;
        p.m_nZoom = 400;

        for (int number : {2, 3}) {
            s.frame->Action(ID_FILE_NEW)->trigger();
            QCOMPARE(s.frame->windowTitle(), QStringLiteral("Pattern%1 - Xelmorscope").arg(number));
        }
        QVERIFY(s.messages.messages.empty()); // New never asks to save
        QCOMPARE(p.m_D, 623.5);
        QCOMPARE(p.m_FilmWidth, 1000.0);
        QCOMPARE(p.m_FilmHeight, 1500.0);
        QCOMPARE(p.m_SpotWidth, 30.0);
        QCOMPARE(p.m_SpotHeight, 25.0);
        QCOMPARE(p.m_TransOrBack, 1);
        QCOMPARE(p.m_RotCrystSeq, 3);
        QCOMPARE(p.m_nZoom, 200);
        for (double v : {p.m_ShiftX, p.m_ShiftY, p.m_Rot1, p.m_Rot2, p.m_Rot3, p.m_Tilt})
            QCOMPARE(v, 0.0);
        QCOMPARE(p.m_Isat, -1.0);
        QCOMPARE(p.nAtoms(), 0);
        QCOMPARE(p.m_bGeometrySet, 0);
        QVERIFY(p.nSpectrum() >= 2); // the default spectrum again
        QVERIFY(s.doc->Spots().empty());
        QCOMPARE(s.doc->m_nSelSpot, -1);
        QCOMPARE(s.doc->m_Merge1.nRecords(), 0);
        QCOMPARE(QString::fromStdString(s.doc->m_Merge1.strFile), QString());
        QCOMPARE(s.doc->m_Merge2.nRecords(), 0);
        QVERIFY(!s.doc->m_pBackImage);
        QCOMPARE(s.SpotCountText(), QString());
        QVERIFY(!s.frame->Action(ID_FILE_SAVE)->isEnabled());
    }

    void saveAsThenSaveThenOpen() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("si.ptn"));
        Started s;
        s.Simulate();
        s.files.paths = {path};
        s.frame->Action(ID_FILE_SAVE_AS)->trigger();
        QCOMPARE(s.files.requests.size(), std::size_t(1));
        const FileScript::Request& asked = s.files.requests[0];
        QVERIFY(asked.save);
        QCOMPARE(asked.title, QStringLiteral("Save As"));
        QCOMPARE(asked.filter,
                 QStringLiteral("Xelmorscope Files (*.ptn)|*.ptn|All Files (*.*)|*.*||"));
        QCOMPARE(asked.defaultExt, QStringLiteral("ptn"));
        QCOMPARE(asked.proposedName, QStringLiteral("Pattern1.ptn"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("si.ptn - Xelmorscope"));

        // Save writes to the same file without asking.
        s.app->m_Params.m_Rot1 = 7;
        const QByteArray before = ReadAll(path);
        s.frame->OnCommand(ID_FILE_SAVE);
        QCOMPARE(s.files.requests.size(), std::size_t(1));
        QVERIFY(ReadAll(path) != before);

        s.frame->OnCommand(ID_UPDATE_BAR_TO_APP);
        const std::vector<CDot> saved = s.doc->Spots();
        const QString saturate = ComboText(s, "id1073"), truncate = ComboText(s, "id1074");
        s.frame->OnCommand(ID_FILE_NEW);
        QVERIFY(s.doc->Spots().empty());
        s.app->m_Params.m_nZoom = 200;
        s.files.paths = {path};
        s.frame->OnCommand(ID_FILE_OPEN);
        // The same spots in the same order, the same levels, and the zoom back at 100 %.
        QCOMPARE(s.doc->Spots().size(), saved.size());
        for (std::size_t i = 0; i < saved.size(); ++i) {
            const CDot &a = saved[i], &b = s.doc->Spots()[i];
            QVERIFY(a.h == b.h && a.k == b.k && a.l == b.l);
            QCOMPARE(b.x, a.x);
            QCOMPARE(b.y, a.y);
            QCOMPARE(b.intensity, a.intensity);
        }
        QCOMPARE(ComboText(s, "id1073"), saturate);
        QCOMPARE(ComboText(s, "id1074"), truncate);
        QCOMPARE(s.app->m_Params.m_nZoom, 100);
        QCOMPARE(ComboText(s, "id1072"), QStringLiteral("100%"));
        QCOMPARE(s.files.requests.size(), std::size_t(2));
        QVERIFY(!s.files.requests[1].save);
        QCOMPARE(s.files.requests[1].title, QStringLiteral("Open"));
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("si.ptn - Xelmorscope"));
        QCOMPARE(s.app->m_Params.m_Rot1, 7.0);
        QVERIFY(!s.doc->Spots().empty());
        QCOMPARE(s.SpotCountText(),
                 QString::number(s.doc->Spots().size()) + QStringLiteral(" spots"));
        QVERIFY(s.messages.messages.empty());
    }

    void aFailedSaveKeepsTheTitle() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no/such/folder/si.ptn"));
        Started s;
        s.Simulate();
        s.files.paths = {path};
        s.frame->OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(s.messages.messages.size(), std::size_t(1));
        QCOMPARE(s.messages.messages[0], MakeMessage(("Failed to open " + path + "!").toStdString(),
                                                     MsgIcon::Stop, "Xelmor"));
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("Pattern1 - Xelmorscope"));
        QCOMPARE(s.doc->PathName(), QString());
    }

    void openFailures() {
        QTemporaryDir dir;
        Started s;
        s.Simulate();
        const std::size_t spots = s.doc->Spots().size();

        // A file that cannot be opened changes nothing.
        const QString missing = dir.filePath(QStringLiteral("missing.ptn"));
        s.files.paths = {missing};
        s.frame->OnCommand(ID_FILE_OPEN);
        QCOMPARE(s.messages.Texts(), QStringList{"Failed to open " + missing + "!"});
        QCOMPARE(s.messages.messages[0].icon, MsgIcon::Stop);
        QCOMPARE(s.doc->Spots().size(), spots);
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("Pattern1 - Xelmorscope"));

        // A file whose content cannot be read gives an empty, untitled pattern, so saving it
        // later asks for a name instead of overwriting the file.
        const QString garbage = dir.filePath(QStringLiteral("garbage.ptn"));
        WriteFile(garbage, "not a pattern document");
        s.messages.Clear();
        s.files.paths = {garbage};
        s.frame->OnCommand(ID_FILE_OPEN);
        QCOMPARE(s.messages.Texts(), QStringList{QStringLiteral(
                                         "Failed to open the file. An empty pattern is created.")});
        QCOMPARE(s.messages.messages[0].icon, MsgIcon::Stop);
        QVERIFY(s.doc->Spots().empty());
        QCOMPARE(s.app->m_Params.nAtoms(), 0);
        QCOMPARE(s.doc->PathName(), QString());
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("garbage.ptn - Xelmorscope"));
        QCOMPARE(ReadAll(garbage), QByteArray("not a pattern document"));

        // Save asks for a name, proposing the file's, instead of writing over it.
        s.Simulate();
        s.files.paths = {QString()};
        s.frame->OnCommand(ID_FILE_SAVE);
        QCOMPARE(s.files.requests.back().proposedName, QStringLiteral("garbage.ptn"));
        QCOMPARE(ReadAll(garbage), QByteArray("not a pattern document"));

        // A document of the previous format says so, then fails like any unreadable file.
        const QString old = dir.filePath(QStringLiteral("old.ptn"));
        const QString version = QStringLiteral("Xelmorscope.File");
        WriteFile(old, QByteArray::fromHex("fffeff") + char(version.size()) +
                           QByteArray(reinterpret_cast<const char*>(version.utf16()),
                                      version.size() * 2) +
                           QByteArray(64, '\0'));
        s.messages.Clear();
        s.files.paths = {old};
        s.frame->OnCommand(ID_FILE_OPEN);
        QCOMPARE(
            s.messages.Texts(),
            (QStringList{QStringLiteral("No Version Two Files are allowed anymore!"),
                         QStringLiteral("Failed to open the file. An empty pattern is created.")}));
        QCOMPARE(s.messages.messages[0].icon, MsgIcon::Stop);
        QVERIFY(s.doc->Spots().empty());
        QCOMPARE(s.frame->windowTitle(), QStringLiteral("old.ptn - Xelmorscope"));
    }

    void recentDocuments() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("si.ptn"));
        MemorySettingsStore store;
        MarkCalibrated(store);
        MessageRecorder messages;
        DialogScript dialogs;
        FileScript files;
        {
            auto app = StartApp(store);
            SetUpSilicon(app->m_Params);
            app->MainFrame()->OnCommand(ID_UPDATE_BAR_TO_APP);
            files.paths = {path};
            app->MainFrame()->OnCommand(ID_FILE_SAVE_AS);
            app->MainFrame()->close();
        }
        QCOMPARE(QString::fromStdString(store.ReadString(kRecentFileSection, "File1", "")), path);

        auto app = StartApp(store);
        CMainFrame* frame = app->MainFrame();
        QMenu* file = frame->menuBar()->actions().front()->menu();
        emit file->aboutToShow();
        QAction* first = frame->Action(ID_FILE_MRU_FILE1);
        QCOMPARE(first->text(),
                 QStringLiteral("&1 ") + AbbreviatePath(QDir::toNativeSeparators(path), 30));
        QVERIFY(first->isEnabled());
        first->trigger();
        QCOMPARE(frame->windowTitle(), QStringLiteral("si.ptn - Xelmorscope"));
        QVERIFY(!app->Document()->Spots().empty());

        // A recent document that has gone leaves the list.
        QVERIFY(QFile::remove(path));
        frame->OnCommand(ID_FILE_MRU_FILE1);
        QCOMPARE(messages.Texts(), QStringList{"Failed to open " + path + "!"});
        QCOMPARE(app->RecentFiles().Size(), 0);
        emit file->aboutToShow();
        QCOMPARE(first->text(), QStringLiteral("Recent File"));
        QVERIFY(!first->isEnabled());
    }

    void longPathsAreShortenedInTheMenu_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "/home/ann/si.ptn"
                              << "/home/ann/si.ptn";
        QTest::newRow("folders give way") << "/home/ann/patterns/2024/march/si.ptn"
                                          << "/.../2024/march/si.ptn";
        QTest::newRow("only the name fits") << "/home/ann/a-long-pattern-name1.ptn"
                                            << "/.../a-long-pattern-name1.ptn";
        QTest::newRow("name alone is too long")
            << "/home/ann/an-extremely-long-pattern-name-indeed.ptn"
            << "an-extremely-long-pattern-name-indeed.ptn";
    }
    void longPathsAreShortenedInTheMenu() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        if (QDir::separator() != QLatin1Char('/'))
            QSKIP("paths of this case use '/'");
        QCOMPARE(AbbreviatePath(path, 30), shown);
    }
};

QTEST_MAIN(DocFilesTest)
#include "doc_files_test.moc"
