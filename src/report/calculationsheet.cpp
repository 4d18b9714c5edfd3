#include "report/calculationsheet.h"

#include "report/sectiondrawing.h"

#include "check/designaid.h"
#include "check/designreview.h"
#include "study/boxtable.h"
#include "study/numbers.h"
#include "study/soilclasses.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace talven {

namespace {

// The rows the flowing pages fill, below their heading and above the footer.
constexpr double FlowTop = 5.6;
constexpr double FlowBottom = 67.5;

const QString Equals = QStringLiteral(" ＝ ");

// A line of text from column `a` to the frame's right edge, set smaller
// where it would not fit.
void sheetLine(Page &page, double a, double b, const QString &text, double size = BodySize, bool bold = false)
{
    drawSheetLines(page, b, {{a, text, size, bold}});
}

void heading(Page &page, double a, double b, const QString &text)
{
    sheetLine(page, a, b, text, BodySize, true);
}

QString memberName(const StudyRecord &record, int member)
{
    const QString name = trimmedName(record.memberName(member));
    return name.isEmpty() ? QStringLiteral("部材%1").arg(member + 1) : name;
}

QString pileName(const StudyRecord &record, Section section, int row)
{
    const QString name = trimmedName(record.names[pileNameBox(section, row)]);
    return name.isEmpty() ? QStringLiteral("%1 行目").arg(row + 1) : name;
}

// Where the numbers come from, in 設計条件: each text given on a line of
// its own at 9 pt (smaller where it must be, cut with "…" beyond 7 pt), so
// that the page holds them with eight cases; nothing where none is given.
constexpr double BasisStep = 1.1;

// The rows the lines take from `top`.
double drawBasisLines(Page &page, double top, const QStringList &lines)
{
    for (int i = 0; i < int(lines.size()); ++i)
        sheetLine(page, 8, top + BasisStep * i, lines[i], SmallSize);
    return BasisStep * double(lines.size());
}

// The method's basis after its heading, on the heading's line.
void drawMethodBasis(Page &page, double a, double b, const QString &heading, const DesignBasis &basis)
{
    if (basis.method.trimmed().isEmpty())
        return;
    page.font(BodySize, true);
    const double after = a + page.columns(heading) + 1;
    const double below = page.rows(BodySize) - page.rows(SmallSize);
    sheetLine(page, after, b + below, QStringLiteral("根拠：") + basis.method.trimmed(), SmallSize);
}

QStringList soilBasisLines(const DesignBasis &basis)
{
    QStringList lines;
    if (!basis.soil.trimmed().isEmpty())
        lines << QStringLiteral("土質の根拠：") + basis.soil.trimmed();
    if (!basis.ratio.trimmed().isEmpty())
        lines << QStringLiteral("Ｃ の選定理由：") + basis.ratio.trimmed();
    return lines;
}

// A line for each case whose levels have a basis: their datum and sources,
// named by the case where there are several.
QStringList levelBasisLines(const StudyCheck &check, const std::vector<WaterLevelCase> &cases)
{
    QStringList lines;
    for (int i = 0; i < int(cases.size()); ++i) {
        QStringList parts;
        for (const LevelBasisField &field : LevelBasisFields) {
            const QString text = (cases[std::size_t(i)].basis.*field.value).trimmed();
            if (!text.isEmpty())
                parts << QString::fromUtf16(field.printed) + text;
        }
        if (parts.isEmpty())
            continue;
        const QString name = cases.size() > 1 ? u'（' + check.cases[std::size_t(i)].shownName(i) + u'）' : QString();
        lines << QStringLiteral("水位の根拠") + name + u'：' + parts.join(QStringLiteral("、"));
    }
    return lines;
}

// 設計条件 and 浸透路長: the sheet's first page.
void drawConditions(Page &page, const Study &input, const StudyCheck &check)
{
    const Formula formula = input.formula;
    const StudyRecord &record = input.record;
    const bool lane = formula == Formula::Lane;
    heading(page, 5, 4, QStringLiteral("１．設計条件"));
    const QString method = lane ? QStringLiteral("○計算式　レインの式") : QStringLiteral("○計算式　ブライの式");
    heading(page, 6, 5.6, method);
    drawMethodBasis(page, 6, 5.6, method, input.basis);
    sheetLine(page, 8, 7,
              (lane ? QStringLiteral("Ｃ′＝ （Ｌ／3 ＋ ΣL）／⊿Ｈ ≧ Ｃ") : QStringLiteral("Ｃ′＝ （Ｌ ＋ ΣL）／⊿Ｈ ≧ Ｃ"))
                  + QStringLiteral("　のとき ＯＫ"));
    // The symbols of page 1, one meaning each in the whole document.
    const QStringList symbols{
        QStringLiteral("Ｃ′：浸透経路長から計算したクリープ比（小数 2 桁に四捨五入）"),
        QStringLiteral("Ｃ　：土質の区分による") + ratioCaption(formula),
        QStringLiteral("Ｌ　：本体および翼壁の函軸方向の浸透路長 (m)（３つの部材の長さの和）"),
        QStringLiteral("ΣL ：遮水矢板等の浸透経路長 (m)（往復する矢板は長さの２倍）"),
        QStringLiteral("⊿Ｈ：内外水位差 (m) ＝ WL1（外水位）－ WL2（内水位）、逆水位（内水位＞外水位）では WL2 － WL1"),
        QStringLiteral("必要 ΣL：Ｃ′を小数 2 桁に四捨五入して Ｃ 以上になる最小の ΣL。Ｃ′≧ Ｃ － 0.005 から"),
        QStringLiteral("　　　　（Ｃ － 0.005）×⊿Ｈ － Ｌ′を 0.01 m 単位に切り上げる（負のときは 0）"),
    };
    for (int i = 0; i < int(symbols.size()); ++i)
        sheetLine(page, 8, 8.4 + 1.1 * i, symbols[i], SmallSize);

    // What follows the symbols, from its own top.
    const double soilTop = 8.4 + 1.1 * double(symbols.size()) + 0.4;
    heading(page, 6, soilTop, QStringLiteral("○土質"));
    const auto classes = soilClasses(formula);
    const bool known = input.soilClass >= 0 && input.soilClass < int(classes.size());
    QString soil = QStringLiteral("土質の区分：")
                   + (known ? QString::fromUtf16(classes[input.soilClass].reportText) : QStringLiteral("（なし）"))
                   + QStringLiteral("　　Ｃ") + Equals + check.requiredPrinted;
    if (isRangedClass(formula, input.soilClass))
        soil += QStringLiteral("（表の値 %1 から）").arg(QString::fromUtf16(classes[input.soilClass].reportRatio));
    sheetLine(page, 8, soilTop + 1.4, soil);
    sheetLine(page, 8, soilTop + 2.6,
              QStringLiteral("出典：") + reportTableSource(formula) + QStringLiteral("　%1の表").arg(reportTableTitle(formula)),
              SmallSize);
    const double shapesTop = soilTop + 4.2 + drawBasisLines(page, soilTop + 3.7, soilBasisLines(input.basis));

    heading(page, 6, shapesTop, QStringLiteral("○構造寸法"));
    heading(page, 26, shapesTop, QStringLiteral("○水位"));
    const double TableTop = shapesTop + 1.4;
    std::vector<QStringList> members{{QStringLiteral("部材"), QStringLiteral("長さ (m)")}};
    QStringList lengths;
    for (int m = 0; m < MemberCount; ++m) {
        members.push_back({memberName(record, m), twoDecimals(record.dimension(m))});
        lengths << twoDecimals(record.dimension(m));
    }
    members.push_back({QStringLiteral("計　Ｌ"), check.structureLengthText});
    textTable(TableTop, {6, 16, 22.5}, members).draw(page);

    const bool several = check.cases.size() > 1;
    bool reversed = false;
    std::vector<QStringList> levels{
        {QStringLiteral("ケース"), QStringLiteral("WL1 (m)"), QStringLiteral("WL2 (m)"), QStringLiteral("⊿H (m)")}};
    for (int i = 0; i < int(check.cases.size()); ++i) {
        const CaseCheck &levelCase = check.cases[std::size_t(i)];
        reversed = reversed || levelCase.reversed;
        levels.push_back({(several && i == check.governing ? QStringLiteral("◎") : QString()) + levelCase.shownName(i)
                              + (levelCase.reversed ? QStringLiteral("※") : QString()),
                          levelCase.outerLevelText, levelCase.innerLevelText, levelCase.headDifferenceText});
    }
    textTable(TableTop, {26, 36.5, 41.5, 46.5, 51.5}, levels).draw(page);
    double row = TableTop + 1.5 * double(std::max(members.size(), levels.size()));
    QStringList notes;
    if (several)
        notes << QStringLiteral("◎：支配ケース（⊿H が最大のケース）");
    if (reversed)
        notes << QStringLiteral("※：逆水位（内水位＞外水位）");
    // The notes, then the levels' bases, each a line; the next heading a
    // little more than a line below the last.
    double below = row + 0.3;
    if (!notes.isEmpty()) {
        sheetLine(page, 26, below, notes.join(QStringLiteral("　")), SmallSize);
        below += BasisStep;
    }
    const double bases = drawBasisLines(page, below, levelBasisLines(check, input.cases()));
    row = bases > 0 ? below + bases + 0.2 : row + 1.6;
    heading(page, 5, row, QStringLiteral("２．浸透路長"));
    sheetLine(page, 8, row + 1.5,
              QStringLiteral("Ｌ ＝ ") + lengths.join(QStringLiteral(" ＋ ")) + Equals + check.structureLengthText
                  + QStringLiteral(" m"));
    bool exactThird = true;
    const QString third = decimalQuotient(hundredths(check.structureLength), 300, 3, &exactThird);
    sheetLine(page, 8, row + 2.7,
              lane ? QStringLiteral("Ｌ′＝ Ｌ／3 ＝ %1／3 %2 %3 m").arg(check.structureLengthText, exactThird ? QStringLiteral("＝") : QStringLiteral("≒"), third)
                   : QStringLiteral("Ｌ′＝ Ｌ ＝ %1 m").arg(check.structureLengthText));
    for (Section section : Sections) {
        const double left = section == Section::Vertical ? 6 : 29;
        heading(page, left, row + 4.2, QStringLiteral("○") + sectionName(section) + QStringLiteral("の矢板"));
        const SectionCheck &piles = check.section(section);
        std::vector<QStringList> table{
            {QStringLiteral("矢板"), QStringLiteral("長さ (m)"), QStringLiteral("往復"), QStringLiteral("ΣL (m)")}};
        for (int pile : rowsInUse(record, section)) {
            const PilePart &part = piles.piles[std::size_t(pile)];
            table.push_back({pileName(record, section, pile), part.lengthText,
                             part.doubled ? QStringLiteral("×2") : QStringLiteral("×1"), part.partText});
        }
        table.push_back({QStringLiteral("計　ΣL"), QString(), QString(), piles.sigmaLText});
        textTable(row + 5.6, {left, left + 7.5, left + 12, left + 15, left + 21.5}, table).draw(page);
    }
}

// 必要 ΣL with its numbers put in, each step holding by hand: the exact
// value of (C - 0.005) x ΔH - L' ("≒" and six decimals where it does not
// end), then, where that is no whole hundredth, the value rounded up to
// 0.01 m, or 0 where it is below 0.
QString requiredSigmaLWorking(Formula formula, const StudyCheck &check, const CaseCheck &levels)
{
    const bool lane = formula == Formula::Lane;
    const ExactQuotient exact = requiredSigmaLExact(formula, hundredths(check.creepRatio), hundredths(check.structureLength),
                                                    hundredths(levels.headDifference));
    bool ends = true;
    const QString value = decimalQuotient(exact.numerator, exact.denominator, 6, &ends);
    QString working = QStringLiteral("必要 ΣL ＝ （Ｃ － 0.005）×⊿Ｈ － Ｌ′ ＝ （%1 － 0.005）× %2 － %3 %4 %5")
                          .arg(check.requiredPrinted, levels.headDifferenceText,
                               check.structureLengthText + (lane ? QStringLiteral("／3") : QString()),
                               ends ? QStringLiteral("＝") : QStringLiteral("≒"), value);
    if (exact.numerator < 0)
        return working + QStringLiteral(" → 0.00 m（負のため 0）");
    if (!ends || exact.numerator * 100 % exact.denominator != 0)
        return working + QStringLiteral(" → %1 m").arg(levels.referenceSigmaL);
    return working + QStringLiteral(" m");
}

// One case: its ⊿H, the required ΣL, and each section's ratio with the
// numbers put in, its verdict, margin and allowable head; under an ＮＧ of
// the governing case what makes it ＯＫ (`proposals`, by Section).
SheetBlock caseBlock(const Study &input, const StudyCheck &check, int caseIndex,
                     const std::array<QStringList, 2> &proposals)
{
    const CaseCheck &levels = check.cases[std::size_t(caseIndex)];
    const bool lane = input.formula == Formula::Lane;
    const QString name = check.cases.size() > 1
                             ? levels.shownName(caseIndex) + (caseIndex == check.governing ? QStringLiteral("（◎支配ケース）") : QString())
                             : QStringLiteral("水位差");
    // Between the case's lines and each section's, a little space.
    constexpr double Gap = 0.4;
    SheetBlock block;
    block.pageHeading = QStringLiteral("３．クリープ比の照査");
    std::vector<SheetLine> &lines = block.lines;
    lines.push_back({6, QStringLiteral("○") + name, BodySize, true});
    lines.push_back({8, levels.reversed ? QStringLiteral("⊿Ｈ ＝ WL2 － WL1 ＝ %1 － %2 ＝ %3 m（逆水位：内水位＞外水位）")
                                              .arg(levels.innerLevelText, levels.outerLevelText, levels.headDifferenceText)
                                        : QStringLiteral("⊿Ｈ ＝ WL1 － WL2 ＝ %1 － %2 ＝ %3 m")
                                              .arg(levels.outerLevelText, levels.innerLevelText, levels.headDifferenceText)});
    lines.push_back({8, requiredSigmaLWorking(input.formula, check, levels), BodySize, false, 1, Gap});
    for (Section section : Sections) {
        const SectionCheck &result = levels.section(section);
        lines.push_back({7, QStringLiteral("・") + sectionName(section), BodySize, true});
        if (result.verdict) {
            const SectionVerdict &verdict = *result.verdict;
            lines.push_back({9, QStringLiteral("Ｃ′＝ （%1%2 ＋ %3）／%4 ＝ %5")
                                    .arg(check.structureLengthText, lane ? QStringLiteral("／3") : QString(),
                                         result.sigmaLText, levels.headDifferenceText, verdict.provided)});
            lines.push_back({9, QStringLiteral("Ｃ′＝ %1 %2 Ｃ ＝ %3　・・・%4")
                                    .arg(verdict.provided, verdict.relation(), check.requiredPrinted, verdictWord(verdict.ok))});
        } else {
            lines.push_back({9, QStringLiteral("⊿Ｈ が 0 のため、クリープ比は計算できません")});
            lines.push_back({9, QString()});
        }
        lines.push_back({9, QStringLiteral("ΣL の過不足 ＝ ΣL － 必要 ΣL ＝ %1 － %2 ＝ %3")
                                .arg(result.sigmaLText, levels.referenceSigmaL, result.marginLabel())});
        lines.push_back({9, result.allowableHeadLabel()});
        const QStringList &proposal = proposals[std::size_t(section)];
        for (int i = 0; caseIndex == check.governing && i < int(proposal.size()); ++i)
            lines.push_back({9, (i == 0 ? QStringLiteral("ＯＫ にするには（0.50 m きざみ）：") : QString()) + proposal[i],
                             BodySize, false, 2});
        lines.back().gapAfter = Gap;
    }
    return block;
}

// The design guide's rule for the vertical piles placed at their stations:
// each row's station, driven length d, spacing s to the nearest other line
// and s / 2, and whether d ≦ s / 2. None where no pile has a station.
std::optional<SheetBlock> spacingBlock(const StudyRecord &record, const SpacingCheck &spacing)
{
    if (spacing.placed.empty())
        return std::nullopt;
    SheetBlock block;
    block.pageHeading = QStringLiteral("３．クリープ比の照査");
    block.lines.push_back({6, QStringLiteral("○遮水矢板の間隔（しゃ水工長さは設置間隔の 1/2 以下：d ≦ s/2）"), BodySize, true, 1, 0.3});
    std::vector<QStringList> rows{{QStringLiteral("矢板"), QStringLiteral("位置 (m)"), QStringLiteral("長さ d (m)"),
                                   QStringLiteral("間隔 s (m)"), QStringLiteral("s/2 (m)"), QStringLiteral("判定")}};
    for (const PileSpacing &placed : spacing.placed)
        rows.push_back({verticalRowName(record, placed.row), hundredthsText(placed.station), hundredthsText(placed.length),
                        placed.spacing ? hundredthsText(*placed.spacing) : QStringLiteral("―"),
                        placed.spacing ? decimalQuotient(*placed.spacing, 200, 3) : QStringLiteral("―"),
                        placed.spacing ? verdictWord(placed.ok) : QStringLiteral("照査なし")});
    SheetLine table;
    table.table = rows;
    table.edges = {8, 18, 24, 30.5, 37, 43, 51.5};
    table.gapAfter = 0.3;
    block.lines.push_back(table);
    QStringList notes{QStringLiteral("s：最も近いほかの遮水工までの距離。位置は川表の端から函軸に沿って測る")};
    QStringList unplaced;
    for (int row : spacing.unplaced)
        unplaced << verticalRowName(record, row);
    if (!unplaced.isEmpty())
        notes << unplaced.join(QStringLiteral("、")) + QStringLiteral("：位置未入力のため間隔の照査なし");
    for (const QString &note : notes)
        block.lines.push_back({8, note, SmallSize});
    block.lines.back().gapAfter = 0.4;
    return block;
}

// The head left along the vertical path of the governing case, for
// reference and with no verdict: W put together, each point's x, v, w and h
// (a table: w to three decimals under Lane, h from the exact w), and the mean
// gradient up the face the water leaves by, worked from the heads it prints.
// None unless every vertical pile in use has a station.
std::optional<SheetBlock> residualHeadBlock(const Study &input, const StudyCheck &check)
{
    if (!check.residualHead)
        return std::nullopt;
    const ResidualHead &path = *check.residualHead;
    const StudyRecord &record = input.record;
    const bool lane = input.formula == Formula::Lane;
    const QString entry = path.fromLand ? QStringLiteral("川裏") : QStringLiteral("川表");
    const QString exit = path.fromLand ? QStringLiteral("川表") : QStringLiteral("川裏");
    SheetBlock block;
    block.pageHeading = QStringLiteral("３．クリープ比の照査");
    std::vector<SheetLine> &lines = block.lines;
    lines.push_back({6, QStringLiteral("○残留水頭（参考）　鉛直方向の浸透経路に沿って。判定は行いません"), BodySize, true});
    lines.push_back({8, QStringLiteral("損失水頭は重み付きの経路長 w に比例するとして、h ＝ ⊿Ｈ ×（1 － w／Ｗ）")});
    // A reversed case's water enters at the 川裏 end, where x starts (the note under the table).
    QStringList headOf;
    if (check.cases.size() > 1)
        headOf << QStringLiteral("支配ケース");
    if (path.fromLand)
        headOf << QStringLiteral("逆水位");
    lines.push_back({8, QStringLiteral("⊿Ｈ ＝ %1 m%2、Ｗ ＝ Ｌ′ ＋ ΣL ＝ %3 ＋ %4 %5 %6 m")
                            .arg(hundredthsText(path.headDifference),
                                 headOf.isEmpty() ? QString() : u'（' + headOf.join(QStringLiteral("、")) + u'）',
                                 check.structureLengthText + (lane ? QStringLiteral("／3") : QString()),
                                 check.section(Section::Vertical).sigmaLText,
                                 path.weightedLengthExact ? QStringLiteral("＝") : QStringLiteral("≒"), path.weightedLength),
                     BodySize, false, 1, 0.3});
    std::vector<QStringList> rows{{QStringLiteral("点"), QStringLiteral("x (m)"), QStringLiteral("v (m)"),
                                   QStringLiteral("w (m)"), QStringLiteral("h (m)")}};
    bool once = false;
    for (const HeadPoint &point : path.points) {
        rows.push_back({headPointName(record, point), hundredthsText(point.across), hundredthsText(point.down),
                        point.weightedText, hundredthsText(point.head)});
        once = once || point.place == HeadPoint::Place::Top;
    }
    SheetLine table;
    table.table = rows;
    table.edges = {8, 26, 32, 38, 44.5, 50.5};
    table.gapAfter = 0.3;
    lines.push_back(table);
    lines.push_back({8, QStringLiteral("x：%1の端から函軸に沿った距離、v：矢板に沿って下り上りした長さの計、w ＝ %2")
                            .arg(entry, lane ? QStringLiteral("x／3 ＋ v（小数 3 桁に四捨五入）") : QStringLiteral("x ＋ v")),
                     SmallSize});
    if (once)
        lines.push_back({8, QStringLiteral("往復しない（×1）矢板は、上端から先端まで下り、そのまま先へ進むとしています"), SmallSize});
    lines.back().gapAfter = 0.3;
    if (path.exit) {
        const ExitGradient &gradient = *path.exit;
        lines.push_back({8, QStringLiteral("出口動水勾配：最も%1の矢板（%2）の%1側の面を上る平均")
                                .arg(exit, verticalRowName(record, gradient.row))});
        lines.push_back({9, QStringLiteral("i ＝ （h先端 － h上端）／d ＝ （%1 － %2）／%3 ＝ %4 ≒ 1／Ｃ′ ＝ 1／%5")
                                .arg(gradient.tipHead, gradient.topHead, hundredthsText(gradient.length), gradient.gradient,
                                     check.section(Section::Vertical).verdict->provided)});
    } else {
        // The point before the far end is the last pile's tip.
        lines.push_back({8, QStringLiteral("出口動水勾配：最も%1の矢板（%2）は往復しない（×1）ため、上る面がなく求めません")
                                .arg(exit, verticalRowName(record, path.points[path.points.size() - 2].row))});
    }
    lines.back().gapAfter = 0.4;
    return block;
}

// 照査結果一覧 and 総合判定, closing the sheet: each section of the
// governing case, and of every other case where it is ＮＧ; then one
// sentence on the whole.
SheetBlock resultsBlock(const StudyRecord &record, const StudyCheck &check)
{
    const bool several = check.cases.size() > 1;
    std::vector<QStringList> rows{{QStringLiteral("方向"), QStringLiteral("ケース"), QStringLiteral("Ｃ′"),
                                   QStringLiteral("Ｃ"), QStringLiteral("判定"), QStringLiteral("必要 ΣL (m)"),
                                   QStringLiteral("ΣL (m)"), QStringLiteral("過不足 (m)")}};
    for (int i = 0; i < int(check.cases.size()); ++i) {
        const CaseCheck &levels = check.cases[std::size_t(i)];
        for (Section section : Sections) {
            const SectionCheck &result = levels.section(section);
            const bool ok = result.verdict && result.verdict->ok;
            if (i != check.governing && ok)
                continue;
            rows.push_back({sectionName(section),
                            (several && i == check.governing ? QStringLiteral("◎") : QString()) + levels.shownName(i)
                                + (levels.reversed ? QStringLiteral("※") : QString()),
                            result.verdict ? result.verdict->provided : QStringLiteral("―"), check.requiredPrinted,
                            verdictWord(ok), levels.referenceSigmaL, result.sigmaLText, result.marginText});
        }
    }
    // The governing case has the largest head over the same path, so where
    // it is ＯＫ every case is.
    QStringList shortfalls;
    for (Section section : Sections) {
        const SectionCheck &result = check.section(section);
        if (!result.verdict || !result.verdict->ok)
            shortfalls << sectionName(section) + u' ' + result.marginLabel();
    }
    QStringList tooLong;
    for (const PileSpacing &placed : check.spacing.placed) {
        if (!placed.ok)
            tooLong << verticalRowName(record, placed.row);
    }
    if (!tooLong.isEmpty())
        shortfalls << QStringLiteral("矢板の間隔 ＮＧ：") + tooLong.join(QStringLiteral("、"));
    const QString whole = shortfalls.isEmpty()
                              ? (several ? QStringLiteral("総合判定：ＯＫ（すべての水位ケースで、鉛直方向・水平方向とも Ｃ′≧ Ｃ）")
                                         : QStringLiteral("総合判定：ＯＫ（鉛直方向・水平方向とも Ｃ′≧ Ｃ）"))
                              : QStringLiteral("総合判定：ＮＧ（%1%2）。遮水矢板の長さなどを見直してください。")
                                    .arg(several && tooLong.size() < shortfalls.size()
                                             ? QStringLiteral("支配ケース ◎%1 で ").arg(check.governingCase().shownName(check.governing))
                                             : QString(),
                                         shortfalls.join(QStringLiteral("、")));
    SheetBlock block;
    block.lines.push_back({5, QStringLiteral("５．照査結果一覧"), BodySize, true, 1, 0.3});
    SheetLine table;
    table.table = rows;
    table.edges = {6, 11, 21, 25.5, 30, 33.5, 40, 45.5, 51.5};
    table.gapAfter = 0.5;
    block.lines.push_back(table);
    block.lines.push_back({6, whole, BodySize, false, 2});
    return block;
}

// 設計調書（遮水工）: the summary's rows, then what each verdict means and
// how the rows the program judges are read. It closes the sheet on a page
// of its own, as it is handed in beside the calculation.
SheetBlock designReviewBlock(const Study &study, const StudyCheck &check)
{
    std::vector<QStringList> rows{{QStringLiteral("項目"), QStringLiteral("基準値"), QStringLiteral("計画値"), QStringLiteral("判定")}};
    for (const ReviewRow &row : designReviewRows(study, check))
        rows.push_back({row.item, row.standard, row.planned, reviewVerdictText(row.verdict)});
    SheetLine table;
    table.table = rows;
    table.edges = {4.5, 14.5, 27, 40.5, 51.5};
    table.gapAfter = 0.4;
    SheetBlock block;
    block.lines.push_back(table);
    // Each note on its own lines, a line going on indented.
    const std::pair<double, const char16_t *> notes[] = {
        {5, u"判定　○：基準値を満たす　×：満たさない　—：入力なし（「矢板の位置…」の諸元）"},
        {8, u"基準値と異なる（参考）：基準値と異なる方法・型式のため、照査者が確かめる参考"},
        {5, u"設置個所：長さのある鉛直方向の矢板の数。1 行目を川表の遮水工とする"},
        {5, u"クリープ比：支配ケース（⊿H が最大のケース）の Ｃ′（３．クリープ比の照査）"},
        {5, u"型式：U 形鋼矢板（U型・U形、SP-Ⅱ～SP-ⅥL、Ⅱ型～Ⅳ型など。軽量鋼矢板を除く）"},
        {8, u"と読める名称を ○ とし、ほかの型式は照査者が確かめる参考とする"},
        {5, u"水平方向の範囲：掘削幅は函体の側面から掘削の端までの幅。水平方向の矢板は"},
        {8, u"どれもその長さ以上とし、長さはレインの式で決める"},
    };
    for (const auto &[column, note] : notes)
        block.lines.push_back({column, QString::fromUtf16(note), SmallSize});
    return block;
}

}  // namespace

