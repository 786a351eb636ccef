// The application's own commands: starting the structure editor from the program folder (and
// the message when it is not there) and the About box.
#include <QtTest>

#include <QTemporaryDir>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"

using namespace xelmor;
using namespace xelmor::test;

class AppCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void editorStartsFromTheProgramFolder() {
        QTemporaryDir programDir;
        MemorySettingsStore store;
        MarkCalibrated(store);
        MessageRecorder messages;
        RecordingShell shell;
        auto app = StartApp(store, programDir.path());
        messages.Clear(); // the folder holds no default spectrum
        const QString editor = QDir::toNativeSeparators(programDir.path()) + QDir::separator() +
                               QStringLiteral("tessalune");

        app->MainFrame()->Action(ID_EDITOR)->trigger();
        QCOMPARE(messages.messages.size(), std::size_t(1));
        QCOMPARE(messages.messages[0], MakeMessage((editor + " not found!").toStdString(),
                                                   MsgIcon::Exclamation, "Xelmor"));
        QVERIFY(shell.started.empty());

        QFile file(editor);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        messages.Clear();
        app->MainFrame()->OnCommand(ID_EDITOR);
        QVERIFY(messages.messages.empty());
        QCOMPARE(shell.started.size(), std::size_t(1));
        QCOMPARE(shell.started[0].program, editor);
        QCOMPARE(shell.started[0].arguments, QStringList());

        // A start that fails for another reason is not reported.
        shell.succeed = false;
        app->MainFrame()->OnCommand(ID_EDITOR);
        QVERIFY(messages.messages.empty());
    }

    void aboutBox() {
        MemorySettingsStore store;
        MarkCalibrated(store);
        MessageRecorder messages;
        DialogScript dialogs([](QDialog& d) { d.accept(); });
        auto app = StartApp(store);
        app->MainFrame()->Action(ID_APP_ABOUT)->trigger();
        QCOMPARE(dialogs.titles, QStringList{QStringLiteral("About Xelmor")});
    }
};

QTEST_MAIN(AppCommandsTest)
#include "app_commands_test.moc"
