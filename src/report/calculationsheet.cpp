#include "report/calculationsheet.h"

#include "check/designaid.h"
#include "study/boxtable.h"
#include "study/numbers.h"
#include "study/soilclasses.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace talven {

namespace {

// The rows the flowing pages fill, below their heading and above the footer.
constexpr double FlowTop = 5.6;
constexpr double FlowBottom = 67.5;
// The scales a section is drawn at, the largest first.
constexpr int Scales[] = {50, 100, 200, 250, 500};

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

QString levelName(const QString &name, const QString &otherwise)
{
    return trimmedName(name).isEmpty() ? otherwise : trimmedName(name);
}

// 設計条件 and 浸透路長: the sheet's first page.
void drawConditions(Page &page, const Study &input, const StudyCheck &check)
{
    const Formula formula = input.formula;
    const StudyRecord &record = input.record;
    const bool lane = formula == Formula::Lane;
    heading(page, 5, 4, QStringLiteral("１．設計条件"));
    heading(page, 6, 5.6, lane ? QStringLiteral("○計算式　レインの式") : QStringLiteral("○計算式　ブライの式"));
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

    heading(page, 6, soilTop + 4.2, QStringLiteral("○構造寸法"));
    heading(page, 26, soilTop + 4.2, QStringLiteral("○水位"));
    const double TableTop = soilTop + 5.6;
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
    if (!notes.isEmpty())
        sheetLine(page, 26, row + 0.3, notes.join(QStringLiteral("　")), SmallSize);

    row += 1.6;
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
                     const std::array<QString, 2> &proposals)
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
        const QString &proposal = proposals[std::size_t(section)];
        if (caseIndex == check.governing && !proposal.isEmpty())
            lines.push_back({9, QStringLiteral("ＯＫ にするには（0.50 m きざみ）：") + proposal, BodySize, false, 2});
        lines.back().gapAfter = Gap;
    }
    return block;
}

