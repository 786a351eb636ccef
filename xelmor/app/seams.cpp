#include "xelmor/app/seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace xelmor {

namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MsgAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::Ok;
    }
}

class BoxSink : public MessageSink {
public:
    MsgAnswer Show(QWidget* parent, const Message& m) override {
        QMessageBox box(IconOf(m.icon), QString::fromStdString(m.caption),
                        QString::fromStdString(m.text), ButtonsOf(m.buttons), parent);
        return AnswerOf(box.exec());
    }
};

class ExecRunner : public DialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

QString WithDefaultExtension(const QString& path, const QString& ext) {
    if (path.isEmpty() || ext.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ext;
}

class DialogFiles : public FileChooser {
public:
    QString Open(QWidget* parent, const QString& title, const QString& filter, const QString&,
                 const QString& folder) override {
        return QFileDialog::getOpenFileName(parent, title, folder, QtFilter(filter));
    }
    QString Save(QWidget* parent, const QString& title, const QString& filter,
                 const QString& defaultExt, const QString& folder,
                 const QString& proposedName) override {
        QFileDialog dialog(parent, title, folder, QtFilter(filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultExt); // Qt appends it and asks before overwriting
        if (!proposedName.isEmpty())
            dialog.selectFile(proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return WithDefaultExtension(dialog.selectedFiles().front(), defaultExt);
    }
};

class DesktopServices : public Shell {
public:
    bool OpenDocument(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    bool StartProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }
};

MessageSink* gSink = nullptr;
DialogRunner* gRunner = nullptr;
FileChooser* gFiles = nullptr;
Shell* gShell = nullptr;

} // namespace

MsgAnswer ShowMessage(QWidget* parent, const Message& message) {
    static BoxSink boxes;
    Message m = message;
    if (m.caption.empty())
        m.caption = QApplication::applicationName().toStdString();
    return (gSink ? gSink : &boxes)->Show(parent, m);
}

int RunModal(QDialog& dialog) {
    static ExecRunner exec;
    return (gRunner ? gRunner : &exec)->Run(dialog);
}

FileChooser& Files() {
    static DialogFiles dialogs;
    return gFiles ? *gFiles : dialogs;
}

Shell& DesktopShell() {
    static DesktopServices desktop;
    return gShell ? *gShell : desktop;
}

void InstallMessageSink(MessageSink* sink) { gSink = sink; }
void InstallDialogRunner(DialogRunner* runner) { gRunner = runner; }
void InstallFileChooser(FileChooser* chooser) { gFiles = chooser; }
void InstallShell(Shell* shell) { gShell = shell; }

QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        // The description already names the patterns in "(*.ptn)"; Qt reads the patterns from
        // the parentheses, so they are set to exactly the filter's own.
        const int open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            name = name.left(open).trimmed();
        out << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace xelmor
