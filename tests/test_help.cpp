// The help file as shipped beside the program: its contents links reach their
// sections, and what it tells the user (soil tables and their sources, ranges,
// messages, box lengths, and every passage marked with data-check: worked
// examples and rules with numbers) is what the program does.
#include "builtprogram.h"
#include "app/helpwindow.h"
#include "app/mainwindow.h"
#include "app/pagearea.h"
#include "files/usersettings.h"
#include "check/creepcheck.h"
#include "check/designaid.h"
#include "check/designreview.h"
#include "check/studycheck.h"
#include "files/studyfile.h"
#include "study/fieldrules.h"
#include "study/numbers.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"
#include "workedexample.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

using namespace talven;

namespace {

using TableRows = QList<QStringList>;

QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText().trimmed();
}

QList<TableRows> tablesOf(QTextDocument *document)
{
    QList<TableRows> tables;
    for (QTextFrame *frame : document->rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        TableRows rows;
        for (int row = 0; row < table->rows(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columns(); ++column)
                cells << cellText(table, row, column);
            rows << cells;
        }
        tables << rows;
    }
    return tables;
}

// Message boxes break lines with CR LF; the page runs the lines on.
QString onOneLine(const QString &prompt)
{
    QString text = prompt;
    return text.remove(QStringLiteral("\r\n"));
}

// The passages marked data-check="name", as plain text: tags dropped, table
// cells joined by a space, rows and list items on lines of their own. A
// marked element holds no element of its own kind.
QMap<QString, QString> markedPassages(const QString &html)
{
    static const QRegularExpression marked(
        QStringLiteral("<(\\w+)\\b[^>]*\\bdata-check=\"([^\"]+)\"[^>]*>(.*?)</\\1>"),
        QRegularExpression::DotMatchesEverythingOption);
    QMap<QString, QString> passages;
    for (const QRegularExpressionMatch &match : marked.globalMatch(html)) {
        QString text = match.captured(3);
        text.replace(QRegularExpression(QStringLiteral("</t[dh]>")), QStringLiteral(" "));
        text.replace(QRegularExpression(QStringLiteral("</(tr|li)>")), QStringLiteral("\n"));
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        text.replace(QRegularExpression(QStringLiteral("[ \t]*\n[ \t]*")), QStringLiteral("\n"));
        passages.insert(match.captured(2), text.trimmed());
    }
    return passages;
}

QString shownTwoDecimals(double value)
{
    return formatNumber(value, NumberPattern::TwoDecimals);
}

// The first prefix of `typed` that the box refuses, as a count of characters; 0 when none.
int refusedAtCharacter(int box, const QString &typed)
{
    for (int length = 1; length <= typed.size(); ++length) {
        if (!checkNumberBox(box, typed.left(length), false).accepted)
            return length;
    }
    return 0;
}

// Each marked passage and what it must say, computed by the program's own
// functions. A check may also fail the test directly when a rule does not hold.
using ExpectedTexts = std::function<QStringList()>;

