#include "app/piletab.h"

#include "app/controls.h"
#include "app/studyboxes.h"
#include "study/boxtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace talven {

namespace {

const QString HeadCaption = QStringLiteral("⊿H");

// What the two pile tabs do not share.
struct TabLook {
    const char *prefix;  // of the tab's object names: "verticalPileFrame", ...
    const char16_t *frameTitle;
    const char16_t *figureCaption;
    ExampleFigure::Drawing drawing;
    const char16_t *doubleHeaderTip;  // nullptr: none
    const char *showResultName;
    const char *backName;
    const char *nextName;
    const char16_t *nextText;
};

// By Section.
constexpr std::array<TabLook, 2> Looks{{
    {.prefix = "vertical",
     .frameTitle = u"遮水矢板の打設長",
     .figureCaption = u"鉛直方向の浸透経路長(樋門の例)",
     .drawing = ExampleFigure::Drawing::Vertical,
     .doubleHeaderTip = nullptr,
     .showResultName = "showVerticalResultButton",
     .backName = "backToMethodButton",
     .nextName = "toHorizontalButton",
     .nextText = u"次へ"},
    {.prefix = "horizontal",
     .frameTitle = u"遮水矢板の打設範囲",
     .figureCaption = u"水平方向の浸透経路長(樋門の例)",
     .drawing = ExampleFigure::Drawing::Horizontal,
     .doubleHeaderTip = u"入力値を２倍して経路長にします",
     .showResultName = "showHorizontalResultButton",
     .backName = "backToVerticalButton",
     .nextName = "previewButton",
     .nextText = u"ﾌﾟﾚﾋﾞｭｰ"},
}};

const TabLook &lookOf(Section section)
{
    return Looks[std::size_t(section)];
}

// "vertical" + "PileFrame".
QByteArray partName(Section section, const char *part)
{
    return QByteArray(lookOf(section).prefix).append(part);
}

// The labels of one section's result; `name` prefixes their object names.
ResultLine createResultLine(const QByteArray &name)
{
    auto make = [&name](const char *part, const QString &text) {
        return newLabel(text, QByteArray(name).append(part).constData());
    };
    ResultLine line;
    line.heading = make("Heading", QStringLiteral("■加重クリープ比"));
    line.lead = make("Lead", QStringLiteral("Ｃ´ ＝"));
    line.numerator = make("Numerator", QStringLiteral("Ｌ  / 3 ＋ΣL"));
    line.denominator = make("Denominator", QStringLiteral("⊿H"));
    line.equals = make("Equals", QStringLiteral("＝"));
    line.provided = make("Provided", QStringLiteral("⊿H"));
    line.sign = make("Sign", QStringLiteral("＞"));
    line.required = make("Required", QStringLiteral("Ｃ"));
    line.verdict = make("Verdict", QStringLiteral("・・・・　OK"));
    line.rule = new QFrame;
    line.rule->setObjectName(QString::fromLatin1(name) + QStringLiteral("Rule"));
    line.rule->setFrameShape(QFrame::HLine);
    line.rule->setFrameShadow(QFrame::Plain);
    return line;
}

// Every case of a section: ◎ on the governing one, its name, ΔH, ratio and
// verdict, ＮＧ in red.
QString caseList(const StudyCheck &check, Section section)
{
    QString rows = QStringLiteral("<tr><th></th><th align=left>ケース</th><th>⊿H</th><th>Ｃ′</th><th>判定</th></tr>");
    for (int i = 0; i < int(check.cases.size()); ++i) {
        const CaseCheck &levels = check.cases[std::size_t(i)];
        const std::optional<SectionVerdict> &verdict = levels.section(section).verdict;
        const QString verdictText = !verdict ? QStringLiteral("―")
                                   : verdict->ok ? QStringLiteral("ＯＫ")
                                                 : QStringLiteral("<font color=#c00000>ＮＧ</font>");
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td align=right>%3</td><td align=right>%4</td>"
                               "<td align=center>%5</td></tr>")
                    .arg(i == check.governing ? QStringLiteral("◎") : QString(),
                         levels.shownName(i).toHtmlEscaped() + (levels.reversed ? QStringLiteral("（逆水位）") : QString()),
                         levels.headDifferenceText,
                         verdict ? verdict->provided : QString(), verdictText);
    }
    return QStringLiteral("<table cellspacing=0 cellpadding=2>") + rows + QStringLiteral("</table>");
}

}  // namespace

