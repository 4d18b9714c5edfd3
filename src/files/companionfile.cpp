#include "files/companionfile.h"

#include "files/controlcharacters.h"
#include "files/platform.h"
#include "study/fieldrules.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <array>
#include <utility>

namespace talven {

namespace {

const QString Format = QStringLiteral("talven-companion");
constexpr int Version = 1;

QString fingerprint(const QByteArray &studyBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(studyBytes, QCryptographicHash::Sha256).toHex());
}

// A level written as a text ("3.40") is read as typed. One written as a
// number, by another tool, is read as the same digits written out: its
// notation must not change it (1e-05 is 0.00001, not 1, and 1e308 is out of
// range, not 1). Nothing for what is no level at all (true, null, an object,
// an array), which is refused as a level out of range is; a missing level is
// an empty box.
std::optional<QString> levelText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Undefined:
        return QString();
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    default:
        return std::nullopt;
    }
}

// The root of a companion this version reads; nothing for any other bytes.
std::optional<QJsonObject> companionRoot(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || root.value(QStringLiteral("format")).toString() != Format
        || root.value(QStringLiteral("version")).toInt() != Version)
        return std::nullopt;
    return root;
}

QJsonObject recordedStudy(const QJsonObject &root)
{
    return root.value(QStringLiteral("study")).toObject();
}

// A file's name as a message shows it, on screen and on standard error.
QString shownName(const QString &path)
{
    return escapeControlCharacters(QFileInfo(path).fileName());
}

Message changedStudyMessage(const QString &studyPath)
{
    return {QStringLiteral("「%1」は水位ケースと表題欄を保存したあとで変更されています。\r\n"
                           "検討ファイルの値を使い、ほかのケースと表題欄は保存されていたものを使います。")
                .arg(shownName(studyPath)),
            MessageIcon::Information, QStringLiteral("タルヴェン・読み込み")};
}

