// Test doubles of the program's ways out: a message recorder, a dialog runner, a file chooser
// and a recording shell. Each installs itself while it lives, so no test blocks on a modal box.
// They need nothing but the seams, so the tests of both programs use them.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "xelmor/app/seams.h"

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

} // namespace xelmor::test
