// File > Open and File > Save through the main window: round trips, refused
// files, failed saves, and the saved flag after each way out.

#include "app/mainwindow.h"
#include "files/companionfile.h"
#include "files/studyfile.h"
#include "files/usersettings.h"
#include "mainwindowtesting.h"
#include "scripteddialogs.h"
#include "study/soilclasses.h"

#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

const AskedDialog LoseWorkOpen{u"作業中のデータは全て失われますがいいですか？"_s, MessageIcon::Question, u"タルヴェン・開く"_s};
const AskedDialog LoseWorkNew{u"作業中のデータは全て失われますがいいですか？"_s, MessageIcon::Question, u"タルヴェン・新規作成"_s};
const AskedDialog ReadError{u"ファイル読み込みを中止しました。"_s, MessageIcon::Exclamation, u"タルヴェン・読み込みエラー"_s};
const AskedDialog WriteError{u"ファイル書き込みを中止しました。"_s, MessageIcon::Exclamation, u"タルヴェン・書き込みエラー"_s};
const AskedDialog RatioOutOfRange{u"数値は５から９の範囲で入力してください"_s, MessageIcon::Exclamation, u"タルヴェン・範囲外の数値です"_s};

// A study typed by the user: Bligh's ranged class with 7.5, names, numbers, some ticks off.
void enterStudy(MainWindow &form, ScriptedDialogs &dialogs)
{
    clickButton(formulaButton(form, Formula::Bligh));
    dialogs.answer(Reply::Ok);
    clickListRow(soilClassList(form), RangedBlighClass);
    typeKeys(creepRatioBox(form), u"7.5"_s);
    for (int i = 0; i < NameCount; ++i)
        nameBox(form, i)->setText(u"名%1"_s.arg(i));
    for (int i : {0, 1, 2, OuterWaterLevelBox, InnerWaterLevelBox, verticalBox(0), horizontalBox(0)})
        numberBox(form, i)->setText(QString::number(i + 2));
    doubleTick(form, Section::Vertical, 1)->click();
    doubleTick(form, Section::Horizontal, 6)->click();
    dialogs.forget();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A valid study file's lines, Lane without a class, to be altered.
QList<QByteArray> plainLines()
{
    QList<QByteArray> lines(53);
    lines[38] = "20000";
    return lines;
}

QByteArray joined(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A study that opens, known in the window by its first name; or one refused.
QByteArray studyBytes(bool opens)
{
    QList<QByteArray> lines = plainLines();
    lines[0] = "GATE";
    return joined(lines) + (opens ? "" : "\r\n");
}

// A drag entering `target` and dropped there; true when the drag was taken.
bool dragAndDrop(QWidget *target, const QMimeData &data)
{
    QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();  // a drop opens its study from the event loop
    return enter.isAccepted();
}

bool userCanWriteIn(const QString &folder)
{
    QTemporaryFile probe(folder + u"/probe-XXXXXX"_s);
    return probe.open();
}

}  // namespace

class TestOpenSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void roundTrip_data();
    void roundTrip();
    void refusedFile_data();
    void refusedFile();
    void cancelled();
    void failedSave_data();
    void failedSave();
    void companionSave_data();
    void companionSave();
    void saveInPlace_data();
    void saveInPlace();
    void extension_data();
    void extension();
    void overwriteAfterExtension_data();
    void overwriteAfterExtension();
    void rangedClass_data();
    void rangedClass();
    void shortFile_data();
    void shortFile();
    void fromOutside_data();
    void fromOutside();
    void dragged_data();
    void dragged();
    void dialogFolders_data();
    void dialogFolders();
    void firstFolder_data();
    void firstFolder();
    void title_data();
    void title();
    void recentList_data();
    void recentList();
};

