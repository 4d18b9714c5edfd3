#pragma once

// Driving the main window as a user does: focus, typing, clicks.

#include "app/controls.h"
#include "app/mainwindow.h"
#include "app/piletab.h"
#include "app/studydocument.h"
#include "check/studycheck.h"
#include "describestudy.h"
#include "scripteddialogs.h"
#include "study/boxtable.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QTabWidget>
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

// The window's controls by their object names, as a user finds them by their place.
template <typename Control = QWidget>
Control *control(const talven::MainWindow &form, const QString &name)
{
    auto *found = form.findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
inline QLineEdit *numberBox(const talven::MainWindow &form, int index)
{
    return control<QLineEdit>(form, talven::indexed("numberBox", index));
}
inline QLineEdit *nameBox(const talven::MainWindow &form, int index)
{
    return control<QLineEdit>(form, talven::indexed("nameBox", index));
}
inline QLineEdit *creepRatioBox(const talven::MainWindow &form) { return numberBox(form, talven::CreepRatioBox); }
inline QTabWidget *tabs(const talven::MainWindow &form) { return control<QTabWidget>(form, QStringLiteral("tabs")); }
inline QListWidget *soilClassList(const talven::MainWindow &form)
{
    return control<QListWidget>(form, QStringLiteral("soilClassList"));
}
inline QLabel *label(const talven::MainWindow &form, const QString &name) { return control<QLabel>(form, name); }
inline QAction *action(const talven::MainWindow &form, const char *name)
{
    return control<QAction>(form, QLatin1StringView(name));
}
inline QMenu *recentMenu(const talven::MainWindow &form) { return action(form, "recentMenu")->menu(); }
inline QPushButton *button(const talven::MainWindow &form, const char *name)
{
    return control<QPushButton>(form, QLatin1StringView(name));
}
inline QRadioButton *formulaButton(const talven::MainWindow &form, talven::Formula formula)
{
    return control<QRadioButton>(form, formula == talven::Formula::Bligh ? u"blighButton"_qs : u"laneButton"_qs);
}
// The pile tabs' controls are named after their section: "verticalDoubleTick(0)".
inline QString sectionPrefix(talven::Section section)
{
    return section == talven::Section::Vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal");
}
inline QCheckBox *doubleTick(const talven::MainWindow &form, talven::Section section, int row)
{
    return control<QCheckBox>(form, talven::indexed(qPrintable(sectionPrefix(section) + u"DoubleTick"_qs), row));
}
inline QPushButton *showResultButton(const talven::MainWindow &form, talven::Section section)
{
    return button(form, section == talven::Section::Vertical ? "showVerticalResultButton" : "showHorizontalResultButton");
}
inline QPushButton *proposalButton(const talven::MainWindow &form, talven::Section section)
{
    return control<QPushButton>(form, sectionPrefix(section) + u"ProposalButton"_qs);
}
inline QLabel *referenceSigmaLLabel(const talven::MainWindow &form, talven::Section section)
{
    return label(form, sectionPrefix(section) + u"ReferenceSigmaL"_qs);
}
// L, ΔH, vertical ΣL, horizontal ΣL.
inline std::array<QLabel *, 4> totalLabels(const talven::MainWindow &form)
{
    return {label(form, u"memberTotalLabel"_qs), label(form, u"headDifferenceLabel"_qs),
            label(form, u"verticalSigmaLLabel"_qs), label(form, u"horizontalSigmaLLabel"_qs)};
}
inline talven::ResultLine resultLine(const talven::MainWindow &form, talven::Section section)
{
    const auto part = [&](const char *what) { return label(form, sectionPrefix(section) + u"Result"_qs + QLatin1StringView(what)); };
    return {part("Heading"), part("Lead"), part("Numerator"),
            control<QFrame>(form, sectionPrefix(section) + u"ResultRule"_qs), part("Denominator"), part("Equals"),
            part("Provided"), part("Sign"), part("Required"), part("Verdict")};
}

// The study the window shows, and its record.
inline const talven::Study &studyOf(const talven::MainWindow &form) { return form.document().study(); }
inline const talven::StudyRecord &recordOf(const talven::MainWindow &form) { return studyOf(form).record; }
inline bool isSaved(const talven::MainWindow &form) { return form.document().isSaved(); }

// A soil class selected from code, as a click on its row would.
inline void selectSoilClass(const talven::MainWindow &form, int row)
{
    QListWidget *list = soilClassList(form);
    if (row < 0) {
        list->clearSelection();
        list->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    } else {
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
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
// Entering a box with the Tab key selects its text, which typing replaces,
// also in a dialog that is not yet the active window.
inline void typeInto(QLineEdit *box, const QString &keys)
{
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
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
        lines << QStringLiteral("numberBox(%1)=%2 %3").arg(i).arg(numberBox(form, i)->text()).arg(numberBox(form, i)->isReadOnly());
    for (int i = 0; i < NameCount; ++i)
        lines << QStringLiteral("nameBox(%1)=%2").arg(i).arg(nameBox(form, i)->text());
    for (int i = 0; i < PileCount; ++i)
        lines << QStringLiteral("Check(%1)=%2 %3")
                     .arg(i)
                     .arg(doubleTick(form, Section::Vertical, i)->isChecked())
                     .arg(doubleTick(form, Section::Horizontal, i)->isChecked());
    lines << QStringLiteral("formula=%1 class=%2 of %3")
                 .arg(formulaButton(form, Formula::Bligh)->isChecked())
                 .arg(studyOf(form).soilClass)
                 .arg(soilClassList(form)->count());
    for (QLabel *label : form.findChildren<QLabel *>()) {
        if (!label->objectName().isEmpty())
            lines << label->objectName() + u'=' + label->text()
                         + (label->isVisibleTo(&form) ? QString() : QStringLiteral(" hidden"));
    }
    lines << QStringLiteral("saved=%1").arg(isSaved(form));
    return lines + describeRecord(recordOf(form));
}

// Fills the first tab as a user does: formula, soil class (with the ranged
// class's information answered and its ratio typed), the five values, then
// "次へ".
inline void fillFirstTabAndGoOn(talven::MainWindow &form, ScriptedDialogs &dialogs, bool bligh, int soilClass,
                                const QString &typedRatio, const QStringList &values)
{
    clickButton(formulaButton(form, bligh ? talven::Formula::Bligh : talven::Formula::Lane));
    if (!typedRatio.isEmpty())
        dialogs.answer(Reply::Ok);
    clickListRow(soilClassList(form), soilClass);
    if (!typedRatio.isEmpty())
        typeKeys(creepRatioBox(form), typedRatio);
    for (int i = 0; i < talven::BaseValueCount; ++i)
        typeInto(numberBox(form, i), values[i]);
    clickButton(button(form, "toVerticalButton"));
}

// The study saved as the user saves it: File > 名前を付けて保存 into `folder`.
inline void saveStudyInto(talven::MainWindow &form, ScriptedDialogs &dialogs, const QTemporaryDir &folder)
{
    dialogs.answerFile(folder.filePath(QStringLiteral("saved.vek")));
    action(form, "saveAsAction")->trigger();
}
