#include "app/controls.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace talven {

namespace {

// Gives its list the room it has in whole rows, at least `fewest`; what is
// left of a row stays below the list's frame.
class WholeRows final : public QWidget {
public:
    WholeRows(QListWidget *list, int fewest) : list_(list), fewest_(fewest)
    {
        list->setParent(this);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        // A refilled list may have rows of another height than the estimate.
        connect(list->model(), &QAbstractItemModel::rowsInserted, this, &WholeRows::fitList);
    }

    QSize minimumSizeHint() const override { return {list_->minimumSizeHint().width(), heightOf(fewest_)}; }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void resizeEvent(QResizeEvent *) override { fitList(); }

private:
    void fitList()
    {
        const int rows = std::max(1, (height() - heightOf(0)) / rowHeight());
        list_->setGeometry(0, 0, width(), std::min(height(), heightOf(rows)));
    }

    int rowHeight() const
    {
        return list_->count() > 0 ? list_->sizeHintForRow(0) : list_->fontMetrics().height();
    }
    int heightOf(int rows) const { return 2 * list_->frameWidth() + rows * rowHeight(); }

    QListWidget *list_;
    int fewest_;
};

}  // namespace

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

QPushButton *addAnswerButtons(QDialog *dialog, QDialogButtonBox *buttons, const QString &acceptText)
{
    QPushButton *accept = buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return accept;
}

ExampleFigure *newFigure(ExampleFigure::Drawing drawing, const char *name)
{
    auto *figure = new ExampleFigure(drawing);
    figure->setObjectName(QLatin1StringView(name));
    return figure;
}

QWidget *inWholeRows(QListWidget *list, int fewest)
{
    return new WholeRows(list, fewest);
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