// The vertical section to scale: the box along its axis with its three
// members, the piles hanging from it, WL1 on the river side and WL2 on the
// land side with ⊿H between them, and the creep path dashed along the box's
// bottom and down and up each pile.
void drawSectionDrawing(Page &page, double top, const Study &input, const StudyCheck &check)
{
    heading(page, 5, top, QStringLiteral("４．断面図（鉛直方向、函軸に沿って）"));
    const StudyRecord &record = input.record;
    const double length = check.structureLength;
    const double head = check.governingCase().headDifference;
    if (length <= 0.0) {
        sheetLine(page, 8, top + 1.5, QStringLiteral("Ｌ が 0 のため、断面は描けません"));
        return;
    }
    std::vector<int> piles;
    double deepest = 0.0;
    const SectionCheck &vertical = check.section(Section::Vertical);
    for (int pile = 0; pile < PileCount; ++pile) {
        const double driven = pileLengths(record, Section::Vertical)[pile];
        if (driven > 0.0) {
            piles.push_back(pile);
            deepest = std::max(deepest, driven);
        }
    }
    // The box's height is not part of the study: it is drawn as a band of a
    // fixed share of L.
    const double boxHeight = std::clamp(length / 8.0, 0.5, 2.0);

    // The drawing's room in millimetres on paper, with space for the labels.
    // Left of the box stand the ⊿H dimension and its label, right of it the end of WL2.
    const double left = 11, right = 48.5;
    const double roomTop = top + 4.5, roomBottom = top + SectionDrawingHeight - 7.0;
    const double roomWidth = (right - left) / page.columnsPerMillimetre();
    const double roomHeight = (roomBottom - roomTop) / page.rowsPerMillimetre();
    const double widthMetres = length, heightMetres = boxHeight + std::max(head, 0.0) + deepest;
    int scale = 0;
    for (int candidate : Scales) {
        if (widthMetres * 1000.0 / candidate <= roomWidth && heightMetres * 1000.0 / candidate <= roomHeight) {
            scale = candidate;
            break;
        }
    }
    // Millimetres on paper per metre; a study too large for 1:500 is drawn smaller, and says so.
    const double perMetre = scale > 0 ? 1000.0 / scale : std::min(roomWidth / widthMetres, roomHeight / heightMetres);
    auto x = [&](double metres) { return left + ((roomWidth - widthMetres * perMetre) / 2 + metres * perMetre) * page.columnsPerMillimetre(); };
    // Heights from the box's bottom, up positive.
    const double bottomRow = roomTop + (boxHeight + std::max(head, 0.0)) * perMetre * page.rowsPerMillimetre();
    auto y = [&](double metres) { return bottomRow - metres * perMetre * page.rowsPerMillimetre(); };

    // The box and its members.
    page.thickPen();
    page.box(x(0), y(boxHeight), x(length) - x(0), y(0) - y(boxHeight));
    page.thinPen();
    // The members numbered in the band, named in a line under the drawing:
    // a short member leaves no room for its name.
    page.font(SmallSize, false);
    const double labelRow = y(boxHeight) + (y(0) - y(boxHeight)) / 2 - 0.45;
    const QString numbers[] = {QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③")};
    QStringList legend;
    double at = 0.0;
    for (int m = 0; m < MemberCount; ++m) {
        const double member = record.dimension(m);
        if (m > 0)
            page.line(x(at), y(boxHeight), x(at), y(0));
        const double width = x(at + member) - x(at);
        const Page::Setting set = page.set(numbers[m], std::max(width - 0.2, 0.5), SmallSize);
        page.text(x(at) + std::max(0.1, (width - page.columns(set.lines.value(0))) / 2), labelRow, set);
        legend << numbers[m] + memberName(record, m) + u' ' + twoDecimals(member) + QStringLiteral(" m");
        at += member;
    }

    // The water levels: WL1 on the river side, WL2 on the land side, the
    // lower at the box's top and the higher ⊿H above it.
    const bool reversed = check.governingCase().reversed;
    const double outer = y(boxHeight + (reversed ? 0.0 : head)), inner = y(boxHeight + (reversed ? head : 0.0));
    page.line(x(0) - 3, outer, x(length * 0.35), outer);
    page.line(x(length * 0.65), inner, x(length) + 3, inner);
    page.font(SmallSize, false);
    page.text(x(0) - 3, outer - 1.0, QStringLiteral("▽WL1 ＝ %1").arg(check.governingCase().outerLevelText));
    const QString innerLabel = QStringLiteral("▽WL2 ＝ %1").arg(check.governingCase().innerLevelText);
    page.text(x(length) + 3 - page.columns(innerLabel), inner - 1.0, innerLabel);
    // ⊿H between the two, left of the box.
    const double dimension = x(0) - 1.5;
    page.line(dimension, outer, dimension, inner);
    page.line(dimension - 0.4, outer, dimension + 0.4, outer);
    page.line(dimension - 0.4, inner, dimension + 0.4, inner);
    const QString headLabel = QStringLiteral("⊿Ｈ＝%1").arg(check.governingCase().headDifferenceText);
    page.text(dimension - 0.3 - page.columns(headLabel), (outer + inner) / 2 - 0.45, headLabel);

    // The piles, evenly spread: the study does not say where they stand.
    const double offset = 1.2 * page.columnsPerMillimetre();  // the path beside a pile, 1.2 mm
    const double under = 1.2 * page.rowsPerMillimetre();      // and under the box
    double pathX = x(0);
    const double pathY = y(0) + under;
    for (std::size_t i = 0; i < piles.size(); ++i) {
        const int pile = piles[i];
        const double place = length * double(i + 1) / double(piles.size() + 1);
        const double driven = pileLengths(record, Section::Vertical)[pile];
        const double tip = y(-driven);
        page.thickPen();
        page.line(x(place), y(0), x(place), tip);
        page.thinPen();
        const PilePart &part = vertical.piles[std::size_t(pile)];
        const QString label = pileName(record, Section::Vertical, pile) + u' ' + part.lengthText
                              + (part.doubled ? QStringLiteral("（×2）") : QString());
        page.font(SmallSize, false);
        page.text(x(place) - page.columns(label) / 2, tip + under + 0.2, label);
        // Down one face and, when the pile counts twice, up the other.
        page.dashedLine(pathX, pathY, x(place) - offset, pathY, 1.5);
        page.dashedLine(x(place) - offset, pathY, x(place) - offset, tip + under, 1.5);
        if (part.doubled) {
            page.dashedLine(x(place) - offset, tip + under, x(place) + offset, tip + under, 1.5);
            page.dashedLine(x(place) + offset, tip + under, x(place) + offset, pathY, 1.5);
            pathX = x(place) + offset;
        } else {
            page.dashedLine(x(place) - offset, tip + under, x(place) - offset, pathY, 1.5);
            pathX = x(place) - offset;
        }
    }
    page.dashedLine(pathX, pathY, x(length), pathY, 1.5);

    const double notes = top + SectionDrawingHeight - 4.3;
    sheetLine(page, 8, notes - 1.1, legend.join(QStringLiteral("　")), SmallSize);
    sheetLine(page, 8, notes,
              (scale > 0 ? QStringLiteral("縮尺 1:%1").arg(scale) : QStringLiteral("縮尺 1:500 に収まらないため縮めて描いています"))
                  + QStringLiteral("　　‐ ‐ ‐ 浸透経路（クリープ経路）"),
              SmallSize);
    sheetLine(page, 8, notes + 1.1,
              piles.empty() ? QStringLiteral("函体の高さは入力にないため、模式的に描いています")
                            : QStringLiteral("矢板の位置は入力にないため、函軸に沿って等間隔に描いています。函体の高さは模式的です"),
              SmallSize);
}

}  // namespace

// 照査結果一覧 and 総合判定, closing the sheet: each section of the
// governing case, and of every other case where it is ＮＧ; then one
// sentence on the whole.
SheetBlock resultsBlock(const StudyCheck &check)
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
    const QString whole = shortfalls.isEmpty()
                              ? (several ? QStringLiteral("総合判定：ＯＫ（すべての水位ケースで、鉛直方向・水平方向とも Ｃ′≧ Ｃ）")
                                         : QStringLiteral("総合判定：ＯＫ（鉛直方向・水平方向とも Ｃ′≧ Ｃ）"))
                              : QStringLiteral("総合判定：ＮＧ（%1%2）。遮水矢板の長さなどを見直してください。")
                                    .arg(several ? QStringLiteral("支配ケース ◎%1 で ").arg(check.governingCase().shownName(check.governing))
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

std::vector<DocumentPage> sheetPages(const Study &study, const StudyCheck &check)
{
    std::vector<DocumentPage> pages{{DocumentPage::Kind::SheetConditions, {}, {}}};
    // What makes each ＮＧ section of the governing case ＯＫ: found once here.
    std::array<QString, 2> proposals;
    for (Section section : Sections) {
        const std::optional<SectionVerdict> &verdict = check.section(section).verdict;
        if (verdict && !verdict->ok)
            proposals[std::size_t(section)] = proposalLine(study, section);
    }
    std::vector<SheetBlock> blocks;
    for (int i = 0; i < int(check.cases.size()); ++i)
        blocks.push_back(caseBlock(study, check, i, proposals));
    blocks.push_back({SheetBlock::Kind::Drawing, {}});
    blocks.push_back(resultsBlock(check));

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
