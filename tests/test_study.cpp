#include "study/fieldrules.h"
#include "study/methodcode.h"
#include "study/numbers.h"
#include "study/soilclasses.h"
#include "study/study.h"
#include "study/studyhistory.h"
#include "study/studyrecord.h"
#include "workedexample.h"

#include <QTest>

using namespace talven;

Q_DECLARE_METATYPE(talven::Formula)
Q_DECLARE_METATYPE(talven::Study)

class TestStudy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void methodCodeRoundTrip_data();
    void methodCodeRoundTrip();
    void decodeByPosition_data();
    void decodeByPosition();
    void methodCodeValue_data();
    void methodCodeValue();
    void soilTables();
    void numberBoxRange_data();
    void numberBoxRange();
    void keyFilter_data();
    void keyFilter();
    void enterCycles_data();
    void enterCycles();
    void edits_data();
    void edits();
    void history();
    void sectionInputs_data();
    void sectionInputs();
};

void TestStudy::methodCodeRoundTrip_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("listIndex");
    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        const auto classes = soilClasses(formula);
        for (int i = -1; i < int(classes.size()); ++i)
            QTest::addRow("%s class %d", formula == Formula::Bligh ? "bligh" : "lane", i) << formula << i;
    }
}

// Every class saved with its table ratio opens as the same formula, class and ratio text.
void TestStudy::methodCodeRoundTrip()
{
    QFETCH(Formula, formula);
    QFETCH(int, listIndex);
    const QString ratioText = listIndex < 0 ? emptyRatioText(formula)
                                            : QString::fromUtf16(soilClasses(formula)[listIndex].ratioText);
    const double code = buildMethodCode(formula, listIndex, leadingNumber(ratioText));
    const DecodedMethod decoded = decodeMethodCode(generalNumber(code));
    QCOMPARE(decoded.formula, formula);
    QCOMPARE(decoded.listIndex, listIndex);
    QCOMPARE(decoded.ratioText, ratioText);
}

void TestStudy::decodeByPosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("ratioText");
    QTest::addColumn<QString>("remainder");
    QTest::newRow("bligh first 18") << QStringLiteral("10118") << Formula::Bligh << 0 << QStringLiteral("18") << QStringLiteral("18");
    QTest::newRow("lane first 8.5") << QStringLiteral("20108.5") << Formula::Lane << 0 << QStringLiteral("8.5") << QStringLiteral("08.5");
    QTest::newRow("lane eleventh 1.8") << QStringLiteral("21101.8") << Formula::Lane << 10 << QStringLiteral("1.8") << QStringLiteral("01.8");
    QTest::newRow("lane none") << QStringLiteral("20000") << Formula::Lane << -1 << QStringLiteral("0.0") << QStringLiteral("00");
    QTest::newRow("bligh ranged 7.5 through 0") << QStringLiteral("10407.5") << Formula::Bligh << 3 << QStringLiteral("8") << QStringLiteral("07.5");
    QTest::newRow("zero code") << QStringLiteral("0") << Formula::Lane << -1 << QString() << QString();
    QTest::newRow("empty") << QString() << Formula::Lane << -1 << QString() << QString();
    QTest::newRow("other first digit is lane") << QStringLiteral("30212") << Formula::Lane << 1 << QStringLiteral("12.0") << QStringLiteral("12");
    QTest::newRow("negative") << QStringLiteral("-5") << Formula::Lane << 4 << QString() << QString();
}

void TestStudy::decodeByPosition()
{
    QFETCH(QString, text);
    QFETCH(Formula, formula);
    QFETCH(int, listIndex);
    QFETCH(QString, ratioText);
    QFETCH(QString, remainder);
    const DecodedMethod decoded = decodeMethodCode(text);
    QCOMPARE(decoded.formula, formula);
    QCOMPARE(decoded.listIndex, listIndex);
    QCOMPARE(decoded.ratioText, ratioText);
    QCOMPARE(decoded.ratioRemainder, remainder);
}

