// File > Open and File > Save through the main window: round trips, refused
// files, failed saves, and the Saved flag after each way out.

#include "app/form4.h"
#include "describestudy.h"
#include "form4testing.h"
#include "scripteddialogs.h"
#include "study/soilclasses.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

const AskedDialog LoseWorkOpen{u"作業中のデータは全て失われますがいいですか？"_s, 36, u"タルヴェン・開く"_s};
const AskedDialog LoseWorkNew{u"作業中のデータは全て失われますがいいですか？"_s, 36, u"タルヴェン・新規作成"_s};
const AskedDialog ReadError{u"ファイル読み込みを中止しました。"_s, 48, u"タルヴェン・読み込みエラー"_s};
const AskedDialog WriteError{u"ファイル書き込みを中止しました。"_s, 48, u"タルヴェン・書き込みエラー"_s};
const AskedDialog RatioOutOfRange{u"数値は５から９の範囲で入力してください"_s, 48, u"タルヴェン・範囲外の数値です"_s};

// Everything the user can see of the study, and the record behind it, one
// entry per line so that a difference names its control.
QStringList Describe(const Form4 &form)
{
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines << u"Text1(%1)=%2 %3"_s.arg(i).arg(form.Text1(i)->text()).arg(form.Text1(i)->isReadOnly());
    for (int i = 0; i < 19; ++i)
        lines << u"Text2(%1)=%2"_s.arg(i).arg(form.Text2(i)->text());
    for (int i = 0; i < 7; ++i)
        lines << u"Check(%1)=%2 %3"_s.arg(i).arg(form.Check1(i)->isChecked()).arg(form.Check2(i)->isChecked());
    lines << u"formula=%1 class=%2 of %3"_s.arg(form.Option1(0)->isChecked())
                 .arg(form.ListIndex())
                 .arg(form.List1()->count());
    for (QLabel *label : form.findChildren<QLabel *>())
        if (!label->objectName().isEmpty())
            lines << label->objectName() + u"="_s + label->text() + (label->isVisibleTo(&form) ? u""_s : u" hidden"_s);
    return lines + DescribeRecord(Study());
}

// A study typed by the user: Bligh's ranged class with 7.5, names, numbers, some ticks off.
void EnterStudy(Form4 &form, ScriptedDialogs &dialogs)
{
    ClickButton(form.Option1(0));
    dialogs.Answer(MsgBoxOk);
    ClickListRow(form.List1(), RangedBlighClass);
    TypeKeys(form.Text1(5), u"7.5"_s);
    for (int i = 0; i < 19; ++i)
        form.Text2(i)->setText(u"名%1"_s.arg(i));
    for (int i : {0, 1, 2, 3, 4, 6, 13})
        form.Text1(i)->setText(QString::number(i + 2));
    form.Check1(1)->click();
    form.Check2(6)->click();
    dialogs.Forget();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A valid study file's lines, Lane without a class, to be altered.
QList<QByteArray> PlainLines()
{
    QList<QByteArray> lines(53);
    lines[38] = "20000";
    return lines;
}

QByteArray Joined(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

}  // namespace

class TestOpenSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void refusedFile_data();
    void refusedFile();
    void cancelled();
    void failedSave_data();
    void failedSave();
    void extension_data();
    void extension();
    void overwriteAfterExtension_data();
    void overwriteAfterExtension();
    void rangedClass_data();
    void rangedClass();
    void shortFile_data();
    void shortFile();
};

void TestOpenSave::roundTrip_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<int>("shift");
    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        const int count = int(SoilClasses(formula).size());
        for (int soil = -1; soil < count; ++soil) {
            const char *name = formula == Formula::Bligh ? "Bligh" : "Lane";
            QTest::addRow("%s class %d", name, soil) << int(formula) << soil << soil + 1;
        }
    }
}

// Typed texts and what the reopened box shows; the water levels also take "-".
const char *const TypedValues[][2] = {
    {"1.234", "1.23"}, {"12.345", "12.35"}, {"0.005", "0.01"}, {"99.99", "99.99"},
    {"3.5", "3.50"},   {"", "0.00"},        {"7", "7.00"},
};