// Every control is made before it is laid out, and laid out in reading
// order: that order is the Tab-key order.
PileTab::PileTab(Section section, StudyBoxes &boxes)
    : section_(section)
{
    const TabLook &look = lookOf(section);
    result_ = createResultLine(partName(section, "Result"));
    showResultButton_ = newButton(QStringLiteral("計算結果を見る"), look.showResultName);
    proposalButton_ = newButton(QStringLiteral("矢板長の提案…"), partName(section, "ProposalButton").constData());
    back_ = newButton(QStringLiteral("前へ"), look.backName);
    next_ = newButton(QString::fromUtf16(look.nextText), look.nextName);

    QWidget *frame = buildFrame(boxes);
    frame->setObjectName(QString::fromLatin1(partName(section, "PileFrame")));
    doubleHeader_->setObjectName(QString::fromLatin1(partName(section, "DoubleHeader")));
    if (look.doubleHeaderTip)
        doubleHeader_->setToolTip(QString::fromUtf16(look.doubleHeaderTip));

    auto *reference = new QHBoxLayout;
    auto *referenceCaption =
        newLabel(QStringLiteral("ΣL の参考値"), partName(section, "ReferenceCaption").constData());
    reference_ = valueLabel(partName(section, "ReferenceSigmaL").constData());
    reference_->setText(QStringLiteral("---"));
    reference->addWidget(referenceCaption);
    reference->addWidget(reference_, 1);

    // The design figures take the free room under ΣL の参考値, so nothing
    // above them moves when they appear; the head line wraps in the column.
    auto *margin = new QHBoxLayout;
    marginCaption_ = newLabel(QStringLiteral("ΣL の過不足"), partName(section, "MarginCaption").constData());
    margin_ = valueLabel(partName(section, "Margin").constData());
    margin->addWidget(marginCaption_);
    margin->addWidget(margin_, 1);
    allowableHead_ = newLabel(QString(), partName(section, "AllowableHead").constData());
    allowableHead_->setWordWrap(true);
    for (QLabel *figure : {marginCaption_, margin_, allowableHead_})
        figure->hide();

    auto *figureCaption =
        newLabel(QString::fromUtf16(look.figureCaption), partName(section, "FigureCaption").constData());

    governingNote_ = newLabel(QString(), partName(section, "GoverningNote").constData());
    governingNote_->setWordWrap(true);
    governingNote_->hide();

    auto *left = new QVBoxLayout;
    left->addWidget(frame);
    left->addWidget(governingNote_);
    left->addLayout(reference);
    left->addLayout(margin);
    left->addWidget(allowableHead_);
    // Here rather than beside 計算結果を見る, where it would widen the
    // buttons' row and so squeeze the frame of lengths.
    auto *aids = new QHBoxLayout;
    aids->addWidget(proposalButton_);
    if (section == Section::Vertical) {
        // Where the lines stand decides how long each may be, so the rule
        // stays in sight under the lengths it limits.
        placementButton_ = newButton(QStringLiteral("矢板の位置…"), "verticalPlacementButton");
        aids->addWidget(placementButton_);
        spacing_ = newLabel(QString(), "verticalSpacing");
        spacing_->setWordWrap(true);
        left->addWidget(spacing_);
    }
    aids->addStretch(1);
    left->addLayout(aids);
    left->addStretch(1);

    // Shown with the result when the study has several water-level cases;
    // the sketch above gives it the room.
    cases_ = newLabel(QString(), partName(section, "CaseList").constData());
    cases_->setTextFormat(Qt::RichText);
    cases_->hide();

    auto *right = new QVBoxLayout;
    right->addWidget(figureWithCaption(figureCaption, newFigure(look.drawing, partName(section, "Figure").constData())),
                     1);
    right->addWidget(cases_);
    right->addWidget(buildResultArea());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(showResultButton_);
    buttons->addStretch(1);
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

QWidget *PileTab::buildFrame(StudyBoxes &boxes)
{
    auto *frame = new QGroupBox(QString::fromUtf16(lookOf(section_).frameTitle));
    auto *grid = new QGridLayout(frame);
    grid->addWidget(newLabel(QStringLiteral("設置場所")), 0, 0);
    grid->addWidget(newLabel(QStringLiteral("長さ (m)")), 0, 1, Qt::AlignRight);
    doubleHeader_ = newLabel(QStringLiteral("×2"));
    grid->addWidget(doubleHeader_, 0, 2, Qt::AlignCenter);
    const QByteArray tickName = partName(section_, "DoubleTick");
    for (int i = 0; i < PileCount; ++i) {
        grid->addWidget(boxes.makeNameBox(pileNameBox(section_, i)), i + 1, 0);
        grid->addWidget(boxes.makeNumberBox(pileBox(section_, i)), i + 1, 1, Qt::AlignRight);
        ticks_[i] = new QCheckBox;
        ticks_[i]->setObjectName(indexed(tickName.constData(), i));
        ticks_[i]->setToolTip(QStringLiteral("チェック時、入力値を2倍して集計します"));
        grid->addWidget(ticks_[i], i + 1, 2, Qt::AlignCenter);
        connect(ticks_[i], &QCheckBox::toggled, this, [this, i](bool ticked) { Q_EMIT doubleTickToggled(i, ticked); });
    }
    sigmaL_ = valueLabel(partName(section_, "SigmaLLabel").constData());
    grid->addWidget(newLabel(QStringLiteral("ΣL = ")), PileCount + 1, 0, Qt::AlignRight);
    grid->addWidget(sigmaL_, PileCount + 1, 1);
    return frame;
}

QWidget *PileTab::buildResultArea()
{
    auto *area = new QWidget;
    auto *outer = new QVBoxLayout(area);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(result_.heading);

    auto *line = new QHBoxLayout;
    line->addSpacing(16);
    line->addWidget(result_.lead);

    // The fraction: numerator over the rule over the denominator.
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    result_.numerator->setAlignment(Qt::AlignCenter);
    result_.denominator->setAlignment(Qt::AlignCenter);
    fraction->addWidget(result_.numerator);
    fraction->addWidget(result_.rule);
    fraction->addWidget(result_.denominator);
    line->addLayout(fraction);
    for (QLabel *label : result_.answer())
        line->addWidget(label);
    line->addStretch(1);
    outer->addLayout(line);
    return area;
}

void PileTab::showTicks(const PileTicks &ticks)
{
    for (int row = 0; row < PileCount; ++row) {
        const QSignalBlocker quiet(ticks_[row]);
        ticks_[row]->setChecked(ticks[row]);
    }
}

void PileTab::showTotals(const StudyCheck &check, const StudyRecord &record)
{
    if (spacing_)
        spacing_->setText(spacingLine(check.spacing, record));
    sigmaL_->setText(check.section(section_).sigmaLText);
    proposalButton_->setEnabled(check.ready());
    // ΣL の参考値 and the figures are the governing case's.
    const bool several = check.cases.size() > 1;
    governingNote_->setText(several ? QStringLiteral("以下は支配ケース ◎%1 の値").arg(check.governingCase().shownName(check.governing))
                                    : QString());
    governingNote_->setVisible(several);
}

void PileTab::showReferenceSigmaL(const QString &text)
{
    reference_->setText(text);
}

void PileTab::showResult(const StudyCheck &check)
{
    const SectionCheck &own = check.section(section_);
    if (!own.verdict)
        return;  // ΔH = 0: the first tab cannot be left then, so no result can be asked for
    const SectionVerdict &verdict = *own.verdict;
    result_.numerator->setText(own.numerator);
    result_.denominator->setText(check.governingCase().headDifferenceText);
    result_.provided->setText(verdict.provided);
    result_.sign->setText(verdict.relation());
    // The window writes a whole Bligh ratio without decimals.
    result_.required->setText(check.requiredShown);
    result_.verdict->setText(verdict.ok ? QStringLiteral("･･･ ＯＫ") : QStringLiteral("･･･ ＮＧ"));
    for (QLabel *label : result_.answer())
        label->show();
    margin_->setText(own.marginLabel());
    // Two lines in the narrow column: the head, then the level it means.
    allowableHead_->setText(own.allowableHeadLabel().replace(QStringLiteral("（"), QStringLiteral("\n（")));
    marginCaption_->show();
    margin_->show();
    allowableHead_->setVisible(own.allowableHead.has_value());
    cases_->setText(caseList(check, section_));
    cases_->setVisible(check.cases.size() > 1);
}

void PileTab::showFormulaCaptions(const QString &numerator)
{
    result_.numerator->setText(numerator);
    result_.denominator->setText(HeadCaption);
}

void PileTab::hideResult(const QString &numerator)
{
    for (QLabel *label : result_.answer())
        label->hide();
    for (QLabel *figure : {marginCaption_, margin_, allowableHead_, cases_})
        figure->hide();
    showFormulaCaptions(numerator);
}

}  // namespace talven
