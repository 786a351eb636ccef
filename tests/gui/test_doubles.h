// Test doubles of the program's ways out: a message recorder, a dialog runner, a file chooser
// and a recording shell. Each installs itself while it lives, so no test blocks on a modal box.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_app.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/params.h"
#include "xelmor/files/settings.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/panel/full_control_bar.h"

namespace xelmor::test {

// Records every message box (caption, text, icon, buttons) and answers with the scripted
// buttons in order, then with `fallback`.
class MessageRecorder : public MessageSink {
public:
    MessageRecorder() { InstallMessageSink(this); }
    ~MessageRecorder() override { InstallMessageSink(nullptr); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    MsgAnswer Show(QWidget*, const Message& message) override {
        messages.push_back(message);
        if (onShow)
            onShow(message);
        if (answers.empty())
            return fallback;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    // The texts of the recorded messages, in order.
    QStringList Texts() const {
        QStringList out;
        for (const Message& m : messages)
            out << QString::fromStdString(m.text);
        return out;
    }
    void Clear() { messages.clear(); }

    std::vector<Message> messages;
    std::deque<MsgAnswer> answers;
    MsgAnswer fallback = MsgAnswer::Ok;
    std::function<void(const Message&)> onShow; // called while the box would be open
};

// Runs modal dialogs without blocking: shows the dialog, lets `fill` set its controls and call
// accept() or reject(), then hides it and returns its result. Without `fill` every dialog is
// cancelled. The window title of every dialog run is recorded.
class DialogScript : public DialogRunner {
public:
    explicit DialogScript(std::function<void(QDialog&)> fillAndClose = {})
        : fill(std::move(fillAndClose)) {
        InstallDialogRunner(this);
    }
    ~DialogScript() override { InstallDialogRunner(nullptr); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    int Run(QDialog& dialog) override {
        titles << dialog.windowTitle();
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (fill)
            fill(dialog);
        const int result = dialog.result();
        dialog.hide();
        return result;
    }

    std::function<void(QDialog&)> fill;
    QStringList titles;
};

// Answers open and save dialogs with the scripted paths in order (then with an empty path,
// which is a cancel) and records what was asked.
class FileScript : public FileChooser {
public:
    FileScript() { InstallFileChooser(this); }
    ~FileScript() override { InstallFileChooser(nullptr); }
    FileScript(const FileScript&) = delete;
    FileScript& operator=(const FileScript&) = delete;

    struct Request {
        bool save = false;
        QString title, filter, defaultExt, folder, proposedName;
    };

    QString Open(QWidget*, const QString& title, const QString& filter, const QString& defaultExt,
                 const QString& folder) override {
        requests.push_back({false, title, filter, defaultExt, folder, QString()});
        return Next();
    }
    QString Save(QWidget*, const QString& title, const QString& filter, const QString& defaultExt,
                 const QString& folder, const QString& proposedName) override {
        requests.push_back({true, title, filter, defaultExt, folder, proposedName});
        return Next();
    }

    std::deque<QString> paths;
    std::vector<Request> requests;

private:
    QString Next() {
        if (paths.empty())
            return QString();
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

// Records documents opened and programs started instead of launching anything; every request
// answers `succeed`.
class RecordingShell : public Shell {
public:
    RecordingShell() { InstallShell(this); }
    ~RecordingShell() override { InstallShell(nullptr); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    struct Start {
        QString program;
        QStringList arguments;
    };

    bool OpenDocument(const QString& path) override {
        opened << path;
        return succeed;
    }
    bool StartProgram(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return succeed;
    }

    QStringList opened;
    std::vector<Start> started;
    bool succeed = true;
};

// The program folder of the build (tests run from build/tests, the program and its delivered
// data files lie in build/bin).
inline QString BuiltProgramDir() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

// A store as a program that ran before leaves it: the screen is calibrated, so no calibration
// dialog opens at start-up.
inline void MarkCalibrated(SettingsStore& store, int calibZoom = kUncalibratedZoom) {
    WriteCalibZoom(store, calibZoom);
}

// Starts the program on `store` with `programDir` as program folder and `arguments` as its
// command line. Null when the start-up failed.
inline std::unique_ptr<CXelmorApp> StartApp(SettingsStore& store,
                                            const QString& programDir = BuiltProgramDir(),
                                            const QStringList& arguments = QStringList()) {
    // The program's name is the caption of its messages.
    QCoreApplication::setApplicationName(QStringLiteral("Xelmor"));
    auto app = std::make_unique<CXelmorApp>(&store, programDir);
    if (!app->InitInstance(arguments))
        return nullptr;
    return app;
}

// Gives the parameter set a silicon crystal (diamond structure, a = 5.431 Angstrom) and a
// confirmed geometry (surface 0 0 1, horizontal 1 0 0, index ranges 4), so a run can follow.
inline void SetUpSilicon(CParameterSet& p) {
    CrystalData si{"Silicon", 5.431, 5.431, 5.431, 90, 90, 90, {}};
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            si.atoms.push_back({14, f[0] + shift, f[1] + shift, f[2] + shift, 1.0});
    TakeOverCrystal(p, std::move(si));
    MarkCrystalChanged(p);
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 4;
    MarkGeometryConfirmed(p);
}

// Counts the paints of a widget (to tell that something was, or was not, redrawn).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// A started program with every double installed (dialogs are cancelled unless a test sets
// `dialogs.fill`), on a calibrated store that `prepare` may fill first.
struct StartedApp {
    MemorySettingsStore store;
    MessageRecorder messages;
    DialogScript dialogs{[](QDialog& d) { d.reject(); }};
    FileScript files;
    RecordingShell shell;
    std::unique_ptr<CXelmorApp> app;
    CMainFrame* frame = nullptr;
    CXelmorDoc* doc = nullptr;
    CFullControlBar* bar = nullptr;

    explicit StartedApp(std::function<void(MemorySettingsStore&)> prepare = {}) {
        MarkCalibrated(store);
        if (prepare)
            prepare(store);
        app = StartApp(store);
        frame = app->MainFrame();
        doc = app->Document();
        bar = frame->ControlBar();
    }
    CParameterSet& Params() { return app->m_Params; }
    // A pattern with spots: silicon with a confirmed geometry, then a run.
    void Simulate() {
        SetUpSilicon(app->m_Params);
        frame->OnCommand(ID_UPDATE_BAR_TO_APP);
    }
};

} // namespace xelmor::test