void TestOpenSave::roundTrip()
{
    QFETCH(int, formula);
    QFETCH(int, soilClass);
    QFETCH(int, shift);
    const bool bligh = Formula(formula) == Formula::Bligh;
    const bool ranged = IsRangedClass(Formula(formula), soilClass);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));

    ClickButton(form.Option1(bligh ? 0 : 1));
    if (ranged)
        dialogs.Answer(MsgBoxOk);
    if (soilClass >= 0)
        ClickListRow(form.List1(), soilClass);
    if (ranged)
        TypeKeys(form.Text1(5), u"6.5"_s);
    QStringList shownNumbers;
    for (int i = 0; i < 20; ++i) {
        if (i == 5)
            continue;
        const auto &value = TypedValues[(i + shift) % std::size(TypedValues)];
        const bool level = i == 3 || i == 4;
        form.Text1(i)->setText((level ? u"-"_s : QString()) + QString::fromLatin1(value[0]));
        shownNumbers << (level && value[0][0] ? u"-"_s : QString()) + QString::fromLatin1(value[1]);
    }
    for (int i = 0; i < 19; ++i)
        form.Text2(i)->setText(u" 樋門ｱ%1　"_s.arg(i + shift));
    for (int i = 0; i < 7; ++i) {
        if ((i + shift) % 3 == 0)
            form.Check1(i)->click();
        if ((i + shift) % 2 == 0)
            form.Check2(i)->click();
    }
    const QString ratio = form.Text1(5)->text();
    const QStringList ticks = Describe(form).filter(u"Check("_s);
    QCOMPARE(dialogs.Unanswered(), 0);
    dialogs.Forget();

    dialogs.AnswerFile(folder.filePath(u"study"_s));
    form.m11(4)->trigger();
    QVERIFY(Study().Saved);
    QVERIFY(QFile::exists(folder.filePath(u"study.vek"_s)));
    // A new study asks nothing after the save and clears the window.
    form.m11(1)->trigger();
    QCOMPARE(form.Text2(0)->text(), QString());

    dialogs.AnswerFile(folder.filePath(u"study.vek"_s));
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{});
    QVERIFY(Study().Saved);
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
    QCOMPARE(NameOf(FocusedWidget()), u"Text2(0)"_s);
    QCOMPARE(form.SelectedFormula(), Formula(formula));
    QCOMPARE(form.ListIndex(), soilClass);
    QCOMPARE(form.RatioEditable(), ranged);
    // Without a class the ratio comes back in the formula's own pattern.
    QCOMPARE(form.Text1(5)->text(), soilClass < 0 ? (bligh ? u"0"_s : u"0.0"_s) : ratio);
    QCOMPARE(Describe(form).filter(u"Check("_s), ticks);
    for (int i = 0, k = 0; i < 20; ++i) {
        if (i != 5)
            QCOMPARE(form.Text1(i)->text(), shownNumbers[k++]);
    }
    for (int i = 0; i < 19; ++i) {
        QCOMPARE(form.Text2(i)->text(), u"樋門ｱ%1"_s.arg(i + shift));
        QCOMPARE(Study().Names[i], u"樋門ｱ%1"_s.arg(i + shift));
    }
}

void TestOpenSave::refusedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QList<QByteArray> lines = PlainLines();
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("54 lines") << Joined(lines) + "\r\n";
    for (const char *tick : {"2", "-1", "0.5"}) {
        lines = PlainLines();
        lines[52] = tick;
        QTest::addRow("tick %s", tick) << Joined(lines);
    }
    for (const char *code : {"10600", "21200", "19900"}) {
        lines = PlainLines();
        lines[38] = code;
        QTest::addRow("method code %s", code) << Joined(lines);
    }
    QTest::newRow("too large") << QByteArray(70 * 1024, 'x');
}

void TestOpenSave::refusedFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"bad.vek"_s);
    if (!bytes.isEmpty())
        WriteBytes(path, bytes);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    form.Text2(3)->setFocus();
    const QStringList before = Describe(form);
    QVERIFY(!Study().Saved);

    dialogs.Answer(MsgBoxYes);
    dialogs.AnswerFile(path);
    dialogs.Answer(MsgBoxOk);
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), (QList<AskedDialog>{LoseWorkOpen, ReadError}));
    QCOMPARE(Describe(form), before);
}

