#include "study/titleblock.h"

#include <QFileInfo>

#include <algorithm>

namespace talven {

bool TitleBlock::isEmpty() const
{
    return std::all_of(TitleFields.begin(), TitleFields.end(),
                       [this](const TitleField &field) { return (this->*field.value).trimmed().isEmpty(); });
}

TitleBlock userFields(const TitleBlock &block)
{
    TitleBlock kept;
    for (const TitleField &field : TitleFields) {
        if (field.settingKey)
            kept.*field.value = block.*field.value;
    }
    return kept;
}

QString reportDate(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

TitleBlock printedTitleBlock(TitleBlock block, const QString &studyPath, const QString &day)
{
    if (block.structure.trimmed().isEmpty())
        block.structure = studyPath.isEmpty() ? QString() : QFileInfo(studyPath).completeBaseName();
    if (block.date.trimmed().isEmpty())
        block.date = day;
    return block;
}

void TitleOverrides::set(QString TitleBlock::*field, const QString &text)
{
    values.*field = text;
    if (!has(field))
        given.push_back(field);
}

bool TitleOverrides::has(QString TitleBlock::*field) const
{
    return std::find(given.begin(), given.end(), field) != given.end();
}

TitleBlock TitleOverrides::over(TitleBlock block) const
{
    for (QString TitleBlock::*field : given)
        block.*field = values.*field;
    return block;
}

}  // namespace talven