void TestStudy::methodCodeValue_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("expected");
    QTest::newRow("lane none") << Formula::Lane << -1 << 0.0 << (201.0 - 1.0) * 100.0;
    QTest::newRow("bligh fifth C 4") << Formula::Bligh << 4 << 4.0 << (101.0 + 4.0) * 100.0 + 4.0;
    QTest::newRow("bligh third C 12") << Formula::Bligh << 2 << 12.0 << 10312.0;
}

void TestStudy::methodCodeValue()
{
    QFETCH(Formula, formula);
    QFETCH(int, listIndex);
    QFETCH(double, ratio);
    QFETCH(double, expected);
    QCOMPARE(buildMethodCode(formula, listIndex, ratio), expected);
}

void TestStudy::soilTables()
{
    QCOMPARE(soilClasses(Formula::Bligh).size(), std::size_t(5));
    QCOMPARE(soilClasses(Formula::Lane).size(), std::size_t(11));
    // The list spells these with an ideographic space, the report without.
    QCOMPARE(QString::fromUtf16(soilClasses(Formula::Lane)[2].listText), QStringLiteral("中\u3000砂"));
    QCOMPARE(QString::fromUtf16(soilClasses(Formula::Lane)[2].reportText), QStringLiteral("中砂"));
    QCOMPARE(QString::fromUtf16(soilClasses(Formula::Lane)[8].ratioText),
             QString::fromUtf16(soilClasses(Formula::Lane)[6].ratioText));
    QCOMPARE(QString::fromUtf16(soilClasses(Formula::Bligh)[RangedBlighClass].listText), QStringLiteral("砂混じり砂利"));
    QCOMPARE(QString::fromUtf16(soilClasses(Formula::Bligh)[RangedBlighClass].reportRatio), QStringLiteral("5～9"));
    QVERIFY(isRangedClass(Formula::Bligh, 3));
    QVERIFY(!isRangedClass(Formula::Lane, 3));
}

void TestStudy::numberBoxRange_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("replacement");
    const QString a = QStringLiteral("数値は0から99.99の範囲で入力してください");
    const QString b = QStringLiteral("数値は-999.99から999.99の範囲で入力してください");
    const QString c = QStringLiteral("数値は５から９の範囲で入力してください");
    QTest::newRow("dimension top edge") << 0 << QStringLiteral("99.99") << false << true << 99.99 << QString() << QString();
    QTest::newRow("dimension 100") << 1 << QStringLiteral("100") << false << false << 0.0 << a << QString();
    QTest::newRow("dimension empty") << 2 << QString() << false << true << 0.0 << QString() << QString();
    QTest::newRow("pile negative pasted") << 6 << QStringLiteral("-1") << false << false << 0.0 << a << QString();
    QTest::newRow("pile trailing junk") << 19 << QStringLiteral("12abc") << false << true << 12.0 << QString() << QString();
    QTest::newRow("water level low edge") << 3 << QStringLiteral("-999.99") << false << true << -999.99 << QString() << QString();
    QTest::newRow("water level -1000") << 3 << QStringLiteral("-1000") << false << false << 0.0 << b << QString();
    QTest::newRow("water level 1000") << 4 << QStringLiteral("1000") << false << false << 0.0 << b << QString();
    QTest::newRow("water level lone minus") << 4 << QStringLiteral("-") << false << true << 0.0 << QString() << QString();
    QTest::newRow("ratio read-only unchecked") << 5 << QStringLiteral("18") << false << true << 18.0 << QString() << QString();
    QTest::newRow("ratio editable 5") << 5 << QStringLiteral("5") << true << true << 5.0 << QString() << QString();
    QTest::newRow("ratio editable 9") << 5 << QStringLiteral("9") << true << true << 9.0 << QString() << QString();
    QTest::newRow("ratio editable 9.5") << 5 << QStringLiteral("9.5") << true << false << 5.0 << c << QStringLiteral("5");
    QTest::newRow("ratio editable 1") << 5 << QStringLiteral("1") << true << false << 5.0 << c << QStringLiteral("5");
}

