// cmake --install into a scratch prefix: the program, the report tool and the
// help file share one folder, bin/ links to them, and the desktop entry names
// the program and the icon that are installed; the examples, the manual pages
// and the package's documents are where Debian's tools look for them.
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <filesystem>

class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void layout_data();
    void layout();
    void reportToolRunsThroughItsLink();
    void desktopEntryNamesWhatIsInstalled();
    void studyFileType_data();
    void studyFileType();

private:
    QTemporaryDir prefix;
    QString installed(const QString &relative) const { return prefix.filePath(relative); }
};

void TestInstall::initTestCase()
{
#ifdef Q_OS_WIN
    QSKIP("the installed layout with links in bin/ is the Unix one");
#endif
    QVERIFY(prefix.isValid());
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DESTDIR"));
    install.setProcessEnvironment(environment);
    install.start(QStringLiteral(TALVEN_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(TALVEN_BUILD_DIR), QStringLiteral("--prefix"), prefix.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
    // The MIME database of this process is the installed one alone.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(installed(QStringLiteral("share"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(installed(QStringLiteral("none"))));
}

void TestInstall::layout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("linkTarget");  // empty: a plain file
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << QStringLiteral("lib/talven/talven") << QString() << true;
    QTest::newRow("report tool") << QStringLiteral("lib/talven/talven-report") << QString() << true;
    QTest::newRow("help beside the program") << QStringLiteral("lib/talven/VEK.hlp") << QString() << false;
    QTest::newRow("program link") << QStringLiteral("bin/talven") << QStringLiteral("lib/talven/talven") << true;
    QTest::newRow("report tool link") << QStringLiteral("bin/talven-report") << QStringLiteral("lib/talven/talven-report")
                                      << true;
    QTest::newRow("desktop entry") << QStringLiteral("share/applications/talven.desktop") << QString() << false;
    QTest::newRow("icon") << QStringLiteral("share/icons/hicolor/scalable/apps/talven.svg") << QString() << false;
    QTest::newRow("study file type") << QStringLiteral("share/mime/packages/talven.xml") << QString() << false;
    QTest::newRow("study file icon")
        << QStringLiteral("share/icons/hicolor/scalable/mimetypes/application-x-talven-study.svg") << QString() << false;
    for (const char *example : {"example.vek", "culvert-ok.vek", "sluice-gate-horizontal-ng.vek"})
        QTest::addRow("example %s", example) << QStringLiteral("share/talven/examples/") + QLatin1String(example)
                                              << QString() << false;
    for (const char *folder : {"man1", "ja/man1"}) {
        for (const char *page : {"talven.1.gz", "talven-report.1.gz"})
            QTest::addRow("manual page %s/%s", folder, page)
                << QStringLiteral("share/man/%1/%2").arg(QLatin1String(folder), QLatin1String(page)) << QString() << false;
    }
    for (const char *document : {"README.md", "copyright", "changelog.gz"})
        QTest::addRow("document %s", document) << QStringLiteral("share/doc/talven/") + QLatin1String(document)
                                                << QString() << false;
}

void TestInstall::layout()
{
    QFETCH(QString, path);
    QFETCH(QString, linkTarget);
    QFETCH(bool, executable);
    const QFileInfo info(installed(path));
    QVERIFY2(info.exists(), qPrintable(info.filePath()));
    QCOMPARE(info.isSymLink(), !linkTarget.isEmpty());
    if (!linkTarget.isEmpty()) {
        // A relative link, so that the tree can be moved (DESTDIR, packages).
        QVERIFY2(QFileInfo(info.symLinkTarget()).canonicalFilePath() == QFileInfo(installed(linkTarget)).canonicalFilePath(),
                 qPrintable(info.symLinkTarget()));
        QVERIFY(std::filesystem::read_symlink(std::filesystem::path(info.filePath().toStdString())).is_relative());
    }
    QCOMPARE(info.isExecutable(), executable);
    if (path.endsWith(QLatin1String(".gz"))) {
        QFile compressed(info.filePath());
        QVERIFY(compressed.open(QIODevice::ReadOnly));
        QCOMPARE(compressed.read(2), QByteArray("\x1f\x8b"));
    }
    // The program looks for its help in its own folder: the folder the link leads to.
    if (path == QLatin1String("bin/talven"))
        QVERIFY(QFileInfo::exists(QFileInfo(info.canonicalFilePath()).dir().filePath(QStringLiteral("VEK.hlp"))));
}

void TestInstall::reportToolRunsThroughItsLink()
{
    QTemporaryDir output;
    QVERIFY(output.isValid());
    const QString pdf = output.filePath(QStringLiteral("example.pdf"));
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), output.path());
    tool.setProcessEnvironment(environment);
    tool.start(installed(QStringLiteral("bin/talven-report")),
               {installed(QStringLiteral("share/talven/examples/example.vek")), QStringLiteral("-o"), pdf});
    QVERIFY(tool.waitForFinished(60000));
    const QString verdicts = QString::fromUtf8(tool.readAllStandardOutput());
    QVERIFY2(tool.exitCode() == 0, qPrintable(QString::fromUtf8(tool.readAllStandardError())));
    QCOMPARE(verdicts.count(u'\n'), 2);
    QVERIFY2(verdicts.startsWith(QStringLiteral("鉛直方向")), qPrintable(verdicts));
    QFile written(pdf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");
}

void TestInstall::desktopEntryNamesWhatIsInstalled()
{
    QFile entry(installed(QStringLiteral("share/applications/talven.desktop")));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> keys;
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QCOMPARE(lines.front(), QStringLiteral("[Desktop Entry]"));
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(keys.value(QStringLiteral("Name")), QStringLiteral("タルヴェン"));
    QVERIFY(!keys.value(QStringLiteral("Comment")).isEmpty());
    // The file manager passes the study it opens as the one argument.
    const QStringList exec = keys.value(QStringLiteral("Exec")).split(u' ');
    QCOMPARE(exec.mid(1), QStringList{QStringLiteral("%f")});
    QVERIFY2(QFileInfo::exists(installed(QStringLiteral("bin/") + exec.front())), qPrintable(exec.front()));
    QCOMPARE(keys.value(QStringLiteral("MimeType")), QStringLiteral("application/x-talven-study;"));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/")
                                        + keys.value(QStringLiteral("Icon")) + QStringLiteral(".svg"))));

    // The icon is well-formed SVG.
    QFile icon(installed(QStringLiteral("share/icons/hicolor/scalable/apps/talven.svg")));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&icon);
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), QLatin1String("svg"));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
}

void TestInstall::studyFileType_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("study");
    QTest::newRow("lower case") << QStringLiteral("樋門A.vek") << true;
    QTest::newRow("upper case") << QStringLiteral("PLAN.VEK") << true;
    QTest::newRow("mixed case") << QStringLiteral("plan.Vek") << true;
    QTest::newRow("a temporary save file") << QStringLiteral("plan.vek.Ab12Cd") << false;
}

// The installed description as a MIME database reads it: the glob in any
// case, the two comments and the icon.
void TestInstall::studyFileType()
{
    QFETCH(QString, fileName);
    QFETCH(bool, study);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    QCOMPARE(type.name() == QLatin1String("application/x-talven-study"), study);
    if (!study)
        return;
    QCOMPARE(type.comment(), QStringLiteral("Talven study"));
    QLocale::setDefault(QLocale::Japanese);
    QCOMPARE(type.comment(), QStringLiteral("タルヴェン検討ファイル"));
    QLocale::setDefault(QLocale::c());
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/mimetypes/") + type.iconName()
                                        + QStringLiteral(".svg"))));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
