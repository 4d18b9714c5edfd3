#pragma once

// Driving the main window as a user does: focus, typing, clicks.

#include "app/mainwindow.h"
#include "describestudy.h"
#include "scripteddialogs.h"
#include "study/boxtable.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The program's settings (the recent studies) go to a folder of this test
// run's own, never the user's.
inline void usePrivateSettings()
{
    static const QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

// A pile row's length box, by section.
constexpr int verticalBox(int row)
{
    return talven::pileBox(talven::Section::Vertical, row);
}
constexpr int horizontalBox(int row)
{
    return talven::pileBox(talven::Section::Horizontal, row);
}

// The tab a number box or a name box stands on.
inline int tabOfBox(int box)
{
    return talven::MainWindow::tabOf(talven::groupOfBox(box).section);
}
inline int tabOfName(int name)
{
    for (const talven::BoxGroupInfo &group : talven::BoxGroups) {
        if (group.firstName >= 0 && name >= group.firstName && name < group.firstName + group.count)
            return talven::MainWindow::tabOf(group.section);
    }
    return -1;
}

// The window must be the active one for focus and shortcuts to work offscreen.
inline bool showActive(talven::MainWindow &form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
}

// Types text key by key; Japanese characters arrive as typed characters too.
inline void typeKeys(QWidget *widget, const QString &keys)
{
    for (QChar character : keys) {
        if (character.unicode() < 0x80)
            QTest::keyClick(widget, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

// Enters a box as the user does (its text is then selected) and types.
inline void typeInto(QLineEdit *box, const QString &keys)
{
    box->setFocus(Qt::TabFocusReason);
    typeKeys(box, keys);
}

inline void pressEnter(QWidget *widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

inline void clickButton(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline void clickListRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

inline QWidget *focusedWidget()
{
    return QApplication::focusWidget();
}

inline QString nameOf(const QObject *object)
{
    return object ? object->objectName() : QStringLiteral("(nothing)");
}

// Everything the user can see of the study, and the record behind it, one
// entry per line so that a difference names its control.
inline QStringList describeShown(const talven::MainWindow &form)
{
    using namespace talven;
    QStringList lines;
    for (int i = 0; i < NumberBoxCount; ++i)
        lines << QStringLiteral("numberBox(%1)=%2 %3").arg(i).arg(form.numberBox(i)->text()).arg(form.numberBox(i)->isReadOnly());
    for (int i = 0; i < NameCount; ++i)
        lines << QStringLiteral("nameBox(%1)=%2").arg(i).arg(form.nameBox(i)->text());
    for (int i = 0; i < PileCount; ++i)
        lines << QStringLiteral("Check(%1)=%2 %3")
                     .arg(i)
                     .arg(form.doubleTick(Section::Vertical, i)->isChecked())
                     .arg(form.doubleTick(Section::Horizontal, i)->isChecked());
    lines << QStringLiteral("formula=%1 class=%2 of %3")
                 .arg(form.formulaButton(Formula::Bligh)->isChecked())
                 .arg(form.listIndex())
                 .arg(form.soilClassList()->count());
    for (QLabel *label : form.findChildren<QLabel *>()) {
        if (!label->objectName().isEmpty())
            lines << label->objectName() + u'=' + label->text()
                         + (label->isVisibleTo(&form) ? QString() : QStringLiteral(" hidden"));
    }
    lines << QStringLiteral("saved=%1").arg(form.isSaved());
    return lines + describeRecord(form.study());
}

// Fills the first tab as a user does: formula, soil class (with the ranged
// class's information answered and its ratio typed), the five values, then
// "次へ".
inline void fillFirstTabAndGoOn(talven::MainWindow &form, ScriptedDialogs &dialogs, bool bligh, int soilClass,
                                const QString &typedRatio, const QStringList &values)
{
    clickButton(form.formulaButton(bligh ? talven::Formula::Bligh : talven::Formula::Lane));
    if (!typedRatio.isEmpty())
        dialogs.answer(Reply::Ok);
    clickListRow(form.soilClassList(), soilClass);
    if (!typedRatio.isEmpty())
        typeKeys(form.creepRatioBox(), typedRatio);
    for (int i = 0; i < talven::BaseValueCount; ++i)
        typeInto(form.numberBox(i), values[i]);
    clickButton(form.toVerticalButton());
}

// The study saved as the user saves it: File > Save into `folder`.
inline void saveStudyInto(talven::MainWindow &form, ScriptedDialogs &dialogs, const QTemporaryDir &folder)
{
    dialogs.answerFile(folder.filePath(QStringLiteral("saved.vek")));
    form.saveAction()->trigger();
}