void TestStudy::numberBoxRange()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(bool, editable);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    QFETCH(QString, prompt);
    QFETCH(QString, replacement);
    const FieldCheck check = checkNumberBox(index, text, editable);
    QCOMPARE(check.accepted, accepted);
    QCOMPARE(check.message.prompt, prompt);
    if (accepted) {
        QCOMPARE(check.value, value);
    } else {
        QCOMPARE(check.message.icon, MessageIcon::Exclamation);
        QVERIFY(check.message.caption.startsWith(QStringLiteral("タルヴェン・")));
        QCOMPARE(check.replacement, replacement);
    }
}

void TestStudy::keyFilter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QString>("broughtIn");  // the same text pasted or dropped
    QTest::newRow("dimension") << 0 << QStringLiteral("12.-a５") << QStringLiteral("12.") << QStringLiteral("12.-5");
    QTest::newRow("water level takes minus") << 3 << QStringLiteral("-1.5e") << QStringLiteral("-1.5") << QStringLiteral("-1.5");
    QTest::newRow("pile no minus typed, kept pasted") << 12 << QStringLiteral("-9") << QStringLiteral("9") << QStringLiteral("-9");
    QTest::newRow("ratio") << 5 << QStringLiteral("7.5+") << QStringLiteral("7.5") << QStringLiteral("7.5");
    QTest::newRow("full-width and the minus sign") << 6 << QStringLiteral("－１．５ −2") << QStringLiteral("2") << QStringLiteral("-1.5-2");
    QTest::newRow("thousands stay whole") << 0 << QStringLiteral("1,234") << QStringLiteral("1234") << QStringLiteral("1234");
}

void TestStudy::keyFilter()
{
    QFETCH(int, index);
    QFETCH(QString, characters);
    QFETCH(QString, accepted);
    QFETCH(QString, broughtIn);
    QString passed;
    for (QChar c : characters)
        if (numberBoxAccepts(index, c))
            passed += c;
    QCOMPARE(passed, accepted);
    QCOMPARE(numberTextBroughtIn(characters), broughtIn);
}

void TestStudy::enterCycles_data()
{
    QTest::addColumn<bool>("numberBoxes");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("cycle");
    QTest::newRow("tab 0 values") << true << 0 << QList<int>{1, 2, 3, 4, 0};
    QTest::newRow("vertical lengths") << true << 6 << QList<int>{7, 8, 9, 10, 11, 12, 6};
    QTest::newRow("horizontal lengths") << true << 13 << QList<int>{14, 15, 16, 17, 18, 19, 13};
    QTest::newRow("ratio to next button") << true << 5 << QList<int>{-1};
    QTest::newRow("tab 0 names") << false << 0 << QList<int>{1, 2, 3, 4, 0};
    QTest::newRow("vertical names") << false << 5 << QList<int>{6, 7, 8, 9, 10, 11, 5};
    QTest::newRow("horizontal names") << false << 12 << QList<int>{13, 14, 15, 16, 17, 18, 12};
}

void TestStudy::enterCycles()
{
    QFETCH(bool, numberBoxes);
    QFETCH(int, start);
    QFETCH(QList<int>, cycle);
    int at = start;
    for (int expected : cycle) {
        at = numberBoxes ? nextNumberBox(at) : nextNameBox(at);
        QCOMPARE(at, expected);
    }
}