void TestOpenSave::roundTrip_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<int>("shift");
    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        const int count = int(soilClasses(formula).size());
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
    const bool ranged = isRangedClass(Formula(formula), soilClass);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));

    clickButton(formulaButton(form, bligh ? talven::Formula::Bligh : talven::Formula::Lane));
    if (ranged)
        dialogs.answer(Reply::Ok);
    if (soilClass >= 0)
        clickListRow(soilClassList(form), soilClass);
    if (ranged)
        typeKeys(creepRatioBox(form), u"6.5"_s);
    QStringList shownNumbers;
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (i == CreepRatioBox)
            continue;
        const auto &value = TypedValues[(i + shift) % std::size(TypedValues)];
        const bool level = groupOfBox(i).group == BoxGroup::WaterLevels;
        numberBox(form, i)->setText((level ? u"-"_s : QString()) + QString::fromLatin1(value[0]));
        shownNumbers << (level && value[0][0] ? u"-"_s : QString()) + QString::fromLatin1(value[1]);
    }
    for (int i = 0; i < NameCount; ++i)
        nameBox(form, i)->setText(u" 樋門ｱ%1　"_s.arg(i + shift));
    for (int i = 0; i < PileCount; ++i) {
        if ((i + shift) % 3 == 0)
            doubleTick(form, Section::Vertical, i)->click();
        if ((i + shift) % 2 == 0)
            doubleTick(form, Section::Horizontal, i)->click();
    }
    const QString ratio = creepRatioBox(form)->text();
    const QStringList ticks = describeShown(form).filter(u"Check("_s);
    QCOMPARE(dialogs.unanswered(), 0);
    dialogs.forget();

    dialogs.answerFile(folder.filePath(u"study"_s));
    action(form, "saveAction")->trigger();
    QVERIFY(isSaved(form));
    QVERIFY(QFile::exists(folder.filePath(u"study.vek"_s)));
    // A new study asks nothing after the save and clears the window.
    action(form, "newAction")->trigger();
    QCOMPARE(nameBox(form, 0)->text(), QString());

    dialogs.answerFile(folder.filePath(u"study.vek"_s));
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{});
    QVERIFY(isSaved(form));
    QCOMPARE(tabs(form)->currentIndex(), 0);
    QCOMPARE(nameOf(focusedWidget()), u"nameBox(0)"_s);
    QCOMPARE(studyOf(form).formula, Formula(formula));
    QCOMPARE(studyOf(form).soilClass, soilClass);
    QCOMPARE(studyOf(form).ratioEditable(), ranged);
    // Without a class the ratio comes back in the formula's own pattern.
    QCOMPARE(creepRatioBox(form)->text(), soilClass < 0 ? (bligh ? u"0"_s : u"0.0"_s) : ratio);
    QCOMPARE(describeShown(form).filter(u"Check("_s), ticks);
    for (int i = 0, k = 0; i < NumberBoxCount; ++i) {
        if (i != CreepRatioBox)
            QCOMPARE(numberBox(form, i)->text(), shownNumbers[k++]);
    }
    for (int i = 0; i < NameCount; ++i) {
        QCOMPARE(nameBox(form, i)->text(), u"樋門ｱ%1"_s.arg(i + shift));
        QCOMPARE(recordOf(form).names[i], u"樋門ｱ%1"_s.arg(i + shift));
    }
}

void TestOpenSave::refusedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QTest::addColumn<bool>("fifo");         // a FIFO instead of a file
    QList<QByteArray> lines = plainLines();
    QTest::newRow("no such file") << QByteArray() << false;
#ifdef Q_OS_UNIX
    QTest::newRow("a FIFO") << QByteArray() << true;
#endif
    QTest::newRow("54 lines") << joined(lines) + "\r\n" << false;
    for (const char *tick : {"2", "-1", "0.5"}) {
        lines = plainLines();
        lines[52] = tick;
        QTest::addRow("tick %s", tick) << joined(lines) << false;
    }
    // The last one would open without a class and a ratio that its own save
    // writes as another formula and class.
    for (const QByteArray &code : {QByteArray("10600"), QByteArray("21200"), QByteArray("19900"), '2' + QByteArray(400, '9')}) {
        lines = plainLines();
        lines[38] = code;
        QTest::addRow("method code %s", code.left(12).constData()) << joined(lines) << false;
    }
    QTest::newRow("too large") << QByteArray(70 * 1024, 'x') << false;
}

void TestOpenSave::refusedFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"bad.vek"_s);
#ifdef Q_OS_UNIX
    QFETCH(bool, fifo);
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    if (!bytes.isEmpty())
        writeBytes(path, bytes);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    nameBox(form, 3)->setFocus();
    const QStringList before = describeShown(form);
    QVERIFY(!isSaved(form));

    dialogs.answer(Reply::Yes);
    dialogs.answerFile(path);
    dialogs.answer(Reply::Ok);
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), (QList<AskedDialog>{LoseWorkOpen, ReadError}));
    QCOMPARE(describeShown(form), before);
}