Message otherStudyMessage(const QString &studyPath, const QString &recorded)
{
    return {QStringLiteral("「%1」は「%2」の水位ケースと表題欄です。\r\n"
                           "「%3」には使わず、検討ファイルの値だけで開きます。")
                .arg(shownName(companionPath(studyPath)), escapeControlCharacters(recorded), shownName(studyPath)),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・読み込み")};
}

// The keys of the cut-off's measures in a companion's "cutOff".
constexpr std::array<std::pair<const char *, std::optional<double> CutOffDetails::*>, 3> CutOffMeasures{{
    {"wallHeight", &CutOffDetails::wallHeight},
    {"wallWidth", &CutOffDetails::wallWidth},
    {"excavationWidth", &CutOffDetails::excavationWidth},
}};

// The cut-off's details as a companion keeps them, each only where given;
// none when none is.
std::optional<QJsonObject> cutOffObject(const CutOffDetails &details)
{
    QJsonObject cutOff;
    if (!details.pileType.isEmpty())
        cutOff.insert(QStringLiteral("pileType"), details.pileType);
    for (const auto &[key, measure] : CutOffMeasures) {
        if (const std::optional<double> &value = details.*measure)
            cutOff.insert(QLatin1StringView(key), *value);
    }
    if (cutOff.isEmpty())
        return std::nullopt;
    return cutOff;
}

// Where a case's levels come from: only the texts given.
void insertLevelBasis(QJsonObject &entry, const LevelBasis &basis)
{
    for (const LevelBasisField &field : LevelBasisFields) {
        if (!(basis.*field.value).isEmpty())
            entry.insert(QLatin1StringView(field.key), basis.*field.value);
    }
}

LevelBasis levelBasisOf(const QJsonObject &entry)
{
    LevelBasis basis;
    for (const LevelBasisField &field : LevelBasisFields)
        basis.*field.value = cappedTitleText(entry.value(QLatin1StringView(field.key)).toString());
    return basis;
}

// The study's basis ("basis", its texts given) and the page options it keeps
// as its own ("pageLabel", "sheet"), each where it has them.
void insertBasisAndPages(QJsonObject &root, const Study &study)
{
    QJsonObject basis;
    for (const DesignBasisField &field : DesignBasisFields) {
        if (!(study.basis.*field.value).isEmpty())
            basis.insert(QLatin1StringView(field.key), study.basis.*field.value);
    }
    if (!basis.isEmpty())
        root.insert(QStringLiteral("basis"), basis);
    if (study.pages.has(&PageOptions::pageLabel))
        root.insert(QStringLiteral("pageLabel"), study.pages.values.pageLabel);
    if (study.pages.has(&PageOptions::sheet))
        root.insert(QStringLiteral("sheet"), study.pages.values.sheet);
}

// What insertBasisAndPages wrote, or another tool: texts that are no texts
// are read as empty, as a title field is, and a "sheet" that is not true or
// false as none.
void readBasisAndPages(Study &study, const QJsonObject &root)
{
    const QJsonObject basis = root.value(QStringLiteral("basis")).toObject();
    for (const DesignBasisField &field : DesignBasisFields)
        study.basis.*field.value = cappedTitleText(basis.value(QLatin1StringView(field.key)).toString());
    study.pages = {};
    if (const QJsonValue label = root.value(QStringLiteral("pageLabel")); label.isString())
        study.pages.set(&PageOptions::pageLabel, cappedTitleText(label.toString().trimmed()));
    if (const QJsonValue sheet = root.value(QStringLiteral("sheet")); sheet.isBool())
        study.pages.set(&PageOptions::sheet, sheet.toBool());
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
        insertLevelBasis(entry, levelCase.basis);
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
    // The vertical rows' stations, null where none is given; the bottom level.
    if (std::any_of(study.stations.begin(), study.stations.end(), [](const auto &station) { return station.has_value(); })) {
        QJsonArray stations;
        for (const std::optional<double> &station : study.stations)
            stations.append(station ? QJsonValue(*station) : QJsonValue(QJsonValue::Null));
        root.insert(QStringLiteral("stations"), stations);
    }
    if (study.bottomLevel)
        root.insert(QStringLiteral("bottomLevel"), *study.bottomLevel);
    if (const std::optional<QJsonObject> cutOff = cutOffObject(study.cutOff))
        root.insert(QStringLiteral("cutOff"), *cutOff);
    insertBasisAndPages(root, study);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<QString> recordedStudyFile(const QByteArray &companionBytes)
{
    const std::optional<QJsonObject> root = companionRoot(companionBytes);
    if (!root)
        return std::nullopt;
    return recordedStudy(*root).value(QStringLiteral("file")).toString();
}

bool belongsTo(const QString &recorded, const QString &studyFileName)
{
    return recorded.isEmpty() || recorded == studyFileName;
}

Message unreadableCompanionMessage(const QString &companionPath)
{
    return {QStringLiteral("「%1」を読み込めません。\r\n水位ケースと表題欄は使わず、検討ファイルの値だけで開きます。")
                .arg(shownName(companionPath)),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・読み込み")};
}

Message takeOverQuestion(const QString &studyPath, const QString &recorded)
{
    return {QStringLiteral("「%1」は「%2」の水位ケースと表題欄です。\r\n「%3」のものとして上書きしますか？")
                .arg(shownName(companionPath(studyPath)), escapeControlCharacters(recorded), shownName(studyPath)),
            MessageIcon::Question, QStringLiteral("タルヴェン・保存")};
}

QString keptCompanionPath(const QString &companionPath)
{
    const QFileInfo companion(companionPath);
    const QString stem = companion.dir().filePath(
        companion.fileName().chopped(QStringLiteral(".json").size()) + QStringLiteral("-unreadable"));
    QString kept = stem + QStringLiteral(".json");
    for (int number = 2; QFileInfo::exists(kept) || platform::isLink(kept); ++number)
        kept = stem + QStringLiteral("-%1.json").arg(number);
    return kept;
}

Message keptCompanionMessage(const QString &companionPath, const QString &keptPath)
{
    return {QStringLiteral("「%1」はこのバージョンでは読めない形式のため、「%2」として残しました。")
                .arg(shownName(companionPath), shownName(keptPath)),
            MessageIcon::Information, QStringLiteral("タルヴェン・保存")};
}

namespace {

// A number as a companion holds it, as text or as a JSON number; nothing for
// null or no value, and an error for what is no number.
struct ReadNumber {
    std::optional<double> value;
    bool error = false;
};

ReadNumber numberOf(const QJsonValue &value)
{
    if (value.isNull() || value.isUndefined())
        return {};
    const std::optional<QString> text = levelText(value);
    bool ok = false;
    const double number = text ? text->trimmed().toDouble(&ok) : 0.0;
    if (!ok)
        return {std::nullopt, true};
    return {number, false};
}

// The stations and the bottom level a companion brings, through the
// study's own check; what cannot be read leaves them out with its message.
StudyEdit placementOf(const Study &study, const QJsonObject &root)
{
    std::array<std::optional<double>, PileCount> stations{};
    const QJsonArray entries = root.value(QStringLiteral("stations")).toArray();
    bool error = false;
    for (qsizetype row = 0; row < entries.size() && row < PileCount; ++row) {
        const ReadNumber station = numberOf(entries[row]);
        stations[std::size_t(row)] = station.value;
        error = error || station.error;
    }
    const ReadNumber bottom = numberOf(root.value(QStringLiteral("bottomLevel")));
    if (error)
        return {study, {stationRangeMessage(double(seepageLength(study.record)) / 100.0)}, -1};
    if (bottom.error)
        return {study, {levelRangeMessage()}, -1};
    return setPlacement(study, stations, bottom.value);
}

// The cut-off's details a companion brings, through the study's own check;
// a measure that is no number, or out of range, leaves them all out with
// the range message.
StudyEdit cutOffOf(const Study &study, const QJsonObject &root)
{
    const QJsonObject cutOff = root.value(QStringLiteral("cutOff")).toObject();
    CutOffDetails details;
    details.pileType = cutOff.value(QStringLiteral("pileType")).toString();
    for (const auto &[key, measure] : CutOffMeasures) {
        const ReadNumber value = numberOf(cutOff.value(QLatin1StringView(key)));
        if (value.error)
            return {study, {lengthRangeMessage()}, -1};
        details.*measure = value.value;
    }
    return setCutOffDetails(study, details);
}

}  // namespace

StudyEdit applyCompanion(const StudyEdit &opened, const QString &studyPath, const QByteArray &studyBytes,
                         const QByteArray &companionBytes)
{
    const QString path = companionPath(studyPath);
    StudyEdit applied = opened;
    const std::optional<QJsonObject> read = companionRoot(companionBytes);
    if (!read) {
        applied.messages.push_back(unreadableCompanionMessage(path));
        return applied;
    }
    const QJsonObject &root = *read;
    const QString recorded = recordedStudy(root).value(QStringLiteral("file")).toString();
    if (!belongsTo(recorded, platform::actualFileName(studyPath))) {
        applied.messages.push_back(otherStudyMessage(studyPath, recorded));
        return applied;
    }
    if (recordedStudy(root).value(QStringLiteral("sha256")).toString() != fingerprint(studyBytes))
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
            cases.front().basis = levelBasisOf(entry);
            continue;
        }
        WaterLevelCase levelCase{name, {}, {}, 0.0, 0.0, levelBasisOf(entry)};
        std::vector<Message> &messages = caseMessages.emplace_back();
        for (const auto &[level, key] : {std::pair{Level::Outer, "wl1"}, std::pair{Level::Inner, "wl2"}}) {
            const std::optional<QString> text = levelText(entry.value(QLatin1StringView(key)));
            CaseLevelEdit edit = writeCaseLevel(levelCase, level, text.value_or(QString()));
            if (!text)
                edit.message = levelRangeMessage();
            levelCase = edit.levelCase;
            if (edit.message)
                messages.push_back(*edit.message);
        }
        cases.push_back(refreshCaseLevels(levelCase));
    }
    // The range messages of the first eight cases read, then what is left out.
    for (std::size_t i = 0; i < caseMessages.size() && i < std::size_t(CaseLimit); ++i)
        applied.messages.insert(applied.messages.end(), caseMessages[i].begin(), caseMessages[i].end());
    applied.append(setCases(applied.study, cases));

    applied.append(placementOf(applied.study, root));
    applied.append(cutOffOf(applied.study, root));
    readBasisAndPages(applied.study, root);

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