const QList<std::pair<QString, ExpectedTexts>> &passageChecks()
{
    static const QList<std::pair<QString, ExpectedTexts>> checks = {
        {QStringLiteral("bligh-ratio"),
         [] {
             return QStringList{QStringLiteral("8 は ") + requiredRatioText(Formula::Bligh, 8.0),
                                QStringLiteral("7.4 は ") + requiredRatioText(Formula::Bligh, 7.4),
                                QStringLiteral("表示した値で比べます")};
         }},
        {QStringLiteral("verdict-example"),
         [] {
             const Study input = workedExample();
             const StudyCheck check = checkStudy(input);
             const double length = check.structureLength;
             const double head = check.governingCase().headDifference;
             const SectionCheck &vertical = check.section(Section::Vertical);
             const double sigma = vertical.sigmaL;
             if (!vertical.verdict)
                 return QStringList{QStringLiteral("(no result)")};
             const SectionVerdict &result = *vertical.verdict;
             return QStringList{QStringLiteral("Ｌ＝") + generalNumber(length), QStringLiteral("ΔH＝") + generalNumber(head),
                                QStringLiteral("ΣL＝") + generalNumber(sigma),
                                QStringLiteral("（%1／3 ＋ %2）／ %3 ＝ %4 %5 %6 %7")
                                    .arg(generalNumber(length), generalNumber(sigma), generalNumber(head), result.provided,
                                         result.relation(), check.requiredShown,
                                         result.ok ? QStringLiteral("･･･ ＯＫ") : QStringLiteral("･･･ ＮＧ"))};
         }},
        {QStringLiteral("design-example"),
         [] {
             const Study input = workedExample();
             const StudyCheck check = checkStudy(input);
             const SectionCheck &vertical = check.section(Section::Vertical);
             const double path = check.reducedLength + vertical.sigmaL;
             const PileProposal inOrder = proposePileLengths(input, Section::Vertical, {50, ProposalWay::InOrder});
             const PileProposal alike = proposePileLengths(input, Section::Vertical, {50, ProposalWay::AllAlike});
             const SectionCheck &proposed = inOrder.check.section(Section::Vertical);
             if (!proposed.verdict || !vertical.allowableHead)
                 return QStringList{QStringLiteral("(no proposal)")};
             const QString head = vertical.allowableHeadText;
             const QString over = twoDecimals(*vertical.allowableHead + 0.01);
             auto change = [](double a, double b) { return twoDecimals(a) + QStringLiteral(" → ") + twoDecimals(b); };
             return QStringList{
                 QStringLiteral("ΣL の参考値は ") + check.governingCase().referenceSigmaL,
                 QStringLiteral("ΣL の過不足は ") + vertical.marginLabel(),
                 vertical.allowableHeadLabel(),
                 QStringLiteral("／ %1 ＝ %2 はＯＫ").arg(head, twoDecimals(path / *vertical.allowableHead)),
                 QStringLiteral("／ %1 ＝ %2 はＮＧ").arg(over, twoDecimals(path / (*vertical.allowableHead + 0.01))),
                 QStringLiteral("１行目 ") + change(3, inOrder.lengths[0]),
                 QStringLiteral("ΣL＝%1、Ｃ′= %2 %3 Ｃ = %4 ・・・ＯＫ、追加 %5 m")
                     .arg(proposed.sigmaLText, proposed.verdict->provided, proposed.verdict->relation(),
                          inOrder.check.requiredPrinted, twoDecimals(inOrder.added)),
                 change(3, alike.lengths[0]) + QStringLiteral(" と ") + change(1.5, alike.lengths[1])};
         }},
        {QStringLiteral("spacing-example"),
         [] {
             const Study input = twoLinesExample();
             QStringList texts{u'「' + spacingLine(checkSpacing(input), input.record) + u'」',
                               QStringLiteral("必要な ΣL ") + checkStudy(input).governingCase().referenceSigmaL + QStringLiteral(" m")};
             for (const QString &line : proposalLines(input, Section::Vertical))
                 texts << u'「' + line + u'」';
             return texts;
         }},
        {QStringLiteral("review-example"),
         [] {
             const StudyCheck check = checkStudy(sluiceGateVek());
             const std::vector<ReviewRow> rows = designReviewRows(sluiceGateVek(), check);
             const auto verdict = [&rows](int row) { return reviewVerdictText(rows.at(std::size_t(row)).verdict); };
             // The type, the wall and the excavation: one verdict for the three.
             const bool alike = verdict(3) == verdict(5) && verdict(4) == verdict(5);
             QStringList texts{u'「' + rows[0].planned + QStringLiteral("」で ") + verdict(0),
                               u'「' + rows[1].planned + QStringLiteral("」で「") + verdict(1) + u'」',
                               QStringLiteral("その行は「%1」").arg(alike ? verdict(5) : QStringLiteral("(three verdicts)"))};
             // Each ratio worked from the printed L, the piles' parts and ⊿H.
             for (const auto &[section, row] : {std::pair{Section::Vertical, 2}, {Section::Horizontal, 6}}) {
                 const SectionCheck &result = check.section(section);
                 texts << QStringLiteral("（%1 ＋ %2 ＋ %3）／%4 ＝ %5 で「%6」%7")
                              .arg(check.structureLengthText, result.piles[0].partText, result.piles[1].partText,
                                   check.governingCase().headDifferenceText, result.verdict ? result.verdict->provided : QString(),
                                   rows[std::size_t(row)].planned, verdict(row));
             }
             return texts;
         }},
        {QStringLiteral("status-line"),
         [] {
             return QStringList{u'「' + statusLineText(checkStudy(workedExample())) + u'」',
                                u'「' + statusLineText(checkStudy(Study{})) + u'」'};
         }},
        {QStringLiteral("empty-ratio"),
         [] {
             return QStringList{QStringLiteral("クリープ比は %1（ブライの式）または %2（レインの式）")
                                    .arg(emptyRatioText(Formula::Bligh), emptyRatioText(Formula::Lane))};
         }},
        {QStringLiteral("initial-ticks"),
         [] {
             // A new window starts as New and Clear leave it.
             const Study study = emptyStudy();
             int ticked = 0;
             for (Section section : {Section::Vertical, Section::Horizontal}) {
                 for (bool tick : study.ticks(section))
                     ticked += tick ? 1 : 0;
             }
             return QStringList{QStringLiteral("%1 行全ての「×2」にチェック").arg(ticked == DoubleFlagCount ? ticked : -1)};
         }},
        {QStringLiteral("reference-sigma-l"),
         [] {
             return QStringList{QStringLiteral("0 以下のときは ") + hundredthsText(referenceSigmaL(Formula::Lane, 50, 600, 100)),
                                QStringLiteral("（8.5 － 0.005）× 2 － 6／3 ＝ ") + hundredthsText(referenceSigmaL(Formula::Lane, 850, 600, 200))};
         }},
        {QStringLiteral("rounding"),
         [] {
             const PileTicks ticked{true};
             return QStringList{QStringLiteral("3 は ") + shownTwoDecimals(3),
                                QStringLiteral("2.675 は ") + shownTwoDecimals(2.675),
                                QStringLiteral("1.005 は ") + hundredthsText(hundredths(1.005)),
                                QStringLiteral("その「×2」は ") + hundredthsText(sigmaL({1.005}, ticked))};
         }},
        {QStringLiteral("range-typing"),
         [] {
             return QStringList{QStringLiteral("100 と打つと、%1 文字目で範囲外").arg(refusedAtCharacter(0, QStringLiteral("100")))};
         }},
        {QStringLiteral("range-edges"),
         [] {
             // Each edge is accepted in its box, and the passage lists them all.
             const struct {
                 int box;
                 const char *value;
             } edges[] = {{0, "99.99"}, {OuterWaterLevelBox, "-999.99"}, {OuterWaterLevelBox, "999.99"},
                          {CreepRatioBox, "5"}, {CreepRatioBox, "9"}};
             QStringList listed;
             for (const auto &edge : edges) {
                 const QString value = QLatin1StringView(edge.value);
                 if (!checkNumberBox(edge.box, value, edge.box == CreepRatioBox).accepted)
                     return QStringList{value + QStringLiteral(" is refused")};
                 listed << QString(value).replace(u'-', u'−');
             }
             return QStringList{u'（' + listed.join(u'、') + u'）'};
         }},
        {QStringLiteral("enter-cycles"),
         [] {
             const QString names[] = {QStringLiteral("寸法１"), QStringLiteral("寸法２"), QStringLiteral("寸法３"),
                                      QStringLiteral("水位１"), QStringLiteral("水位２")};
             QStringList chain{names[0]};
             for (int box = nextNumberBox(0); chain.size() <= BaseValueCount; box = nextNumberBox(box))
                 chain << names[box];
             QStringList expected{chain.join(QStringLiteral(" → "))};
             if (nextNumberBox(CreepRatioBox) < 0)
                 expected << QStringLiteral("クリープ比の欄：「次へ」ボタンへ");
             const int lastRow = PileCount - 1;
             if (nextNumberBox(FirstVerticalPileBox + lastRow) == FirstVerticalPileBox
                 && nextNumberBox(FirstHorizontalPileBox + lastRow) == FirstHorizontalPileBox
                 && nextNameBox(FirstVerticalPileName + lastRow) == FirstVerticalPileName)
                 expected << QStringLiteral("７行目 → １行目");
             return expected;
         }},
        {QStringLiteral("file-extension"),
         [] {
             return QStringList{QStringLiteral("plan は ") + withStudyExtension(QStringLiteral("plan")),
                                withStudyExtension(QStringLiteral("PLAN.VEK")) + QStringLiteral(" はそのまま")};
         }},
        {QStringLiteral("file-lines"),
         [] {
             return QStringList{QStringLiteral("%1 行のテキストファイル").arg(StudyFileLineCount),
                                QStringLiteral("名称 %1 行").arg(NameCount),
                                QStringLiteral("数値 %1 行").arg(NumberBoxCount - 1),
                                QStringLiteral("「×2」%1 行").arg(DoubleFlagCount)};
         }},
        {QStringLiteral("file-too-long"),
         [] {
             const QByteArray lines = QByteArray("0\r\n").repeated(StudyFileLineCount);
             const bool fullAccepted = std::holds_alternative<ParsedStudy>(parseStudyFile(lines));
             const bool longerRefused = !std::holds_alternative<ParsedStudy>(parseStudyFile(lines + "\r\n"));
             if (!fullAccepted || !longerRefused)
                 return QStringList{QStringLiteral("(a full file is refused or a longer one accepted)")};
             return QStringList{QStringLiteral("%1 行以上ある").arg(StudyFileLineCount + 1)};
         }},
        {QStringLiteral("recent-files"),
         [] { return QStringList{QStringLiteral("新しい順に %1 つまで").arg(RecentStudyLimit)}; }},
        {QStringLiteral("preview-zoom"),
         [] {
             const auto percent = [](double zoom) { return QString::number(qRound(zoom * 100)) + u'%'; };
             return QStringList{percent(PageArea::ZoomSteps[0]) + QStringLiteral(" から ")
                                + percent(PageArea::MaximumZoom) + QStringLiteral(" まで")};
         }},
        {QStringLiteral("exit-codes"),
         [] {
             // Each code with its meaning as talven-report --help gives it ("  3   PDF ファイルを…"),
             // up to the explanation in brackets, which the two may word differently.
             QProcess tool;
             tool.start(builtProgram(QStringLiteral("talven-report")), {QStringLiteral("--help")});
             if (!tool.waitForFinished(30000))
                 return QStringList{QStringLiteral("(talven-report --help did not finish)")};
             const QString help = QString::fromUtf8(tool.readAllStandardOutput());
             QStringList rows;
             static const QRegularExpression codeLine(QStringLiteral("^  (\\d+)\\s+(\\S.*)$"),
                                                      QRegularExpression::MultilineOption);
             for (const QRegularExpressionMatch &line : codeLine.globalMatch(help.section(QStringLiteral("終了コード:"), 1)))
                 rows << line.captured(1) + u' ' + line.captured(2).section(u'（', 0, 0);
             return rows.isEmpty() ? QStringList{QStringLiteral("(no exit codes in --help)")} : rows;
         }},
    };
    return checks;
}

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void contentsLinksReachTheirSections();
    void soilTableMatchesTheProgram_data();
    void soilTableMatchesTheProgram();
    void rangeMessagesAreQuoted_data();
    void rangeMessagesAreQuoted();
    void boxLengthsAreStated();
    void markedPassagesSayWhatTheProgramDoes_data();
    void markedPassagesSayWhatTheProgramDoes();
    void everyMarkedPassageIsChecked();

