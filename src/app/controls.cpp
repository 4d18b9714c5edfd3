#include "app/controls.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talven {

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + u'(' + QString::number(index) + u')';
}

QLabel *newLabel(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    if (name)
        label->setObjectName(QLatin1StringView(name));
    return label;
}

QLabel *valueLabel(const char *name)
{
    auto *label = newLabel(QString(), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QPushButton *newButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

ExampleFigure *newFigure(ExampleFigure::Drawing drawing, const char *name)
{
    auto *figure = new ExampleFigure(drawing);
    figure->setObjectName(QLatin1StringView(name));
    return figure;
}

QWidget *figureWithCaption(QLabel *caption, ExampleFigure *figure)
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

}  // namespace talven
