// The help file as shipped beside the program: its contents links reach their
// sections, and what it tells the user (soil tables and their sources, ranges,
// messages, box lengths) is what the program does.
#include "app/helpwindow.h"
#include "study/fieldrules.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

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

private:
    HelpWindow window;
    QString text;
};

void TestHelp::initTestCase()
{
    const QString path = qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/VEK.hlp");
    QVERIFY2(window.open(path), qPrintable(path));
    text = window.browser()->toPlainText();
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

QTEST_MAIN(TestHelp)
#include "test_help.moc"
