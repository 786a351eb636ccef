// Small helpers of the widget tests: a control by its id, a file written with given bytes, and
// the texts of a table.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QtTest>

namespace xelmor::test {

// The control `id` of `parent` (named "id" + its control id); a missing control ends the test
// program, since every later step would dereference it.
template <class W = QLineEdit> W* Child(QWidget& parent, int id) {
    W* w = parent.findChild<W*>(QStringLiteral("id%1").arg(id));
    if (!w)
        qFatal("no control id%d", id);
    return w;
}

// Writes `bytes` to `path`, replacing what was there.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The texts of the table named `objectName` inside `w`, row by row.
inline QList<QStringList> TableTexts(QWidget& w, const QString& objectName) {
    QList<QStringList> rows;
    auto* table = w.findChild<QTableWidget*>(objectName);
    if (!table)
        return rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c)
            row << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

} // namespace xelmor::test