void TestOpenSave::cancelled()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    const QStringList before = describeShown(form);

    dialogs.answerFile(QString());
    action(form, "saveAction")->trigger();
    dialogs.answer(Reply::Yes);
    dialogs.answerFile(QString());
    action(form, "openAction")->trigger();
    QCOMPARE(describeShown(form), before);
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkOpen});

    // Both dialogs start in the program's folder with the study-file filter.
    QCOMPARE(dialogs.fileDialogs().size(), 2);
    for (const auto &dialog : dialogs.fileDialogs()) {
        QCOMPARE(dialog.folder, QCoreApplication::applicationDirPath());
        QVERIFY2(dialog.filter.startsWith(u"タルヴェン機項目名ファイル (*.VEK) ("_s), qPrintable(dialog.filter));
        QVERIFY2(dialog.filter.contains(u"*.vek"_s), qPrintable(dialog.filter));
    }
    QCOMPARE(dialogs.fileDialogs()[0].fileName, u"新規タイトル"_s);

    // Nothing was saved: New still asks.
    dialogs.forget();
    dialogs.answer(Reply::No);
    action(form, "newAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkNew});
}

void TestOpenSave::failedSave_data()
{
    QTest::addColumn<QString>("target");   // inside the test's folder
    QTest::addColumn<QString>("name");     // typed into nameBox(7)
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
    writeBytes(folder.filePath(u"file"_s), "a file, not a folder");
    QVERIFY(QDir(folder.path()).mkdir(u"folder.vek"_s));
    const QByteArray earlier = joined(plainLines());
    writeBytes(folder.filePath(u"earlier.vek"_s), earlier);

    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    nameBox(form, 7)->setText(name);
    const QStringList before = describeShown(form);

    dialogs.answerFile(folder.filePath(target));
    dialogs.answer(Reply::Ok);
    action(form, "saveAction")->trigger();
    QCOMPARE(dialogs.asked().size(), 1);
    const AskedDialog shown = dialogs.asked().front();
    if (named) {
        QCOMPARE(shown.icon, MessageIcon::Exclamation);
        QCOMPARE(shown.caption, WriteError.caption);
        QVERIFY2(shown.prompt.contains(name.trimmed()), qPrintable(shown.prompt));
    } else {
        // With the cause on a second line (test_files).
        QCOMPARE(shown.prompt.section(u"\r\n"_s, 0, 0), WriteError.prompt);
        QCOMPARE(shown.caption, WriteError.caption);
    }
    QCOMPARE(describeShown(form), before);  // saved and methodCode included
    QFile file(folder.filePath(u"earlier.vek"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{u"earlier.vek"_s, u"file"_s, u"folder.vek"_s}));
}

void TestOpenSave::companionSave_data()
{
    // s.vek opened with, in its companion's place, a link to notes.txt or a
    // folder, then Ctrl+S; or opened alone, then saved as t.vek beside
    // t.talven.json, No to the question.
    QTest::addColumn<QString>("beside");
    QTest::addColumn<QList<AskedDialog>>("asked");
    const AskedDialog unreadable{u"「s.talven.json」を読み込めません。\r\n水位ケースと表題欄は使わず、検討ファイルの値だけで開きます。"_s,
                                 MessageIcon::Exclamation, u"タルヴェン・読み込み"_s};
#ifdef Q_OS_UNIX
    QTest::newRow("a link to a file elsewhere stays untouched") << u"link"_s << QList<AskedDialog>{unreadable};
#endif
    QTest::newRow("a folder in the way keeps the study file")
        << u"folder"_s
        << QList<AskedDialog>{unreadable, {WriteError.prompt + u"\r\n「s.talven.json」に書き込めません。"_s, MessageIcon::Exclamation,
                                           WriteError.caption}};
    QTest::newRow("Save As asks before replacing a companion")
        << u"save as"_s
        << QList<AskedDialog>{{u"「t.talven.json」は既に存在します。\r\n上書きしますか？"_s, MessageIcon::Question, u"タルヴェン・保存"_s}};
}

