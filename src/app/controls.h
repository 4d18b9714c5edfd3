#pragma once

// The few kinds of controls the main window's tabs are built of.

#include "app/examplefigure.h"

#include <QString>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace talven {

// "numberBox(3)": the object names of the boxes and ticks that come in rows.
QString indexed(const char *name, int index);

QLabel *newLabel(const QString &text, const char *name = nullptr);
// A sunken, right-aligned label for a computed value.
QLabel *valueLabel(const char *name);
QPushButton *newButton(const QString &text, const char *name);
// A dialog's two answers, in the order of the desktop: the one that accepts
// (「OK」 unless named) and 「キャンセル」. Returns the accepting button.
QPushButton *addAnswerButtons(QDialog *dialog, QDialogButtonBox *buttons, const QString &acceptText = QStringLiteral("OK"));

ExampleFigure *newFigure(ExampleFigure::Drawing drawing, const char *name);
// The list in a box that gives it the height it has room for in whole rows,
// so that its last row shows whole; at least `fewest` rows.
QWidget *inWholeRows(QListWidget *list, int fewest);

// The caption over its sketch, the sketch taking the room that is left.
QWidget *figureWithCaption(QLabel *caption, ExampleFigure *figure);

}  // namespace talven