private:
    HelpWindow window;
    QString text;
    QMap<QString, QString> passages;
};

void TestHelp::initTestCase()
{
    const QString path = qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/VEK.hlp");
    QVERIFY2(window.open(path), qPrintable(path));
    text = window.browser()->toPlainText();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    passages = markedPassages(QString::fromUtf8(file.readAll()));
}

void TestHelp::contentsLinksReachTheirSections()
{
    QStringList links;
    QSet<QString> targets;
    for (QTextBlock block = window.browser()->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.anchorHref().startsWith(u'#'))
                links << format.anchorHref().mid(1);
            for (const QString &name : format.anchorNames())
                targets.insert(name);
        }
    }
    // Thirteen sections in the contents, and links within the text.
    QVERIFY2(links.size() >= 13, qPrintable(links.join(u' ')));
    for (const QString &link : std::as_const(links))
        QVERIFY2(targets.contains(link), qPrintable(QStringLiteral("no section named ") + link));

    // Following a link scrolls the page to a section further down.
    window.resize(500, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.browser()->setSource(QUrl(QStringLiteral("#tool")));
    QTRY_VERIFY(window.browser()->verticalScrollBar()->value() > 0);
}

void TestHelp::soilTableMatchesTheProgram_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<QString>("ratioHeader");
    QTest::newRow("Bligh") << Formula::Bligh << QStringLiteral("Ｃ");
    QTest::newRow("Lane") << Formula::Lane << QStringLiteral("Ｃ′");
}