void TestStudy::edits_data()
{
    // Edits made one after another on the empty study: "formula bligh",
    // "class N", "restore N RATIO" (an opened study's class), "box N TEXT",
    // "refresh" (a box left). The messages and the focus are the last edit's.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<QString>("ratioText");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<int>("box");  // a number box, its text and stored value
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<double>("boxValue");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("focusBox");
    const QString ranged = rangedClassMessage().prompt;
    const QString a = QStringLiteral("数値は0から99.99の範囲で入力してください");
    const QString c = QStringLiteral("数値は５から９の範囲で入力してください");
    const QString zero = QStringLiteral("0.00");
    const Formula bligh = Formula::Bligh, lane = Formula::Lane;
    QTest::newRow("empty study") << QStringList{} << lane << -1 << QStringLiteral("0.0") << 0.0 << 0 << zero << 0.0
                                 << QStringList{} << -1;
    QTest::newRow("Bligh") << QStringList{QStringLiteral("formula bligh")} << bligh << -1 << QStringLiteral("0") << 0.0
                           << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("Bligh fine sand") << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 0")} << bligh
                                     << 0 << QStringLiteral("18") << 18.0 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("ranged class: message and 5") << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 3")}
                                                 << bligh << 3 << QStringLiteral("5") << 5.0 << 0 << zero << 0.0
                                                 << QStringList{ranged} << int(CreepRatioBox);
    QTest::newRow("ranged class, 7.5 typed")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 3"), QStringLiteral("box 5 7.5")} << bligh << 3
        << QStringLiteral("7.5") << 7.5 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("ranged class, 9.5 refused")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 3"), QStringLiteral("box 5 9.5")} << bligh << 3
        << QStringLiteral("5") << 5.0 << 0 << zero << 0.0 << QStringList{c} << int(CreepRatioBox);
    QTest::newRow("another class after the ranged one")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 3"), QStringLiteral("class 2")} << bligh << 2
        << QStringLiteral("12") << 12.0 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("read-only ratio stores unchecked")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("class 2"), QStringLiteral("box 5 40")} << bligh << 2
        << QStringLiteral("40") << 40.0 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("the formula chosen again empties the class")
        << QStringList{QStringLiteral("class 4"), QStringLiteral("formula lane")} << lane << -1 << QStringLiteral("0.0")
        << 0.0 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("opened ranged class keeps 7.5")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("restore 3 7.5")} << bligh << 3
        << QStringLiteral("7.5") << 7.5 << 0 << zero << 0.0 << QStringList{} << -1;
    QTest::newRow("opened ranged class, 12 refused without its information")
        << QStringList{QStringLiteral("formula bligh"), QStringLiteral("restore 3 12")} << bligh << 3 << QStringLiteral("5")
        << 5.0 << 0 << zero << 0.0 << QStringList{c} << int(CreepRatioBox);
    QTest::newRow("opened fixed class takes the table's ratio")
        << QStringList{QStringLiteral("restore 1 3")} << lane << 1 << QStringLiteral("7.0") << 7.0 << 0 << zero << 0.0
        << QStringList{} << -1;
    QTest::newRow("dimension 100 refused") << QStringList{QStringLiteral("box 0 100")} << lane << -1 << QStringLiteral("0.0")
                                           << 0.0 << 0 << QString() << 0.0 << QStringList{a} << 0;
    QTest::newRow("pile -1 refused") << QStringList{QStringLiteral("box 6 2"), QStringLiteral("box 6 -1")} << lane << -1
                                     << QStringLiteral("0.0") << 0.0 << 6 << QString() << 0.0 << QStringList{a} << 6;
    QTest::newRow("typed text kept until the box is left") << QStringList{QStringLiteral("box 3 2.")} << lane << -1
                                                           << QStringLiteral("0.0") << 0.0 << 3 << QStringLiteral("2.")
                                                           << 2.0 << QStringList{} << -1;
    QTest::newRow("leaving rounds half away from zero")
        << QStringList{QStringLiteral("box 4 -2.675"), QStringLiteral("refresh")} << lane << -1 << QStringLiteral("0.0")
        << 0.0 << 4 << QStringLiteral("-2.68") << -2.68 << QStringList{} << -1;
}

void TestStudy::edits()
{
    QFETCH(QStringList, steps);
    QFETCH(Formula, formula);
    QFETCH(int, soilClass);
    QFETCH(QString, ratioText);
    QFETCH(double, creepRatio);
    QFETCH(int, box);
    QFETCH(QString, boxText);
    QFETCH(double, boxValue);
    QFETCH(QStringList, messages);
    QFETCH(int, focusBox);
    StudyEdit edit{emptyStudy(), {}, -1};
    for (const QString &step : steps) {
        const QStringList part = step.split(u' ');
        const Study now = edit.study;
        if (part[0] == u"formula")
            edit = {chooseFormula(now, part[1] == u"bligh" ? Formula::Bligh : Formula::Lane), {}, -1};
        else if (part[0] == u"class")
            edit = chooseSoilClass(now, part[1].toInt());
        else if (part[0] == u"restore")
            edit = restoreSoilClass(now, part[1].toInt(), part[2]);
        else if (part[0] == u"box")
            edit = writeNumberBox(now, part[1].toInt(), part[2]);
        else
            edit = refreshBoxes(now);
    }
    const Study &study = edit.study;
    QCOMPARE(study.formula, formula);
    QCOMPARE(study.soilClass, soilClass);
    QCOMPARE(study.ratioText(), ratioText);
    QCOMPARE(study.record.creepRatio, creepRatio);
    QCOMPARE(study.ratioEditable(), isRangedClass(formula, soilClass));
    QCOMPARE(study.numberTexts[box], boxText);
    QCOMPARE(numberField(study.record, box), boxValue);
    QStringList met;
    for (const Message &message : edit.messages)
        met << message.prompt;
    QCOMPARE(met, messages);
    QCOMPARE(edit.focusBox, focusBox);
}

