// Every command of the main window in one table: its menu, object name,
// text, keys and what it runs. createActions() builds, connects and places
// them all.
#include "app/mainwindow.h"

#include "app/studyboxes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace talven {

namespace {

enum class Menu { File, Edit, Help };

struct Command {
    Menu menu;
    bool separatorBefore;
    const char *name;
    const char16_t *text;
    QKeyCombination key;
    QKeyCombination otherKey;
    void (*run)(MainWindow &window);
};

}  // namespace

void MainWindow::createActions()
{
    // Ctrl+X, not the desktop's Quit key, exits: the program's users know it so.
    // 名前を付けて保存 has Ctrl+Shift+S on every system (the toolkit's standard
    // key for it is none on Windows).
    // 元に戻す and やり直し name the step they undo or redo ("元に戻す：寸法の入力").
    static const Command commands[] = {
        {Menu::File, false, "newAction", u"新規作成(&N)", Qt::CTRL | Qt::Key_N, {}, [](MainWindow &w) { w.newStudy(); }},
        {Menu::File, true, "openAction", u"開く(&O)", Qt::CTRL | Qt::Key_O, {}, [](MainWindow &w) { w.openStudy(); }},
        {Menu::File, false, "saveAction", u"上書き保存(&S)", Qt::CTRL | Qt::Key_S, {}, [](MainWindow &w) { w.saveStudy(); }},
        {Menu::File, false, "saveAsAction", u"名前を付けて保存(&A)…", Qt::CTRL | Qt::SHIFT | Qt::Key_S, {},
         [](MainWindow &w) { w.saveStudyAs(); }},
        {Menu::File, true, "reportSettingsAction", u"帳票の設定(&T)…", {}, {},
         [](MainWindow &w) { w.editReportSettings(); }},
        {Menu::File, false, "previewAction", u"印刷プレビュー(&V)", {}, {}, [](MainWindow &w) { w.printPreview(); }},
        {Menu::File, false, "printAction", u"印刷(&P)", Qt::CTRL | Qt::Key_P, {}, [](MainWindow &w) { w.printReport(); }},
        {Menu::File, true, "exitAction", u"終了(&X)", Qt::CTRL | Qt::Key_X, {}, [](MainWindow &w) { w.close(); }},
        {Menu::Edit, false, "undoAction", u"元に戻す", Qt::CTRL | Qt::Key_Z, {}, [](MainWindow &w) { w.stepHistory(true); }},
        {Menu::Edit, false, "redoAction", u"やり直し", Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
         [](MainWindow &w) { w.stepHistory(false); }},
        {Menu::Edit, true, "clearNumbersAction", u"数値のみクリア(&Q)", {}, {}, [](MainWindow &w) { w.clearNumbers(); }},
        {Menu::Help, false, "helpAction", u"ヘルプ(&H)", {}, {}, [](MainWindow &w) { w.showHelp(); }},
        {Menu::Help, true, "versionAction", u"バージョン情報(&A)", {}, {}, [](MainWindow &w) { w.showVersion(); }},
    };

    QMenu *menus[] = {menuBar()->addMenu(QStringLiteral("ファイル(&F)")), menuBar()->addMenu(QStringLiteral("編集(&E)")),
                      menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"))};
    QList<QAction *> fileKeys;
    for (const Command &command : commands) {
        auto *action = new QAction(QString::fromUtf16(command.text), this);
        action->setObjectName(QLatin1StringView(command.name));
        QList<QKeySequence> keys;
        for (QKeyCombination key : {command.key, command.otherKey}) {
            if (key != QKeyCombination())
                keys.append(QKeySequence(key));
        }
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, run = command.run] { run(*this); });
        QMenu *menu = menus[int(command.menu)];
        if (command.separatorBefore)
            menu->addSeparator();
        menu->addAction(action);
        if (command.menu == Menu::File && !keys.isEmpty())
            fileKeys.append(action);
    }
    undoAction_ = findChild<QAction *>(QStringLiteral("undoAction"));
    redoAction_ = findChild<QAction *>(QStringLiteral("redoAction"));
    boxes_->setCommandKeys(fileKeys, undoAction_, redoAction_);

    // The last studies, above 終了.
    QMenu *file = menus[int(Menu::File)];
    QAction *exit = file->actions().constLast();
    recentMenu_ = new QMenu(QStringLiteral("最近使ったファイル(&R)"), file);
    recentMenu_->menuAction()->setObjectName(QStringLiteral("recentMenu"));
    recentMenu_->setToolTipsVisible(true);  // the full paths
    file->insertMenu(exit, recentMenu_);
    file->insertSeparator(exit);
}

}  // namespace talven
