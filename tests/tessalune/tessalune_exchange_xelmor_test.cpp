// The two programs exchange structure files: a file saved by the editor opens in Xelmor's
// crystal structure dialog with the same name, cell and atoms, and in the editor again with its
// temperatures.
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/tessalune/editor_helpers.h"
#include "xelmor/dialogs/dlg_cryst.h"

using namespace xelmor;
using namespace xelmor::tessalune;
using namespace xelmor::test;

namespace {

// The atom rows of a list without the editor's empty last row.
QList<QStringList> AtomRows(QWidget& w) {
    QList<QStringList> rows = Rows(w);
    rows.removeLast();
    return rows;
}

QList<QStringList> XelmorRows(QWidget& d) {
    return TableTexts(d, QStringLiteral("id1124"));
}

} // namespace

class StructExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tessalune")); }

    void savedByTheEditorOpensInXelmor() {
        QTemporaryDir tmp;
        const QString saved = tmp.filePath(QStringLiteral("GaAsFe.struct"));
        MessageRecorder messages;
        FileScript files;
        QList<QStringList> rows;
        {
            CTessaluneDlg editor;
            files.paths = {DataFile("GaAs.struct"), saved};
            Press(editor, "id1074");
            Edit(editor, "id1007")->setText(QStringLiteral("GaAs with iron"));
            Edit(editor, "id1010")->setText(QStringLiteral("6.125"));
            Edit(editor, "id1013")->setText(QStringLiteral("120"));
            AddAtom(editor, 26, 0.5, 0.5, 0.5, 0.25);
            Edit(editor, "id1017")->setText(QStringLiteral("470"));
            Press(editor, "id1038");
            rows = AtomRows(editor);
        }
        QVERIFY(messages.messages.empty());
        QCOMPARE(rows.size(), 9);
        QCOMPARE(rows[8], QStringList({"9", "Fe", "0.5", "0.5", "0.5", "0.25"}));

        files.paths = {saved};
        CDlgCryst xelmor(StructureData{}, QString(), QString());
        xelmor.show();
        QVERIFY(QTest::qWaitForWindowActive(&xelmor));
        Press(xelmor, "id1105");
        QVERIFY2(messages.messages.empty(), qPrintable(messages.Texts().join('|')));
        QCOMPARE(Edit(xelmor, "id1126")->text(), QStringLiteral("GaAs with iron"));
        QStringList lattice;
        for (const char* id : {"id1118", "id1119", "id1120", "id1121", "id1122", "id1123"})
            lattice << Edit(xelmor, id)->text();
        QCOMPARE(lattice, QStringList({"5.6533", "5.6533", "6.125", "90", "90", "120"}));
        QCOMPARE(XelmorRows(xelmor), rows);
        Press(xelmor, "id1");
        QCOMPARE(xelmor.result(), int(QDialog::Accepted));
        QCOMPARE(xelmor.Crystal().atoms.size(), std::size_t{9});
        QCOMPARE(xelmor.Crystal().atoms[8], (AtomSite{26, 0.5, 0.5, 0.5, 0.25}));

        // The editor reads its own file back, temperatures in ascending Z included.
        files.paths = {saved};
        CTessaluneDlg again;
        Press(again, "id1074");
        QVERIFY(messages.messages.empty());
        QCOMPARE(AtomRows(again), rows);
        QCOMPARE(Temperatures(again),
                 QStringList({"470 (Fe)", "360 (Ga)", "360 (As)", "", "", ""}));
    }
};

QTEST_MAIN(StructExchangeTest)
#include "tessalune_exchange_xelmor_test.moc"