void TestHelp::soilTableMatchesTheProgram()
{
    QFETCH(Formula, formula);
    QFETCH(QString, ratioHeader);
    const std::span<const SoilClass> classes = soilClasses(formula);
    const QList<TableRows> tables = tablesOf(window.browser()->document());
    const TableRows *found = nullptr;
    for (const TableRows &rows : tables) {
        if (rows.size() == int(classes.size()) + 1 && rows.front().size() == 2
            && rows.front().at(1) == ratioHeader)
            found = &rows;
    }
    QVERIFY2(found, qPrintable(QStringLiteral("no soil table headed ") + ratioHeader));
    // The classes in the list's order, with the names the list shows and the
    // values the report prints (Bligh's ranged class with its note).
    for (std::size_t k = 0; k < classes.size(); ++k) {
        const QStringList &row = found->at(int(k) + 1);
        QCOMPARE(row.at(0), QString::fromUtf16(classes[k].listText));
        QVERIFY2(row.at(1).startsWith(QString::fromUtf16(classes[k].reportRatio)),
                 qPrintable(row.at(1) + QStringLiteral(" / ") + QString::fromUtf16(classes[k].reportRatio)));
    }
    // The source as the report prints it.
    QVERIFY2(text.contains(QStringLiteral("出典：") + reportTableSource(formula)), qPrintable(reportTableSource(formula)));
}

