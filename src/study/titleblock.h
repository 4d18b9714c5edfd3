#pragma once

#include <QString>

namespace talven {

// The title block (表題欄) printed at the top of a study's report; an empty
// field is left out, and with every field empty there is no block.
struct TitleBlock {
    QString job;        // 業務名
    QString structure;  // 構造物名
    QString company;    // 会社名
    QString designer;   // 設計者
    QString checker;    // 照査者
    QString date;       // 作成日, "2026年12月7日"

    bool isEmpty() const
    {
        for (const QString *field : {&job, &structure, &company, &designer, &checker, &date}) {
            if (!field->trimmed().isEmpty())
                return false;
        }
        return true;
    }
    bool operator==(const TitleBlock &) const = default;
};

}  // namespace talven
