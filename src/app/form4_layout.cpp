// The main window's controls and their places. Behaviour lives in form4.cpp.

#include "app/form4.h"

#include "app/examplefigure.h"
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

QString Indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + u'(' + QString::number(index) + u')';
}

QLabel *NewLabel(const QString &text)
{
    return new QLabel(text);
}

QLabel *ValueLabel(const QString &name)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget *Figure(QLabel *caption, ExampleFigure *figure)
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

}  // namespace

QLineEdit *Form4::NewNumberBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(Indexed("Text1", index));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    box->setMaximumWidth(box->minimumWidth() + 20);
    const bool dimensionColour = index <= 2 || (index >= FirstVerticalBox && index < FirstHorizontalBox);
    if (index != CreepRatioBox) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, dimensionColour ? DimensionColour : WaterLevelColour);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
    }
    box->installEventFilter(this);
    text1_[index] = box;
    return box;
}

QLineEdit *Form4::NewNameBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(Indexed("Text2", index));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(NameBoxMaxLength, u'漢')) + 12);
    box->installEventFilter(this);
    text2_[index] = box;
    return box;
}

void Form4::BuildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    const struct {
        int index;
        const char16_t *caption;
        QKeyCombination shortcut;
    } fileEntries[] = {
        {1, u"新規作成(&N)", Qt::CTRL | Qt::Key_N},
        {2, u"-", {}},
        {3, u"開く(&O)", Qt::CTRL | Qt::Key_O},
        {4, u"保存(&S)", Qt::CTRL | Qt::Key_S},
        {5, u"-", {}},
        {6, u"印刷プレビュー(&V)", {}},
        {7, u"印刷(&P)", Qt::CTRL | Qt::Key_P},
        {8, u"-", {}},
        {9, u"終了(&X)", Qt::CTRL | Qt::Key_X},
    };
    for (const auto &entry : fileEntries) {
        const QString caption = QString::fromUtf16(entry.caption);
        QAction *action = caption == u"-" ? file->addSeparator() : file->addAction(caption);
        action->setObjectName(Indexed("m11", entry.index));
        if (entry.shortcut != QKeyCombination())
            action->setShortcut(QKeySequence(entry.shortcut));
        m11_[entry.index] = action;
    }

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    m21_ = edit->addAction(QStringLiteral("数値のみクリア(&Q)"));
    m21_->setObjectName(QStringLiteral("m21"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    m41_[0] = help->addAction(QStringLiteral("ヘルプ(&H)"));
    m41_[1] = help->addSeparator();
    m41_[2] = help->addAction(QStringLiteral("バージョン情報(&A)"));
    for (int i = 0; i < int(m41_.size()); ++i)
        m41_[i]->setObjectName(Indexed("m41", i));
}

void Form4::CreateResultLabels()
{
    const QString designTexts[10] = {
        QStringLiteral("■加重クリープ比"), QStringLiteral("Ｃ´ ＝"), QString(),
        QStringLiteral("Ｌ  / 3 ＋ΣL"), QStringLiteral("⊿H"), QStringLiteral("＝"),
        QStringLiteral("⊿H"), QStringLiteral("＞"), QStringLiteral("Ｃ"),
        QStringLiteral("・・・・　OK"),
    };
    auto make = [&](const char *array, int index, const QString &text) {
        auto *label = new QLabel(text);
        label->setObjectName(Indexed(array, index));
        return label;
    };
    for (int k = 0; k < 10; ++k)
        label3_[k] = make("Label3", k, designTexts[k]);
    // The horizontal block has no spare label; its heading is Label3(10).
    for (int k : {1, 3, 4, 5, 6, 7, 8, 9})
        label4_[k] = make("Label4", k, designTexts[k]);
    label3_[10] = make("Label3", 10, designTexts[0]);
    for (int i : {0, 5}) {
        line4_[i] = new QFrame;
        line4_[i]->setObjectName(Indexed("Line4", i));
        line4_[i]->setFrameShape(QFrame::HLine);
        line4_[i]->setFrameShadow(QFrame::Plain);
    }
}

QWidget *Form4::BuildResultLine(QLabel *heading, std::span<QLabel *const, 10> block, QFrame *rule)
{
    auto *area = new QWidget;
    auto *outer = new QVBoxLayout(area);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(heading);

    auto *line = new QHBoxLayout;
    line->addSpacing(16);
    line->addWidget(block[1]);
    if (block[2])
        line->addWidget(block[2]);

    // The fraction: numerator over the rule over the denominator.
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    block[3]->setAlignment(Qt::AlignCenter);
    block[4]->setAlignment(Qt::AlignCenter);
    fraction->addWidget(block[3]);
    fraction->addWidget(rule);
    fraction->addWidget(block[4]);
    line->addLayout(fraction);
    for (int k = 5; k < 10; ++k)
        line->addWidget(block[k]);
    line->addStretch(1);
    outer->addLayout(line);
    return area;
}

QWidget *Form4::BuildMethodTab()
{
    auto *page = new QWidget;

    // The formula.
    auto *formulaFrame = new QGroupBox(QStringLiteral("検討に使う計算式"));
    formulaFrame->setObjectName(QStringLiteral("Frame3(0)"));
    auto *formulaLayout = new QGridLayout(formulaFrame);
    const QString formulaCaptions[2] = {QStringLiteral("ブライの式"), QStringLiteral("レインの式")};
    for (int i = 0; i < 2; ++i) {
        option1_[i] = new QRadioButton(formulaCaptions[i]);
        option1_[i]->setObjectName(Indexed("Option1", i));
        formulaLayout->addWidget(option1_[i], i, 0, Qt::AlignLeft);
    }
    label12_ = NewLabel(QString());
    label12_->setObjectName(QStringLiteral("Label12"));
    label12_->setAlignment(Qt::AlignCenter);
    auto *formulaRule = new QFrame;
    formulaRule->setFrameShape(QFrame::HLine);
    formulaRule->setFrameShadow(QFrame::Plain);
    auto *formulaDenominator = NewLabel(QStringLiteral("⊿H"));
    formulaDenominator->setAlignment(Qt::AlignCenter);
    auto *formulaLead = NewLabel(QStringLiteral("Ｃ ≦"));
    formulaLead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    fraction->addWidget(label12_);
    fraction->addWidget(formulaRule);
    fraction->addWidget(formulaDenominator);
    formulaLayout->addWidget(formulaLead, 0, 1, 2, 1);
    formulaLayout->addLayout(fraction, 0, 2, 2, 1);
    formulaLayout->setColumnStretch(0, 1);

    // The three member dimensions and L.
    auto *shapeFrame = new QGroupBox(QStringLiteral("形状寸法"));
    shapeFrame->setObjectName(QStringLiteral("Frame1(0)"));
    auto *shapeLayout = new QGridLayout(shapeFrame);
    shapeLayout->addWidget(NewLabel(QStringLiteral("部材名称")), 0, 0);
    shapeLayout->addWidget(NewLabel(QStringLiteral("寸法 (m)")), 0, 1, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        shapeLayout->addWidget(NewNameBox(i), i + 1, 0);
        shapeLayout->addWidget(NewNumberBox(i), i + 1, 1, Qt::AlignRight);
    }
    label2_[0] = ValueLabel(Indexed("Label2", 0));
    shapeLayout->addWidget(NewLabel(QStringLiteral("Ｌ = ")), 4, 0, Qt::AlignRight);
    shapeLayout->addWidget(label2_[0], 4, 1);

    // The two water levels and ΔH.
    auto *levelFrame = new QGroupBox(QStringLiteral("水位差"));
    levelFrame->setObjectName(QStringLiteral("Frame2(0)"));
    auto *levelLayout = new QGridLayout(levelFrame);
    levelLayout->addWidget(NewLabel(QStringLiteral("水位名称")), 0, 0);
    levelLayout->addWidget(NewLabel(QStringLiteral("( EL = )")), 0, 1, Qt::AlignRight);
    for (int i = WaterLevel1Box; i <= WaterLevel2Box; ++i) {
        levelLayout->addWidget(NewNameBox(i), i - 2, 0);
        levelLayout->addWidget(NewNumberBox(i), i - 2, 1, Qt::AlignRight);
    }
    label2_[1] = ValueLabel(Indexed("Label2", 1));
    levelLayout->addWidget(NewLabel(QStringLiteral("⊿H　=")), 3, 0, Qt::AlignRight);
    levelLayout->addWidget(label2_[1], 3, 1);

    // The soil class and the creep ratio.
    auto *soil = new QGridLayout;
    label8_[1] = NewLabel(QStringLiteral("土質の区分"));
    label8_[1]->setObjectName(QStringLiteral("Label8(1)"));
    list1_ = new QListWidget;
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    list1_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    list1_->setMinimumHeight(list1_->fontMetrics().height() * 4);
    label8_[0] = NewLabel(QString());
    label8_[0]->setObjectName(QStringLiteral("Label8(0)"));
    soil->addWidget(label8_[1], 0, 0, 1, 2);
    soil->addWidget(list1_, 1, 0, 1, 2);
    soil->addWidget(label8_[0], 2, 0, Qt::AlignRight);
    soil->addWidget(NewNumberBox(CreepRatioBox), 2, 1);
    soil->setColumnStretch(0, 1);
    soil->setRowStretch(1, 1);

    auto *label5 = NewLabel(QStringLiteral("形状寸法・水位差(樋門の例)"));
    label5->setObjectName(QStringLiteral("Label5"));
    picture1_[1] = new ExampleFigure(1);
    picture1_[1]->setObjectName(Indexed("Picture1", 1));

    command3_[0] = new QPushButton(QStringLiteral("次へ"));

    auto *left = new QVBoxLayout;
    left->addWidget(formulaFrame);
    left->addWidget(shapeFrame);
    left->addWidget(levelFrame);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(Figure(label5, picture1_[1]), 3);
    right->addLayout(soil, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command3_[0]);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

QWidget *Form4::BuildPileFrame(const QString &title, int firstName, int firstBox,
                               std::array<QCheckBox *, PileCount> &ticks, QLabel *&doubleHeader,
                               QLabel *&total)
{
    auto *frame = new QGroupBox(title);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(NewLabel(QStringLiteral("設置場所")), 0, 0);
    grid->addWidget(NewLabel(QStringLiteral("長さ (m)")), 0, 1, Qt::AlignRight);
    doubleHeader = NewLabel(QStringLiteral("×2"));
    grid->addWidget(doubleHeader, 0, 2, Qt::AlignCenter);
    const bool vertical = firstBox == FirstVerticalBox;
    for (int i = 0; i < PileCount; ++i) {
        grid->addWidget(NewNameBox(firstName + i), i + 1, 0);
        grid->addWidget(NewNumberBox(firstBox + i), i + 1, 1, Qt::AlignRight);
        ticks[i] = new QCheckBox;
        ticks[i]->setObjectName(Indexed(vertical ? "Check1" : "Check2", i));
        ticks[i]->setToolTip(QStringLiteral("チェック時、入力値を2倍して集計します"));
        grid->addWidget(ticks[i], i + 1, 2, Qt::AlignCenter);
    }
    const int totalIndex = vertical ? 2 : 3;
    total = ValueLabel(Indexed("Label2", totalIndex));
    grid->addWidget(NewLabel(QStringLiteral("ΣL = ")), PileCount + 1, 0, Qt::AlignRight);
    grid->addWidget(total, PileCount + 1, 1);
    return frame;
}

// What the two pile tabs do not share.
struct Form4::PileTabParts {
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
    int picture;
    QLabel *resultHeading;
    QLabel *const *resultBlock;  // ten labels
    QFrame *resultRule;
    int checkButton;
    int previousButton;
    int lastButton;
    const char16_t *lastCaption;
};

QWidget *Form4::BuildPileTab(const PileTabParts &parts)
{
    auto *page = new QWidget;
    QLabel *doubleHeader = nullptr;
    QWidget *frame = BuildPileFrame(QString::fromUtf16(parts.frameTitle), parts.firstName,
                                    parts.firstBox, parts.ticks, doubleHeader, parts.total);
    frame->setObjectName(QString::fromLatin1(parts.frameName));
    doubleHeader->setObjectName(QString::fromLatin1(parts.doubleHeaderName));
    if (parts.doubleHeaderTip)
        doubleHeader->setToolTip(QString::fromUtf16(parts.doubleHeaderTip));

    auto *reference = new QHBoxLayout;
    auto *referenceCaption = NewLabel(QStringLiteral("ΣL の参考値"));
    referenceCaption->setObjectName(QString::fromLatin1(parts.referenceCaptionName));
    parts.reference = ValueLabel(QString::fromLatin1(parts.referenceName));
    parts.reference->setText(QStringLiteral("---"));
    reference->addWidget(referenceCaption);
    reference->addWidget(parts.reference, 1);

    auto *figureCaption = NewLabel(QString::fromUtf16(parts.figureCaption));
    figureCaption->setObjectName(QString::fromLatin1(parts.figureCaptionName));
    picture1_[parts.picture] = new ExampleFigure(parts.picture);
    picture1_[parts.picture]->setObjectName(Indexed("Picture1", parts.picture));

    command3_[parts.checkButton] = new QPushButton(QStringLiteral("計算結果を見る"));
    command3_[parts.previousButton] = new QPushButton(QStringLiteral("前へ"));
    command3_[parts.lastButton] = new QPushButton(QString::fromUtf16(parts.lastCaption));

    auto *left = new QVBoxLayout;
    left->addWidget(frame);
    left->addLayout(reference);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(Figure(figureCaption, picture1_[parts.picture]), 1);
    right->addWidget(BuildResultLine(parts.resultHeading,
                                     std::span<QLabel *const, 10>(parts.resultBlock, 10), parts.resultRule));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(command3_[parts.checkButton]);
    buttons->addStretch(1);
    buttons->addWidget(command3_[parts.previousButton]);
    buttons->addWidget(command3_[parts.lastButton]);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

void Form4::BuildTabs()
{
    CreateResultLabels();
    sstab1_ = new QTabWidget;
    sstab1_->setObjectName(QStringLiteral("SSTab1"));
    // Created tab by tab, row by row: this is also the Tab-key order.
    sstab1_->addTab(BuildMethodTab(), QStringLiteral("検討方法・諸数値の設定"));
    sstab1_->addTab(BuildPileTab({u"遮水矢板の打設長", "Frame3(1)", FirstVerticalName, FirstVerticalBox,
                                  check1_, "Label28", nullptr, label2_[2], "Label26", "Label24",
                                  label24_, u"鉛直方向の浸透経路長(樋門の例)", "Label6(0)", 0,
                                  label3_[0], label3_.data(), line4_[0], 5, 3, 1, u"次へ"}),
                    QStringLiteral("鉛直方向の計算"));
    sstab1_->addTab(BuildPileTab({u"遮水矢板の打設範囲", "Frame3(2)", FirstHorizontalName,
                                  FirstHorizontalBox, check2_, "Label14",
                                  u"入力値を２倍して経路長にします", label2_[3], "Label27", "Label25",
                                  label25_, u"水平方向の浸透経路長(樋門の例)", "Label6(1)", 2,
                                  label3_[10], label4_.data(), line4_[5], 6, 2, 4, u"ﾌﾟﾚﾋﾞｭｰ"}),
                    QStringLiteral("水平方向の計算"));
    for (int i = 0; i < int(command3_.size()); ++i)
        command3_[i]->setObjectName(Indexed("Command3", i));

    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    const int margin = Twips(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(sstab1_);
    setCentralWidget(client);
}

}  // namespace talven