// Undo gives the study before a step, redo the study after it; the saved
// step is the clean one until it is undone and replaced.
void TestStudy::history()
{
    const Study a = emptyStudy();
    const Study b = writeNumberBox(a, 0, QStringLiteral("1")).study;
    const Study c = writeNumberBox(b, 3, QStringLiteral("2")).study;
    StudyHistory history;
    QVERIFY(history.isClean() && !history.canUndo() && !history.canRedo());
    history.push(QStringLiteral("寸法の入力"), a, b);
    history.push(QStringLiteral("水位の入力"), b, c);
    history.setClean();
    QCOMPARE(history.undoText(), QStringLiteral("水位の入力"));
    QCOMPARE(history.undo(), b);
    QVERIFY(!history.isClean());
    QCOMPARE(history.redoText(), QStringLiteral("水位の入力"));
    QCOMPARE(history.redo(), c);
    QVERIFY(history.isClean());
    QCOMPARE(history.undo(), b);
    QCOMPARE(history.undo(), a);
    history.push(QStringLiteral("名称の入力"), a, c);
    QVERIFY(!history.canRedo());
    QCOMPARE(history.undo(), a);
    QVERIFY(!history.isClean());  // the saved step is gone for good
    history.clear();
    QVERIFY(history.isClean() && !history.canUndo());
}

namespace {

// The worked example with a second case, 既往 3.40 / 1.00.
Study floodStudy()
{
    return withCases(workedExample(), casesOf({QStringLiteral("既往 3.4 1")}));
}

}  // namespace

void TestStudy::sectionInputs_data()
{
    QTest::addColumn<Study>("changed");  // the flood study changed
    QTest::addColumn<bool>("vertical");  // whether the section's result is hidden
    QTest::addColumn<bool>("horizontal");
    Study inner = floodStudy();
    inner.laterCases[0] = writeCaseLevel(inner.laterCases[0], Level::Inner, QStringLiteral("0.5")).levelCase;
    Study renamed = floodStudy();
    renamed.laterCases[0].name = QStringLiteral("既往最高");
    Study named = floodStudy();
    named.record.names[FirstVerticalPileName] = QStringLiteral("上流");
    QTest::newRow("case 2's WL2 alone") << inner << true << true;
    QTest::newRow("case 2's name alone") << renamed << false << false;
    QTest::newRow("case 1's WL2") << writeNumberBox(floodStudy(), InnerWaterLevelBox, QStringLiteral("0.5")).study << true << true;
    QTest::newRow("a vertical tick") << setDoubleTick(floodStudy(), Section::Vertical, 0, false) << true << false;
    QTest::newRow("a horizontal length") << writeNumberBox(floodStudy(), pileBox(Section::Horizontal, 1), QStringLiteral("1")).study
                                         << false << true;
    QTest::newRow("a pile's name") << named << false << false;
    QTest::newRow("the formula") << chooseFormula(floodStudy(), Formula::Bligh) << true << true;
}

// A result stays on screen only while what its section's check reads is unchanged.
void TestStudy::sectionInputs()
{
    QFETCH(Study, changed);
    QTEST(sectionInputsDiffer(floodStudy(), changed, Section::Vertical), "vertical");
    QTEST(sectionInputsDiffer(floodStudy(), changed, Section::Horizontal), "horizontal");
}

QTEST_GUILESS_MAIN(TestStudy)
#include "test_study.moc"