void TestOpenSave::companionSave()
{
    QFETCH(QString, beside);
    QFETCH(QList<AskedDialog>, asked);
    QTemporaryDir folder;
    const QString study = folder.filePath(u"s.vek"_s);
    writeBytes(study, studyBytes(true));
    writeBytes(folder.filePath(u"notes.txt"_s), "notes");
    for (const char *name : {"t.vek", "t.talven.json"})
        writeBytes(folder.filePath(QLatin1StringView(name)), name);
    if (beside == u"link")
        QVERIFY(QFile::link(folder.filePath(u"notes.txt"_s), companionPath(study)));
    else if (beside == u"folder")
        QVERIFY(QDir(folder.path()).mkdir(u"s.talven.json"_s));
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    dialogs.answer(Reply::Ok, beside == u"save as" ? 0 : 2);
    form.openStudyFile(study);
    typeInto(nameBox(form, 1), u"門"_s);
    if (beside == u"save as") {
        dialogs.answerFile(folder.filePath(u"t.vek"_s));
        dialogs.answer(Reply::No);
        action(form, "saveAsAction")->trigger();
    } else {
        QTest::keySequence(nameBox(form, 1), QKeySequence::Save);
    }
    QCOMPARE(dialogs.asked(), asked);
    QCOMPARE(readAll(folder.filePath(u"notes.txt"_s)), QByteArray("notes"));
    QCOMPARE(isSaved(form), beside == u"link");
    if (beside == u"link") {
        QVERIFY(!QFileInfo(companionPath(study)).isSymLink());
        return;
    }
    // Nothing written: the study file as it was, byte for byte, and no file left beside it.
    QCOMPARE(readAll(study), studyBytes(true));
    QCOMPARE(readAll(folder.filePath(u"t.vek"_s)), QByteArray("t.vek"));
    QCOMPARE(readAll(folder.filePath(u"t.talven.json"_s)), QByteArray("t.talven.json"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

void TestOpenSave::saveInPlace_data()
{
    QTest::addColumn<QString>("opened");    // in the test's folder, or a path of its own
    QTest::addColumn<bool>("exit");         // はい to the exit question instead of Ctrl+S
    QTest::addColumn<QString>("dialogIn");  // where 上書き保存's dialog starts; empty: no dialog
    QTest::newRow("an opened study is written to its file") << u"樋門A.vek"_s << false << QString();
    QTest::newRow("so by the exit question's はい") << u"樋門A.vek"_s << true << QString();
#ifdef Q_OS_LINUX
    // Nobody puts a file into /proc; its files read as short studies.
    QTest::newRow("one where nobody writes is saved from the documents folder")
        << u"/proc/version"_s << false << writableStudyFolder(u"/proc"_s);
#endif
}

// Ctrl+S from a box: 上書き保存 writes a study to its own file without asking,
// unless the user cannot write there.
void TestOpenSave::saveInPlace()
{
    QFETCH(QString, opened);
    QFETCH(bool, exit);
    QFETCH(QString, dialogIn);
    QTemporaryDir folder;
    writeBytes(folder.filePath(u"樋門A.vek"_s), studyBytes(true));
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    form.openStudyFile(QDir(folder.path()).filePath(opened));
    typeInto(nameBox(form, 1), u"門"_s);
    const QString written = dialogIn.isEmpty() ? folder.filePath(opened) : folder.filePath(u"plan.vek"_s);
    if (!dialogIn.isEmpty())
        dialogs.answerFile(written);
    dialogs.answer(Reply::Yes, exit ? 1 : 0);
    if (exit)
        form.close();
    else
        QTest::keySequence(nameBox(form, 1), QKeySequence::Save);
    QCOMPARE(dialogs.fileDialogs().size(), dialogIn.isEmpty() ? 0 : 1);
    if (!dialogIn.isEmpty())
        QCOMPARE(dialogs.fileDialogs().front().folder, dialogIn);
    QCOMPARE(std::get<StudyEdit>(readStudyFile(written)).study.record.names[1], u"門"_s);
    QVERIFY(isSaved(form) && !form.isWindowModified());
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
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    dialogs.answerFile(folder.filePath(typed));
    action(form, "saveAction")->trigger();
    // The study and its companion, which holds what the study file cannot.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
             QStringList({QFileInfo(written).completeBaseName() + u".talven.json"_s, written}));
    QVERIFY(isSaved(form));
    // The method code of Bligh's fourth class with 7.5, kept by the save.
    QCOMPARE(recordOf(form).methodCode, 10407.5);
}

// The dialog only guards the name as typed: "plan" over an existing plan.vek
// is asked about by the program, and No keeps the earlier file and saved.
void TestOpenSave::overwriteAfterExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("added extension, No") << u"plan"_s << int(Reply::No) << true << false;
    QTest::newRow("added extension, Yes") << u"plan"_s << int(Reply::Yes) << true << true;
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
    writeBytes(earlier, "earlier\r\n");
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    dialogs.answerFile(folder.filePath(typed));
    if (asked)
        dialogs.answer(Reply(answer));
    action(form, "saveAction")->trigger();
    const QList<AskedDialog> expected = asked
        ? QList<AskedDialog>{{u"「plan.vek」は既に存在します。\r\n上書きしますか？"_s, MessageIcon::Question, u"タルヴェン・保存"_s}}
        : QList<AskedDialog>{};
    QCOMPARE(dialogs.asked(), expected);
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll() != QByteArray("earlier\r\n"), replaced);
    QCOMPARE(isSaved(form), replaced);
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
    QList<QByteArray> lines = plainLines();
    lines[38] = code;
    writeBytes(folder.filePath(u"ranged.vek"_s), joined(lines));
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    dialogs.answerFile(folder.filePath(u"ranged.vek"_s));
    if (outOfRange)
        dialogs.answer(Reply::Ok);
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), outOfRange ? QList<AskedDialog>{RatioOutOfRange} : QList<AskedDialog>{});
    QCOMPARE(studyOf(form).soilClass, RangedBlighClass);
    QCOMPARE(creepRatioBox(form)->text(), ratio);
    QVERIFY(studyOf(form).ratioEditable());
    QCOMPARE(recordOf(form).creepRatio, ratio.toDouble());
    QVERIFY(isSaved(form));
}

