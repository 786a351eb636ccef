// Small helpers of the widget tests: a file written with given bytes, and the texts of a table.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QtTest>

namespace xelmor::test {

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
