#include "files/companionfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>


namespace talven {

namespace {

const QString Format = QStringLiteral("talven-companion");
constexpr int Version = 1;

QString fingerprint(const QByteArray &studyBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(studyBytes, QCryptographicHash::Sha256).toHex());
}

// A level written as a text ("3.40") or, by another tool, as a number.
QString levelText(const QJsonValue &value)
{
    return value.isDouble() ? QString::number(value.toDouble(), 'g', 15) : value.toString();
}

Message changedStudyMessage(const QString &studyPath)
{
    return {QStringLiteral("「%1」は水位ケースと表題欄を保存したあとで変更されています。\r\n"
                           "検討ファイルの値を使い、ほかのケースと表題欄は保存されていたものを使います。")
                .arg(QFileInfo(studyPath).fileName()),
            MessageIcon::Information, QStringLiteral("タルヴェン・読み込み")};
}

}  // namespace

QString companionPath(const QString &studyPath)
{
    const QFileInfo study(studyPath);
    return study.dir().filePath(study.completeBaseName() + QStringLiteral(".talven.json"));
}

QByteArray encodeCompanion(const Study &study, const QString &studyFileName, const QByteArray &studyBytes)
{
    // Case 1's levels are the study file's own.
    QJsonArray cases;
    for (const WaterLevelCase &levelCase : study.cases()) {
        QJsonObject entry{{QStringLiteral("name"), levelCase.name}};
        if (!cases.isEmpty()) {
            entry.insert(QStringLiteral("wl1"), levelCase.outerText);
            entry.insert(QStringLiteral("wl2"), levelCase.innerText);
        }
        cases.append(entry);
    }
    QJsonObject root{
        {QStringLiteral("format"), Format},
        {QStringLiteral("version"), Version},
        {QStringLiteral("study"),
         QJsonObject{{QStringLiteral("file"), studyFileName}, {QStringLiteral("sha256"), fingerprint(studyBytes)}}},
        {QStringLiteral("cases"), cases},
    };
    if (study.titleBlock) {
        QJsonObject block;
        for (const TitleField &title : TitleFields)
            block.insert(QLatin1StringView(title.key), (*study.titleBlock).*title.value);
        root.insert(QStringLiteral("titleBlock"), block);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Message unreadableCompanionMessage(const QString &companionPath)
{
    return {QStringLiteral("「%1」を読み込めません。\r\n水位ケースと表題欄は使わず、検討ファイルの値だけで開きます。")
                .arg(QFileInfo(companionPath).fileName()),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・読み込み")};
}

StudyEdit applyCompanion(const StudyEdit &opened, const QString &studyPath, const QByteArray &studyBytes,
                         const QByteArray &companionBytes)
{
    const QString path = companionPath(studyPath);
    StudyEdit applied = opened;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(companionBytes, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || root.value(QStringLiteral("format")).toString() != Format
        || root.value(QStringLiteral("version")).toInt() != Version) {
        applied.messages.push_back(unreadableCompanionMessage(path));
        return applied;
    }
    if (root.value(QStringLiteral("study")).toObject().value(QStringLiteral("sha256")).toString()
        != fingerprint(studyBytes))
        applied.messages.push_back(changedStudyMessage(studyPath));

    // Case 1's levels are the study file's: only its name is read here.
    const QJsonArray entries = root.value(QStringLiteral("cases")).toArray();
    std::vector<WaterLevelCase> cases = applied.study.cases();
    std::vector<std::vector<Message>> caseMessages(1);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject entry = entries[i].toObject();
        const QString name = entry.value(QStringLiteral("name")).toString().left(CaseNameMaxLength);
        if (i == 0) {
            cases.front().name = name;
            continue;
        }
        WaterLevelCase levelCase{name, {}, {}, 0.0, 0.0};
        std::vector<Message> &messages = caseMessages.emplace_back();
        for (const auto &[level, key] : {std::pair{Level::Outer, "wl1"}, std::pair{Level::Inner, "wl2"}}) {
            const CaseLevelEdit edit = writeCaseLevel(levelCase, level, levelText(entry.value(QLatin1StringView(key))));
            levelCase = edit.levelCase;
            if (edit.message)
                messages.push_back(*edit.message);
        }
        cases.push_back(refreshCaseLevels(levelCase));
    }
    // The range messages of the cases that are used, then what is left out.
    const StudyEdit set = setCases(applied.study, cases);
    for (int i = 0; i < set.study.caseCount(); ++i)
        applied.messages.insert(applied.messages.end(), caseMessages[std::size_t(i)].begin(), caseMessages[std::size_t(i)].end());
    applied.append(set);

    if (root.contains(QStringLiteral("titleBlock"))) {
        const QJsonObject block = root.value(QStringLiteral("titleBlock")).toObject();
        TitleBlock title;
        for (const TitleField &field : TitleFields)
            title.*field.value = cappedTitleText(block.value(QLatin1StringView(field.key)).toString());
        applied.study.titleBlock = title;
    }
    return applied;
}

}  // namespace talven