void TestOpenSave::shortFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("three lines") << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("52 lines, no last line end") << joined(QList<QByteArray>(52)).chopped(2);
}

// Missing lines count as empty: no class, an empty ratio box, no ticks.
void TestOpenSave::shortFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    writeBytes(folder.filePath(u"short.vek"_s), bytes);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    enterStudy(form, dialogs);
    dialogs.answer(Reply::Yes);
    dialogs.answerFile(folder.filePath(u"short.vek"_s));
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkOpen});
    QCOMPARE(studyOf(form).formula, Formula::Lane);
    QCOMPARE(studyOf(form).soilClass, -1);
    QCOMPARE(creepRatioBox(form)->text(), QString());
    QVERIFY(!studyOf(form).ratioEditable());
    for (int i = 0; i < PileCount; ++i)
        QVERIFY(!doubleTick(form, Section::Vertical, i)->isChecked() && !doubleTick(form, Section::Horizontal, i)->isChecked());
    QCOMPARE(numberBox(form, 0)->text(), u"0.00"_s);
    QVERIFY(isSaved(form));
}

void TestOpenSave::fromOutside_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("good");   // a study that opens, or one refused
    QTest::addColumn<int>("reply");   // to the question about unsaved work; 0: nothing unsaved
    QTest::addColumn<bool>("modal");  // a modal window is up when the file comes
    for (const QString &way : {u"command line"_s, u"hand-over"_s, u"drop"_s}) {
        const QByteArray name = way.toUtf8();
        QTest::addRow("%s, a study", name.data()) << way << true << 0 << false;
        QTest::addRow("%s, a refused study", name.data()) << way << false << 0 << false;
        QTest::addRow("%s, unsaved work kept", name.data()) << way << true << int(Reply::No) << false;
        QTest::addRow("%s, unsaved work given up", name.data()) << way << true << int(Reply::Yes) << false;
    }
    QTest::newRow("hand-over under a modal window") << u"hand-over"_s << true << 0 << true;
}

