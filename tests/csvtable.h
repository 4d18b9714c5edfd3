#pragma once

// Reads back talven-report's table as a spreadsheet would: UTF-8 after a
// byte-order mark, RFC 4180 fields (quoted ones may hold commas, doubled
// quotes and line breaks), rows ending in CR LF. Empty when the mark is missing.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

inline QList<QStringList> parseCsvTable(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {};
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted && c == u'"' && next == u'"') {
            field += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u',') {
            row.append(std::exchange(field, QString()));
        } else if (!quoted && c == u'\r' && next == u'\n') {
            row.append(std::exchange(field, QString()));
            rows.append(std::exchange(row, QStringList()));
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}
