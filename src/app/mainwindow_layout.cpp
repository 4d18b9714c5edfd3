// The main window's controls and their places. Behaviour lives in mainwindow.cpp.

#include "app/mainwindow.h"

#include "app/examplefigure.h"
#include "app/longesttext.h"
#include "app/twips.h"
#include "study/fieldrules.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace talven {

namespace {

const QColor DimensionColour(255, 192, 192);   // member dimensions, vertical lengths
const QColor WaterLevelColour(192, 255, 255);  // water levels, horizontal lengths

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + u'(' + QString::number(index) + u')';
}

QLabel *newLabel(const QString &text, const char *name = nullptr)
{
    auto *label = new QLabel(text);
    if (name)
        label->setObjectName(QLatin1StringView(name));
    return label;
}

QLabel *valueLabel(const char *name)
{
    auto *label = newLabel(QString(), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QPushButton *newButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

QWidget *figureWithCaption(QLabel *caption, ExampleFigure *figure)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    // The sketch takes whatever room is left; it scales to its area.
    figure->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(figure, 1);
    return box;
}

ExampleFigure *newFigure(int drawing, const char *name)
{
    auto *figure = new ExampleFigure(drawing);
    figure->setObjectName(QLatin1StringView(name));
    return figure;
}

}  // namespace

QLineEdit *MainWindow::newNumberBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(indexed("numberBox", index));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    box->setMaximumWidth(box->minimumWidth() + 20);
    const bool dimensionColour = index <= 2 || (index >= FirstVerticalPileBox && index < FirstHorizontalPileBox);
    if (index != CreepRatioBox) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, dimensionColour ? DimensionColour : WaterLevelColour);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
    }
    box->installEventFilter(this);
    if (const int longest = numberBoxMaxLength(index); longest > 0)
        new LongestText(box, longest);
    numberBoxes_[index] = box;
    return box;
}

QLineEdit *MainWindow::newNameBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(indexed("nameBox", index));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(NameBoxMaxLength, u'漢')) + 12);
    box->installEventFilter(this);
    new LongestText(box, NameBoxMaxLength);
    nameBoxes_[index] = box;
    return box;
}

void MainWindow::createActions()
{
    auto action = [this](const QString &text, const char *name, QKeyCombination shortcut = {}) {
        auto *created = new QAction(text, this);
        created->setObjectName(QLatin1StringView(name));
        if (shortcut != QKeyCombination())
            created->setShortcut(QKeySequence(shortcut));
        return created;
    };
    newAction_ = action(QStringLiteral("新規作成(&N)"), "newAction", Qt::CTRL | Qt::Key_N);
    openAction_ = action(QStringLiteral("開く(&O)"), "openAction", Qt::CTRL | Qt::Key_O);
    saveAction_ = action(QStringLiteral("保存(&S)"), "saveAction", Qt::CTRL | Qt::Key_S);
    previewAction_ = action(QStringLiteral("印刷プレビュー(&V)"), "previewAction");
    printAction_ = action(QStringLiteral("印刷(&P)"), "printAction", Qt::CTRL | Qt::Key_P);
    // Ctrl+X, not the desktop's Quit key: the program's users know it so.
    exitAction_ = action(QStringLiteral("終了(&X)"), "exitAction", Qt::CTRL | Qt::Key_X);
    clearNumbersAction_ = action(QStringLiteral("数値のみクリア(&Q)"), "clearNumbersAction");
    helpAction_ = action(QStringLiteral("ヘルプ(&H)"), "helpAction");
    versionAction_ = action(QStringLiteral("バージョン情報(&A)"), "versionAction");
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(newAction_);
    file->addSeparator();
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addSeparator();
    file->addAction(previewAction_);
    file->addAction(printAction_);
    file->addSeparator();
    file->addAction(exitAction_);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(clearNumbersAction_);

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(helpAction_);
    help->addSeparator();
    help->addAction(versionAction_);
}

