// The program's ways out to the user and the desktop — message boxes, modal dialogs, file
// choice, the shell — each behind an interface that tests replace with a double.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "structfile/message.h"

class QDialog;
class QWidget;

namespace xelmor {

// The button a message box was closed with.
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// Shows message boxes. The program's own implementation shows a QMessageBox; tests install a
// recorder that stores every message and answers with a scripted button.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MsgAnswer Show(QWidget* parent, const Message& message) = 0;
};

// Runs modal dialogs. The program's own implementation calls exec(); tests install a runner
// that fills the dialog and accepts or rejects it without blocking.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Returns QDialog::Accepted or QDialog::Rejected.
    virtual int Run(QDialog& dialog) = 0;
};

// Asks the user for a file. Filters are given in the program's own form
// ("A|*.a;*.b|B|*.c||"); an empty result means cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString Open(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultExt, const QString& folder) = 0;
    // Appends the default extension when the name has none and asks before overwriting.
    virtual QString Save(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultExt, const QString& folder,
                         const QString& proposedName) = 0;
};

// Opens documents and URLs and starts programs. Returns false when the request failed.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool OpenDocument(const QString& path) = 0;
    virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
};

// The program's one message helper: shows `message` through the installed sink, with the
// caption of the running program when the message names none.
MsgAnswer ShowMessage(QWidget* parent, const Message& message);
// Runs a modal dialog through the installed runner.
int RunModal(QDialog& dialog);
FileChooser& Files();
Shell& DesktopShell();

// Installs a double (tests); nullptr goes back to the program's own implementation.
void InstallMessageSink(MessageSink* sink);
void InstallDialogRunner(DialogRunner* runner);
void InstallFileChooser(FileChooser* chooser);
void InstallShell(Shell* shell);

// "A|*.a;*.b|B|*.c||" as a Qt filter: "A (*.a *.b);;B (*.c)".
QString QtFilter(const QString& filter);

} // namespace xelmor