// A study named on the command line, handed over by a later launch or
// dropped on the window opens as File > Open opens it.
void TestOpenSave::fromOutside()
{
    QFETCH(QString, way);
    QFETCH(bool, good);
    QFETCH(int, reply);
    QFETCH(bool, modal);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"樋門A.vek"_s);
    writeBytes(path, studyBytes(good));
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QList<AskedDialog> expected;
    if (reply) {
        enterStudy(form, dialogs);
        dialogs.answer(Reply(reply));
        expected << LoseWorkOpen;
    }
    if (!good) {
        dialogs.answer(Reply::Ok);
        expected << ReadError;
    }
    const bool opens = good && reply != int(Reply::No);
    const QStringList before = describeShown(form);
    QWidget other;  // a hand-over brings the window to the front
    other.show();
    QApplication::setActiveWindow(&other);
    QDialog blocker;
    blocker.setModal(true);
    if (modal)
        blocker.show();

    if (way == u"command line"_s) {
        form.openStudyFile(path);
    } else if (way == u"hand-over"_s) {
        form.openHandedOverStudy(path);
    } else {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QVERIFY(dragAndDrop(&form, data));
    }
    if (modal) {
        QTest::qWait(600);
        QCOMPARE(nameBox(form, 0)->text(), QString());  // not beneath the modal window
        blocker.close();
    }
    QTRY_COMPARE(dialogs.asked(), expected);
    QTRY_COMPARE(nameBox(form, 0)->text(), opens ? u"GATE"_s : before.filter(u"nameBox(0)="_s).front().mid(11));
    if (!opens)
        QCOMPARE(describeShown(form), before);
    QCOMPARE(isSaved(form), opens || reply == 0);
    QCOMPARE(tabs(form)->currentIndex(), 0);
    if (way == u"hand-over"_s && !modal)
        QTRY_VERIFY(form.isActiveWindow());
}

void TestOpenSave::dragged_data()
{
    QTest::addColumn<bool>("onBox");       // over nameBox(2) instead of the window's frame
    QTest::addColumn<QStringList>("files");  // created in a folder; a trailing "/" makes a folder
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one study") << false << QStringList{u"a.vek"_s} << true;
    QTest::newRow("one study, capitals") << false << QStringList{u"B.VEK"_s} << true;
    QTest::newRow("one study over a box") << true << QStringList{u"a.vek"_s} << true;
    QTest::newRow("two studies") << false << QStringList{u"a.vek"_s, u"B.VEK"_s} << false;
    QTest::newRow("another kind of file") << false << QStringList{u"a.txt"_s} << false;
    QTest::newRow("a folder named as a study") << false << QStringList{u"d.vek/"_s} << false;
    QTest::newRow("another file over a box") << true << QStringList{u"a.txt"_s} << false;
    QTest::newRow("text") << false << QStringList{} << false;
}

// Files are taken only as one study to open, never as text for a box.
void TestOpenSave::dragged()
{
    QFETCH(bool, onBox);
    QFETCH(QStringList, files);
    QFETCH(bool, accepted);
    QTemporaryDir folder;
    QMimeData data;
    data.setText(u"a.vek"_s);
    QList<QUrl> urls;
    for (const QString &file : files) {
        if (file.endsWith(u'/'))
            QVERIFY(QDir(folder.path()).mkdir(file));
        else
            writeBytes(folder.filePath(file), studyBytes(true));
        // A folder without its trailing "/", so that only the file check can refuse it.
        urls << QUrl::fromLocalFile(QDir::cleanPath(folder.filePath(file)));
    }
    if (!urls.isEmpty())
        data.setUrls(urls);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QCOMPARE(dragAndDrop(onBox ? static_cast<QWidget *>(nameBox(form, 2)) : &form, data), accepted);
    QTRY_COMPARE(nameBox(form, 0)->text(), accepted ? u"GATE"_s : QString());
    QCOMPARE(nameBox(form, 2)->text(), QString());
    QVERIFY(dialogs.asked().isEmpty());
}

void TestOpenSave::dialogFolders_data()
{
    QTest::addColumn<QStringList>("steps");  // a study opened, saved or refused in a subfolder
    QTest::addColumn<QString>("expected");   // the next dialog's subfolder; empty: the program's folder
    QTest::newRow("before any study") << QStringList{} << QString();
    QTest::newRow("after an open") << QStringList{u"open a"_s} << u"a"_s;
    QTest::newRow("after a save") << QStringList{u"save b"_s} << u"b"_s;
    QTest::newRow("open, then save elsewhere") << QStringList{u"open a"_s, u"save b"_s} << u"b"_s;
    QTest::newRow("a refused open changes nothing") << QStringList{u"open a"_s, u"refuse c"_s} << u"a"_s;
}

void TestOpenSave::dialogFolders()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    for (const QString &step : steps) {
        const QString sub = folder.filePath(step.section(u' ', 1));
        QVERIFY(QDir().mkpath(sub));
        const QString what = step.section(u' ', 0, 0);
        dialogs.answerFile(sub + u"/study.vek"_s);
        if (what != u"save"_s)
            writeBytes(sub + u"/study.vek"_s, studyBytes(what == u"open"_s));
        if (what == u"refuse"_s)
            dialogs.answer(Reply::Ok);
        (what == u"save"_s ? action(form, "saveAsAction") : action(form, "openAction"))->trigger();
    }
    dialogs.answerFile(QString());
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.fileDialogs().last().folder,
             expected.isEmpty() ? QCoreApplication::applicationDirPath() : folder.filePath(expected));
}