std::vector<DocumentPage> sheetPages(const Study &study, const StudyCheck &check)
{
    std::vector<DocumentPage> pages{{DocumentPage::Kind::SheetConditions, {}, {}}};
    // What makes each ＮＧ section of the governing case ＯＫ: found once here.
    std::array<QStringList, 2> proposals;
    for (Section section : Sections) {
        const std::optional<SectionVerdict> &verdict = check.section(section).verdict;
        if (verdict && !verdict->ok)
            proposals[std::size_t(section)] = proposalLines(study, section);
    }
    std::vector<SheetBlock> blocks;
    for (int i = 0; i < int(check.cases.size()); ++i)
        blocks.push_back(caseBlock(study, check, i, proposals));
    if (std::optional<SheetBlock> spacing = spacingBlock(study.record, check.spacing))
        blocks.push_back(*spacing);
    if (std::optional<SheetBlock> head = residualHeadBlock(study, check))
        blocks.push_back(*head);
    blocks.push_back({SheetBlock::Kind::Drawing, {}, {}});
    blocks.push_back(resultsBlock(study.record, check));

    // A block never breaks across pages; one taller than a page has one of its
    // own. A page that goes on with the cases says so in its heading.
    double row = FlowTop;
    bool headed = false;
    for (SheetBlock &block : blocks) {
        const double height = block.height();
        if (pages.size() == 1 || row + height > FlowBottom) {
            pages.push_back({DocumentPage::Kind::SheetFlow, {}, {}});
            row = FlowTop;
        }
        if (pages.back().blocks.empty() && !block.pageHeading.isEmpty()) {
            pages.back().heading = block.pageHeading + (headed ? QStringLiteral("（つづき）") : QString());
            headed = true;
        }
        pages.back().blocks.push_back(std::move(block));
        row += height;
    }
    pages.push_back({DocumentPage::Kind::SheetFlow, QStringLiteral("６．設計調書（遮水工）"), {designReviewBlock(study, check)}});
    return pages;
}

void drawSheetPage(Page &page, const ReportDocument &document, const DocumentPage &sheetPage)
{
    page.font(TitleSize, true);
    page.text(4, 2, QStringLiteral("遮水矢板の計算書"));
    if (sheetPage.kind == DocumentPage::Kind::SheetConditions) {
        drawConditions(page, document.study(), document.check());
        return;
    }
    if (!sheetPage.heading.isEmpty())
        heading(page, 5, 4, sheetPage.heading);
    double row = FlowTop;
    for (const SheetBlock &block : sheetPage.blocks) {
        if (block.kind == SheetBlock::Kind::Drawing)
            drawSectionDrawing(page, row, document.study(), document.check());
        else
            drawSheetLines(page, row, block.lines);
        row += block.height();
    }
}

}  // namespace talven