// The labels of one section's result; `name` prefixes their object names.
ResultLine MainWindow::createResultLine(const char *name)
{
    auto make = [name](const char *part, const QString &text) {
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
    line.rule->setObjectName(QLatin1StringView(name) + QStringLiteral("Rule"));
    line.rule->setFrameShape(QFrame::HLine);
    line.rule->setFrameShadow(QFrame::Plain);
    return line;
}

QWidget *MainWindow::buildResultArea(const ResultLine &result)
{
    auto *area = new QWidget;
    auto *outer = new QVBoxLayout(area);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(result.heading);

    auto *line = new QHBoxLayout;
    line->addSpacing(16);
    line->addWidget(result.lead);

    // The fraction: numerator over the rule over the denominator.
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    result.numerator->setAlignment(Qt::AlignCenter);
    result.denominator->setAlignment(Qt::AlignCenter);
    fraction->addWidget(result.numerator);
    fraction->addWidget(result.rule);
    fraction->addWidget(result.denominator);
    line->addLayout(fraction);
    for (QLabel *label : result.answer())
        line->addWidget(label);
    line->addStretch(1);
    outer->addLayout(line);
    return area;
}

QWidget *MainWindow::buildMethodTab()
{
    auto *page = new QWidget;

    // The formula.
    auto *formulaFrame = new QGroupBox(QStringLiteral("検討に使う計算式"));
    formulaFrame->setObjectName(QStringLiteral("formulaFrame"));
    auto *formulaLayout = new QGridLayout(formulaFrame);
    blighButton_ = new QRadioButton(formulaName(Formula::Bligh));
    blighButton_->setObjectName(QStringLiteral("blighButton"));
    laneButton_ = new QRadioButton(formulaName(Formula::Lane));
    laneButton_->setObjectName(QStringLiteral("laneButton"));
    formulaLayout->addWidget(blighButton_, 0, 0, Qt::AlignLeft);
    formulaLayout->addWidget(laneButton_, 1, 0, Qt::AlignLeft);
    formulaNumeratorLabel_ = newLabel(QString(), "formulaNumeratorLabel");
    formulaNumeratorLabel_->setAlignment(Qt::AlignCenter);
    auto *formulaRule = new QFrame;
    formulaRule->setFrameShape(QFrame::HLine);
    formulaRule->setFrameShadow(QFrame::Plain);
    auto *formulaDenominator = newLabel(QStringLiteral("⊿H"));
    formulaDenominator->setAlignment(Qt::AlignCenter);
    auto *formulaLead = newLabel(QStringLiteral("Ｃ ≦"));
    formulaLead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    fraction->addWidget(formulaNumeratorLabel_);
    fraction->addWidget(formulaRule);
    fraction->addWidget(formulaDenominator);
    formulaLayout->addWidget(formulaLead, 0, 1, 2, 1);
    formulaLayout->addLayout(fraction, 0, 2, 2, 1);
    formulaLayout->setColumnStretch(0, 1);

    // The three member dimensions and L.
    auto *shapeFrame = new QGroupBox(QStringLiteral("形状寸法"));
    shapeFrame->setObjectName(QStringLiteral("dimensionFrame"));
    auto *shapeLayout = new QGridLayout(shapeFrame);
    shapeLayout->addWidget(newLabel(QStringLiteral("部材名称")), 0, 0);
    shapeLayout->addWidget(newLabel(QStringLiteral("寸法 (m)")), 0, 1, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        shapeLayout->addWidget(newNameBox(i), i + 1, 0);
        shapeLayout->addWidget(newNumberBox(i), i + 1, 1, Qt::AlignRight);
    }
    memberTotalLabel_ = valueLabel("memberTotalLabel");
    shapeLayout->addWidget(newLabel(QStringLiteral("Ｌ = ")), 4, 0, Qt::AlignRight);
    shapeLayout->addWidget(memberTotalLabel_, 4, 1);

    // The two water levels and ΔH.
    auto *levelFrame = new QGroupBox(QStringLiteral("水位差"));
    levelFrame->setObjectName(QStringLiteral("waterLevelFrame"));
    auto *levelLayout = new QGridLayout(levelFrame);
    levelLayout->addWidget(newLabel(QStringLiteral("水位名称")), 0, 0);
    levelLayout->addWidget(newLabel(QStringLiteral("( EL = )")), 0, 1, Qt::AlignRight);
    for (int i = OuterWaterLevelBox; i <= InnerWaterLevelBox; ++i) {
        levelLayout->addWidget(newNameBox(i), i - 2, 0);
        levelLayout->addWidget(newNumberBox(i), i - 2, 1, Qt::AlignRight);
    }
    headDifferenceLabel_ = valueLabel("headDifferenceLabel");
    levelLayout->addWidget(newLabel(QStringLiteral("⊿H　=")), 3, 0, Qt::AlignRight);
    levelLayout->addWidget(headDifferenceLabel_, 3, 1);

    // The soil class and the creep ratio.
    auto *soil = new QGridLayout;
    auto *soilCaption = newLabel(QStringLiteral("土質の区分"), "soilClassCaption");
    soilClassList_ = new QListWidget;
    soilClassList_->setObjectName(QStringLiteral("soilClassList"));
    soilClassList_->setSelectionMode(QAbstractItemView::SingleSelection);
    soilClassList_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    soilClassList_->setMinimumHeight(soilClassList_->fontMetrics().height() * 4);
    creepRatioCaption_ = newLabel(QString(), "creepRatioCaption");
    soil->addWidget(soilCaption, 0, 0, 1, 2);
    soil->addWidget(soilClassList_, 1, 0, 1, 2);
    soil->addWidget(creepRatioCaption_, 2, 0, Qt::AlignRight);
    soil->addWidget(newNumberBox(CreepRatioBox), 2, 1);
    soil->setColumnStretch(0, 1);
    soil->setRowStretch(1, 1);

    auto *figureCaption = newLabel(QStringLiteral("形状寸法・水位差(樋門の例)"), "methodFigureCaption");
    toVerticalButton_ = newButton(QStringLiteral("次へ"), "toVerticalButton");

    auto *left = new QVBoxLayout;
    left->addWidget(formulaFrame);
    left->addWidget(shapeFrame);
    left->addWidget(levelFrame);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(figureWithCaption(figureCaption, newFigure(1, "methodFigure")), 3);
    right->addLayout(soil, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(toVerticalButton_);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

QWidget *MainWindow::buildPileFrame(const QString &title, int firstName, int firstBox,
                                    std::array<QCheckBox *, PileCount> &ticks, QLabel *&doubleHeader,
                                    QLabel *&total)
{
    auto *frame = new QGroupBox(title);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(newLabel(QStringLiteral("設置場所")), 0, 0);
    grid->addWidget(newLabel(QStringLiteral("長さ (m)")), 0, 1, Qt::AlignRight);
    doubleHeader = newLabel(QStringLiteral("×2"));
    grid->addWidget(doubleHeader, 0, 2, Qt::AlignCenter);
    const bool vertical = firstBox == FirstVerticalPileBox;
    for (int i = 0; i < PileCount; ++i) {
        grid->addWidget(newNameBox(firstName + i), i + 1, 0);
        grid->addWidget(newNumberBox(firstBox + i), i + 1, 1, Qt::AlignRight);
        ticks[i] = new QCheckBox;
        ticks[i]->setObjectName(indexed(vertical ? "verticalDoubleTick" : "horizontalDoubleTick", i));
        ticks[i]->setToolTip(QStringLiteral("チェック時、入力値を2倍して集計します"));
        grid->addWidget(ticks[i], i + 1, 2, Qt::AlignCenter);
    }
    total = valueLabel(vertical ? "verticalSigmaLLabel" : "horizontalSigmaLLabel");
    grid->addWidget(newLabel(QStringLiteral("ΣL = ")), PileCount + 1, 0, Qt::AlignRight);
    grid->addWidget(total, PileCount + 1, 1);
    return frame;
}

// What the two pile tabs do not share.
struct MainWindow::PileTabParts {
    const char16_t *frameTitle;
    const char *frameName;
    int firstName;
    int firstBox;
    std::array<QCheckBox *, PileCount> &ticks;
    const char *doubleHeaderName;
    const char16_t *doubleHeaderTip;  // nullptr: none
    QLabel *&total;
    const char *referenceCaptionName;
    const char *referenceName;
    QLabel *&reference;
    const char16_t *figureCaption;
    const char *figureCaptionName;
    int figure;
    const char *figureName;
    const ResultLine &result;
    QPushButton *showResult;
    QPushButton *previous;
    QPushButton *last;
};

QWidget *MainWindow::buildPileTab(const PileTabParts &parts)
{
    auto *page = new QWidget;
    QLabel *doubleHeader = nullptr;
    QWidget *frame = buildPileFrame(QString::fromUtf16(parts.frameTitle), parts.firstName,
                                    parts.firstBox, parts.ticks, doubleHeader, parts.total);
    frame->setObjectName(QString::fromLatin1(parts.frameName));
    doubleHeader->setObjectName(QString::fromLatin1(parts.doubleHeaderName));
    if (parts.doubleHeaderTip)
        doubleHeader->setToolTip(QString::fromUtf16(parts.doubleHeaderTip));

    auto *reference = new QHBoxLayout;
    auto *referenceCaption = newLabel(QStringLiteral("ΣL の参考値"), parts.referenceCaptionName);
    parts.reference = valueLabel(parts.referenceName);
    parts.reference->setText(QStringLiteral("---"));
    reference->addWidget(referenceCaption);
    reference->addWidget(parts.reference, 1);

    auto *figureCaption = newLabel(QString::fromUtf16(parts.figureCaption), parts.figureCaptionName);

    auto *left = new QVBoxLayout;
    left->addWidget(frame);
    left->addLayout(reference);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(figureWithCaption(figureCaption, newFigure(parts.figure, parts.figureName)), 1);
    right->addWidget(buildResultArea(parts.result));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(parts.showResult);
    buttons->addStretch(1);
    buttons->addWidget(parts.previous);
    buttons->addWidget(parts.last);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

void MainWindow::buildTabs()
{
    verticalResult_ = createResultLine("verticalResult");
    horizontalResult_ = createResultLine("horizontalResult");
    const QString showResult = QStringLiteral("計算結果を見る");
    const QString previous = QStringLiteral("前へ");
    showVerticalResultButton_ = newButton(showResult, "showVerticalResultButton");
    backToMethodButton_ = newButton(previous, "backToMethodButton");
    toHorizontalButton_ = newButton(QStringLiteral("次へ"), "toHorizontalButton");
    showHorizontalResultButton_ = newButton(showResult, "showHorizontalResultButton");
    backToVerticalButton_ = newButton(previous, "backToVerticalButton");
    previewButton_ = newButton(QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), "previewButton");

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Created tab by tab, row by row: this is also the Tab-key order.
    tabs_->addTab(buildMethodTab(), QStringLiteral("検討方法・諸数値の設定"));
    tabs_->addTab(buildPileTab({u"遮水矢板の打設長", "verticalPileFrame", FirstVerticalPileName,
                                FirstVerticalPileBox, verticalDoubleTicks_, "verticalDoubleHeader", nullptr,
                                verticalSigmaLLabel_, "verticalReferenceCaption", "verticalReferenceSigmaL",
                                verticalReferenceSigmaL_, u"鉛直方向の浸透経路長(樋門の例)",
                                "verticalFigureCaption", 0, "verticalFigure", verticalResult_,
                                showVerticalResultButton_, backToMethodButton_, toHorizontalButton_}),
                  QStringLiteral("鉛直方向の計算"));
    tabs_->addTab(buildPileTab({u"遮水矢板の打設範囲", "horizontalPileFrame", FirstHorizontalPileName,
                                FirstHorizontalPileBox, horizontalDoubleTicks_, "horizontalDoubleHeader",
                                u"入力値を２倍して経路長にします", horizontalSigmaLLabel_,
                                "horizontalReferenceCaption", "horizontalReferenceSigmaL",
                                horizontalReferenceSigmaL_, u"水平方向の浸透経路長(樋門の例)",
                                "horizontalFigureCaption", 2, "horizontalFigure", horizontalResult_,
                                showHorizontalResultButton_, backToVerticalButton_, previewButton_}),
                  QStringLiteral("水平方向の計算"));

    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    const int margin = twipsX(this, 120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(tabs_);
    setCentralWidget(client);
}

}  // namespace talven
