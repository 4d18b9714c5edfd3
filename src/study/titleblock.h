#pragma once

#include <QString>

#include <array>

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

// A title-block text as it is read from an option, the settings, a dialog or
// a companion file: at most its first 1,000 characters (a character never
// split in two). A slot shows some forty; a longer text would only cost time
// and memory.
inline QString cappedTitleText(const QString &text)
{
    constexpr qsizetype MaxLength = 1000;
    if (text.size() <= MaxLength)
        return text;
    // The low half of a pair stays with its high half, or both go.
    return text.left(text.at(MaxLength - 1).isHighSurrogate() ? MaxLength - 1 : MaxLength);
}

// The fields in the order of the page and every form that shows them: the
// key a companion file stores each under, its label.
struct TitleField {
    const char *key;
    QString TitleBlock::*value;
    const char16_t *label;
};

inline constexpr std::array<TitleField, 6> TitleFields{{
    {"job", &TitleBlock::job, u"業務名"},
    {"structure", &TitleBlock::structure, u"構造物名"},
    {"company", &TitleBlock::company, u"会社名"},
    {"designer", &TitleBlock::designer, u"設計者"},
    {"checker", &TitleBlock::checker, u"照査者"},
    {"date", &TitleBlock::date, u"作成日"},
}};

}  // namespace talven