void TestOpenSave::firstFolder_data()
{
    QTest::addColumn<bool>("writable");
    QTest::newRow("a program folder the user can write") << true;
    QTest::newRow("a read-only program folder") << false;
}

void TestOpenSave::firstFolder()
{
    QFETCH(bool, writable);
#ifdef Q_OS_WIN
    if (!writable)
        QSKIP("a folder's read-only mark does not stop writing in it");
#endif
    QTemporaryDir program;
    QString folder = program.path();
    if (!writable) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
#ifdef Q_OS_LINUX
        // Permissions do not stop root; nobody puts a file into /proc.
        if (userCanWriteIn(folder))
            folder = u"/proc"_s;
#endif
    }
    const QString start = writableStudyFolder(folder);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(start == folder, writable);
    QVERIFY2(userCanWriteIn(start), qPrintable(start));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!writable && QFileInfo(documents).isDir())
        QCOMPARE(start, documents);
}

void TestOpenSave::title_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("proposed");  // the name File > Save proposes next
    const QString opened = u"樋門A.vek[*] - タルヴェン"_s;
    QTest::newRow("a new window") << QStringList{} << u"タルヴェン"_s << false << u"新規タイトル"_s;
    QTest::newRow("typed without a file") << QStringList{u"type"_s} << u"タルヴェン"_s << false << u"新規タイトル"_s;
    QTest::newRow("opened") << QStringList{u"open"_s} << opened << false << u"樋門A.vek"_s;
    QTest::newRow("opened, typing") << QStringList{u"open"_s, u"type"_s} << opened << true << u"樋門A.vek"_s;
    QTest::newRow("opened, edited") << QStringList{u"open"_s, u"type"_s, u"leave"_s} << opened << true << u"樋門A.vek"_s;
    QTest::newRow("opened, edited, undone")
        << QStringList{u"open"_s, u"type"_s, u"leave"_s, u"undo"_s} << opened << false << u"樋門A.vek"_s;
    QTest::newRow("saved under another name")
        << QStringList{u"open"_s, u"type"_s, u"save"_s} << u"plan.vek[*] - タルヴェン"_s << false << u"plan.vek"_s;
    QTest::newRow("undone past the save")
        << QStringList{u"open"_s, u"type"_s, u"save"_s, u"undo"_s} << u"plan.vek[*] - タルヴェン"_s << true << u"plan.vek"_s;
    QTest::newRow("New after an open") << QStringList{u"open"_s, u"new"_s} << u"タルヴェン"_s << false << u"新規タイトル"_s;
    QTest::newRow("a refused open keeps the study's") << QStringList{u"open"_s, u"refuse"_s} << opened << false
                                                      << u"樋門A.vek"_s;
}

// The window's title names the study's file, with the unsaved mark; File >
// 名前を付けて保存 proposes that file.
void TestOpenSave::title()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(bool, modified);
    QFETCH(QString, proposed);
    QTemporaryDir folder;
    writeBytes(folder.filePath(u"樋門A.vek"_s), studyBytes(true));
    writeBytes(folder.filePath(u"bad.vek"_s), studyBytes(false));
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    for (const QString &step : steps) {
        if (step == u"type") {
            typeInto(numberBox(form, 0), u"4"_s);
        } else if (step == u"leave") {
            pressEnter(numberBox(form, 0));
        } else if (step == u"undo") {
            action(form, "undoAction")->trigger();
        } else if (step == u"save") {
            dialogs.answerFile(folder.filePath(u"plan"_s));
            action(form, "saveAsAction")->trigger();
        } else {
            dialogs.answer(Reply::Yes, isSaved(form) ? 0 : 1);
            dialogs.answerFile(folder.filePath(step == u"refuse" ? u"bad.vek"_s : u"樋門A.vek"_s));
            if (step == u"refuse")
                dialogs.answer(Reply::Ok);
            (step == u"new" ? action(form, "newAction") : action(form, "openAction"))->trigger();
        }
    }
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.isWindowModified(), modified);
    dialogs.forget();
    dialogs.answerFile(QString());
    action(form, "saveAsAction")->trigger();
    // In the study's folder, or for a study without a file where the dialogs start.
    QCOMPARE(dialogs.fileDialogs().front().fileName, proposed);
    QCOMPARE(dialogs.fileDialogs().front().folder,
             steps.contains(u"open"_s) ? folder.path() : QCoreApplication::applicationDirPath());
}