void TestOpenSave::cancelled()
{
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    const QStringList before = Describe(form);

    dialogs.AnswerFile(QString());
    form.m11(4)->trigger();
    dialogs.Answer(MsgBoxYes);
    dialogs.AnswerFile(QString());
    form.m11(3)->trigger();
    QCOMPARE(Describe(form), before);
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkOpen});

    // Both dialogs start in the program's folder with the study-file filter.
    QCOMPARE(dialogs.FileDialogs().size(), 2);
    for (const auto &dialog : dialogs.FileDialogs()) {
        QCOMPARE(dialog.folder, QCoreApplication::applicationDirPath());
        QVERIFY2(dialog.filter.startsWith(u"タルヴェン機項目名ファイル (*.VEK) ("_s), qPrintable(dialog.filter));
        QVERIFY2(dialog.filter.contains(u"*.vek"_s), qPrintable(dialog.filter));
    }
    QCOMPARE(dialogs.FileDialogs()[0].fileName, u"新規タイトル"_s);

    // Nothing was saved: New still asks.
    dialogs.Forget();
    dialogs.Answer(MsgBoxNo);
    form.m11(1)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkNew});
}

void TestOpenSave::failedSave_data()
{
    QTest::addColumn<QString>("target");   // inside the test's folder
    QTest::addColumn<QString>("name");     // typed into Text2(7)
    QTest::addColumn<bool>("named");       // the message names the text instead
    QTest::newRow("parent is a file") << u"file/study.vek"_s << u"杭"_s << false;
    QTest::newRow("target is a folder") << u"folder.vek"_s << u"杭"_s << false;
    QTest::newRow("Hangul name") << u"earlier.vek"_s << u"한국"_s << true;
    QTest::newRow("emoji name") << u"earlier.vek"_s << u" 杭😀 "_s << true;
}

void TestOpenSave::failedSave()
{
    QFETCH(QString, target);
    QFETCH(QString, name);
    QFETCH(bool, named);
    QTemporaryDir folder;
    WriteBytes(folder.filePath(u"file"_s), "a file, not a folder");
    QVERIFY(QDir(folder.path()).mkdir(u"folder.vek"_s));
    const QByteArray earlier = Joined(PlainLines());
    WriteBytes(folder.filePath(u"earlier.vek"_s), earlier);

    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    form.Text2(7)->setText(name);
    const QStringList before = Describe(form);

    dialogs.AnswerFile(folder.filePath(target));
    dialogs.Answer(MsgBoxOk);
    form.m11(4)->trigger();
    QCOMPARE(dialogs.Asked().size(), 1);
    const AskedDialog shown = dialogs.Asked().front();
    if (named) {
        QCOMPARE(shown.style, 48);
        QCOMPARE(shown.caption, WriteError.caption);
        QVERIFY2(shown.prompt.contains(name.trimmed()), qPrintable(shown.prompt));
    } else {
        QCOMPARE(shown, WriteError);
    }
    QCOMPARE(Describe(form), before);  // Saved and MethodCode included
    QFile file(folder.filePath(u"earlier.vek"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{u"earlier.vek"_s, u"file"_s, u"folder.vek"_s}));
}

void TestOpenSave::extension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("plan") << u"plan"_s << u"plan.vek"_s;
    QTest::newRow("PLAN.VEK") << u"PLAN.VEK"_s << u"PLAN.VEK"_s;
    QTest::newRow("plan.Vek") << u"plan.Vek"_s << u"plan.Vek"_s;
    QTest::newRow("plan.txt") << u"plan.txt"_s << u"plan.txt.vek"_s;
    QTest::newRow("計画") << u"計画"_s << u"計画.vek"_s;
}

void TestOpenSave::extension()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    dialogs.AnswerFile(folder.filePath(typed));
    form.m11(4)->trigger();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
    QVERIFY(Study().Saved);
    // The method code of Bligh's fourth class with 7.5, kept by the save.
    QCOMPARE(Study().MethodCode, 10407.5);
}