void TestHelp::rangeMessagesAreQuoted_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("outside");
    QTest::addColumn<bool>("ratioEditable");
    QTest::addColumn<QString>("range");
    QTest::newRow("dimension") << 0 << QStringLiteral("100") << false << QStringLiteral("0 ～ 99.99");
    QTest::newRow("water level") << OuterWaterLevelBox << QStringLiteral("1000") << false
                                 << QStringLiteral("−999.99 ～ 999.99");
    QTest::newRow("ranged ratio") << CreepRatioBox << QStringLiteral("10") << true << QStringLiteral("5 ～ 9");
    QTest::newRow("vertical pile") << FirstVerticalPileBox << QStringLiteral("100") << false
                                   << QStringLiteral("0 ～ 99.99");
    QTest::newRow("horizontal pile") << FirstHorizontalPileBox + 6 << QStringLiteral("100") << false
                                     << QStringLiteral("0 ～ 99.99");
}

void TestHelp::rangeMessagesAreQuoted()
{
    QFETCH(int, index);
    QFETCH(QString, outside);
    QFETCH(bool, ratioEditable);
    QFETCH(QString, range);
    const FieldCheck check = checkNumberBox(index, outside, ratioEditable);
    QVERIFY(!check.accepted);
    QVERIFY2(text.contains(QStringLiteral("「") + check.message.prompt + QStringLiteral("」")),
             qPrintable(check.message.prompt));
    QVERIFY2(text.contains(range), qPrintable(range));
    QVERIFY2(text.contains(onOneLine(rangedClassMessage().prompt)), qPrintable(rangedClassMessage().prompt));
}

void TestHelp::boxLengthsAreStated()
{
    const QString stated = QStringLiteral("寸法と矢板の長さは %1 文字、水位は %2 文字まで")
                               .arg(numberBoxMaxLength(0))
                               .arg(numberBoxMaxLength(OuterWaterLevelBox));
    QVERIFY2(text.contains(stated), qPrintable(stated));
    QCOMPARE(numberBoxMaxLength(FirstVerticalPileBox), numberBoxMaxLength(0));
    QCOMPARE(numberBoxMaxLength(FirstHorizontalPileBox), numberBoxMaxLength(0));
    QVERIFY(text.contains(QStringLiteral("%1 文字まで（日本語可）").arg(NameBoxMaxLength)));
}

void TestHelp::markedPassagesSayWhatTheProgramDoes_data()
{
    QTest::addColumn<QString>("check");
    for (const auto &[name, expected] : passageChecks())
        QTest::newRow(qPrintable(name)) << name;
}

void TestHelp::markedPassagesSayWhatTheProgramDoes()
{
    QFETCH(QString, check);
    QVERIFY2(passages.contains(check), qPrintable(QStringLiteral("no passage marked ") + check));
    const QString passage = passages.value(check);
    for (const auto &[name, expected] : passageChecks()) {
        if (name != check)
            continue;
        for (const QString &said : expected())
            QVERIFY2(passage.contains(said), qPrintable(QStringLiteral("「%1」 not in: %2").arg(said, passage)));
    }
}

// A passage marked for checking that no check reads is a typo in the mark.
void TestHelp::everyMarkedPassageIsChecked()
{
    QStringList checked;
    for (const auto &[name, expected] : passageChecks())
        checked << name;
    for (const QString &marked : passages.keys())
        QVERIFY2(checked.contains(marked), qPrintable(marked));
    // The rounding rule once said the opposite of what the program does.
    QVERIFY(!text.contains(QStringLiteral("整数に丸めて")));
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
