#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <vector>

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
    QString river;      // 河川名
    QString place;      // 所在地

    bool isEmpty() const;
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
// key a companion file stores each under (also talven-report's option,
// "--job"), its label, and the key of the user's settings for the fields the
// user signs every study with or that a job's studies share (none for the
// study's own 所在地, 構造物名 and 作成日).
struct TitleField {
    const char *key;
    QString TitleBlock::*value;
    const char16_t *label;
    const char *settingKey;
};

inline constexpr std::array<TitleField, 8> TitleFields{{
    {"job", &TitleBlock::job, u"業務名", "report/job"},
    {"river", &TitleBlock::river, u"河川名", "report/river"},
    {"place", &TitleBlock::place, u"所在地", nullptr},
    {"structure", &TitleBlock::structure, u"構造物名", nullptr},
    {"company", &TitleBlock::company, u"会社名", "report/company"},
    {"designer", &TitleBlock::designer, u"設計者", "report/designer"},
    {"checker", &TitleBlock::checker, u"照査者", "report/checker"},
    {"date", &TitleBlock::date, u"作成日", nullptr},
}};

// The user's fields of `block` (those with a setting key), the others empty.
TitleBlock userFields(const TitleBlock &block);

// "2026年12月7日".
QString reportDate(const QDate &date);

// The title block as a page prints it: 構造物名 left empty is the study
// file's name without its extension (none for a study without a file), 作成日
// left empty `day`.
TitleBlock printedTitleBlock(TitleBlock block, const QString &studyPath, const QString &day);

// Title fields given for every study of a run (talven-report's --job …):
// each replaces the study's own, an empty text included.
struct TitleOverrides {
    TitleBlock values;
    std::vector<QString TitleBlock::*> given;

    void set(QString TitleBlock::*field, const QString &text);
    bool has(QString TitleBlock::*field) const;
    // `block` with the given fields replaced.
    TitleBlock over(TitleBlock block) const;
    bool operator==(const TitleOverrides &) const = default;
};

}  // namespace talven