void TestOpenSave::recentList_data()
{
    QTest::addColumn<QStringList>("steps");  // "open NAME", "save NAME", "type", "gone NAME", "recent N" (No to the question)
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QList<AskedDialog>>("asked");
    const QList<AskedDialog> none;
    QTest::newRow("opened and saved, newest first") << QStringList{u"open a"_s, u"save b"_s}
                                                    << QStringList{u"b.vek"_s, u"a.vek"_s} << none;
    QTest::newRow("four at most") << QStringList{u"open a"_s, u"open b"_s, u"open c"_s, u"open d"_s, u"save e"_s}
                                  << QStringList{u"e.vek"_s, u"d.vek"_s, u"c.vek"_s, u"b.vek"_s} << none;
    QTest::newRow("opened again, first again") << QStringList{u"open a"_s, u"open b"_s, u"recent 2"_s}
                                               << QStringList{u"a.vek"_s, u"b.vek"_s} << none;
    QTest::newRow("a study that is gone leaves the list")
        << QStringList{u"open a"_s, u"open b"_s, u"gone a"_s, u"recent 2"_s} << QStringList{u"b.vek"_s}
        << QList<AskedDialog>{ReadError};
    QTest::newRow("a refused study is not listed") << QStringList{u"open a"_s, u"open bad"_s}
                                                   << QStringList{u"a.vek"_s} << QList<AskedDialog>{ReadError};
    QTest::newRow("unsaved work is asked about first")
        << QStringList{u"open a"_s, u"open b"_s, u"type"_s, u"recent 2"_s} << QStringList{u"b.vek"_s, u"a.vek"_s}
        << QList<AskedDialog>{LoseWorkOpen};
}

// File > 最近使ったファイル: the last four studies opened or saved, kept for the
// next run, each opened as File > Open opens a chosen file.
void TestOpenSave::recentList()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, listed);
    QFETCH(QList<AskedDialog>, asked);
    QTemporaryDir folder;
    for (const char *name : {"a", "b", "c", "d"})
        writeBytes(folder.filePath(QLatin1StringView(name) + u".vek"_s), studyBytes(true));
    writeBytes(folder.filePath(u"bad.vek"_s), studyBytes(false));
    UserSettings settings = UserSettings::load();
    settings.recentStudies.clear();
    QVERIFY(settings.save());
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    for (const QString &step : steps) {
        const QString what = step.section(u' ', 0, 0);
        const QString name = step.section(u' ', 1);
        if (what == u"type") {
            typeInto(nameBox(form, 0), u"門"_s);
        } else if (what == u"gone") {
            QVERIFY(QFile::remove(folder.filePath(name + u".vek"_s)));
        } else if (what == u"recent") {
            QAction *entry = recentMenu(form)->actions().at(name.toInt() - 1);
            if (!isSaved(form))
                dialogs.answer(Reply::No);  // the unsaved work is kept
            else if (!QFile::exists(entry->toolTip()))
                dialogs.answer(Reply::Ok);  // the read error
            entry->trigger();
        } else {
            dialogs.answerFile(folder.filePath(name + u".vek"_s));
            if (name == u"bad")
                dialogs.answer(Reply::Ok);
            (what == u"save" ? action(form, "saveAsAction") : action(form, "openAction"))->trigger();
        }
    }
    QCOMPARE(dialogs.asked(), asked);

    // Remembered for the next window, numbered, with the full path as the tip.
    const MainWindow next;
    QStringList texts;
    for (const QAction *entry : recentMenu(next)->actions()) {
        texts << entry->text();
        QCOMPARE(entry->toolTip(), QDir::toNativeSeparators(folder.filePath(entry->text().mid(3))));
    }
    for (qsizetype i = 0; i < listed.size(); ++i)
        listed[i] = u"&%1 %2"_s.arg(i + 1).arg(listed[i]);
    QCOMPARE(texts, listed);
}

QTEST_MAIN(TestOpenSave)
#include "test_open_save.moc"