// The dialog only guards the name as typed: "plan" over an existing plan.vek
// is asked about by the program, and No keeps the earlier file and Saved.
void TestOpenSave::overwriteAfterExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("added extension, No") << u"plan"_s << int(MsgBoxNo) << true << false;
    QTest::newRow("added extension, Yes") << u"plan"_s << int(MsgBoxYes) << true << true;
    QTest::newRow("typed extension, dialog asked already") << u"plan.vek"_s << 0 << false << true;
}

void TestOpenSave::overwriteAfterExtension()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    QTemporaryDir folder;
    const QString earlier = folder.filePath(u"plan.vek"_s);
    WriteBytes(earlier, "earlier\r\n");
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    dialogs.AnswerFile(folder.filePath(typed));
    if (asked)
        dialogs.Answer(answer);
    form.m11(4)->trigger();
    const QList<AskedDialog> expected = asked
        ? QList<AskedDialog>{{u"「plan.vek」は既に存在します。\r\n上書きしますか？"_s, 36, u"タルヴェン・保存"_s}}
        : QList<AskedDialog>{};
    QCOMPARE(dialogs.Asked(), expected);
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll() != QByteArray("earlier\r\n"), replaced);
    QCOMPARE(Study().Saved, replaced);
}

void TestOpenSave::rangedClass_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<bool>("outOfRange");
    QTest::newRow("7.5") << QByteArray("10407.5") << u"7.5"_s << false;
    QTest::newRow("7") << QByteArray("10407") << u"7"_s << false;
    QTest::newRow("5") << QByteArray("10405") << u"5"_s << false;
    QTest::newRow("9") << QByteArray("10409") << u"9"_s << false;
    QTest::newRow("9.5") << QByteArray("10409.5") << u"5"_s << true;
    QTest::newRow("4.9") << QByteArray("10404.9") << u"5"_s << true;
    // The same text as the "0" pattern gives: the check must run all the same.
    QTest::newRow("10") << QByteArray("10410") << u"5"_s << true;
    QTest::newRow("0") << QByteArray("10400") << u"5"_s << true;
}

void TestOpenSave::rangedClass()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, ratio);
    QFETCH(bool, outOfRange);
    QTemporaryDir folder;
    QList<QByteArray> lines = PlainLines();
    lines[38] = code;
    WriteBytes(folder.filePath(u"ranged.vek"_s), Joined(lines));
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    dialogs.AnswerFile(folder.filePath(u"ranged.vek"_s));
    if (outOfRange)
        dialogs.Answer(MsgBoxOk);
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), outOfRange ? QList<AskedDialog>{RatioOutOfRange} : QList<AskedDialog>{});
    QCOMPARE(form.ListIndex(), RangedBlighClass);
    QCOMPARE(form.Text1(5)->text(), ratio);
    QVERIFY(form.RatioEditable());
    QCOMPARE(Study().CreepRatio, ratio.toDouble());
    QVERIFY(Study().Saved);
}

void TestOpenSave::shortFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("three lines") << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("52 lines, no last line end") << Joined(QList<QByteArray>(52)).chopped(2);
}

// Missing lines count as empty: no class, an empty ratio box, no ticks.
void TestOpenSave::shortFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    WriteBytes(folder.filePath(u"short.vek"_s), bytes);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    EnterStudy(form, dialogs);
    dialogs.Answer(MsgBoxYes);
    dialogs.AnswerFile(folder.filePath(u"short.vek"_s));
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkOpen});
    QCOMPARE(form.SelectedFormula(), Formula::Lane);
    QCOMPARE(form.ListIndex(), -1);
    QCOMPARE(form.Text1(5)->text(), QString());
    QVERIFY(!form.RatioEditable());
    for (int i = 0; i < 7; ++i)
        QVERIFY(!form.Check1(i)->isChecked() && !form.Check2(i)->isChecked());
    QCOMPARE(form.Text1(0)->text(), u"0.00"_s);
    QVERIFY(Study().Saved);
}

QTEST_MAIN(TestOpenSave)
#include "test_open_save.moc"
