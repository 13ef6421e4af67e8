#include "grid_footer.h"

#include "data_grid.h"

#include "ledger/number_format.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace widgets {

GridFooter::GridFooter(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("footer"));
}

void GridFooter::setGrid(DataGrid* grid)
{
    grid_ = grid;
    QTableView* view = grid->view();
    QueryModel* model = grid->model();
    // Many changes come at once (a reset, then the columns): the cells follow once.
    auto later = [this] {
        if (queued_)
            return;
        queued_ = true;
        QTimer::singleShot(0, this, [this] {
            queued_ = false;
            refresh();
        });
    };
    connect(model, &QAbstractItemModel::modelReset, this, later);
    connect(model, &QAbstractItemModel::dataChanged, this, later);
    connect(model, &QAbstractItemModel::rowsInserted, this, later);
    connect(model, &QAbstractItemModel::rowsRemoved, this, later);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, later);
    connect(view->horizontalHeader(), &QHeaderView::sectionMoved, this, later);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { refresh(); });
    refresh();
}

QString GridFooter::cellText(int column) const
{
    if (!grid_ || !grid_->model() || column < 0 || column >= grid_->model()->columnCount())
        return {};
    const ColumnSpec& spec = grid_->model()->spec(column);
    switch (spec.footer) {
    case FooterKind::None: return {};
    case FooterKind::Text: return spec.footerText;
    case FooterKind::Sum: {
        const ledger::Currency sum = grid_->model()->columnSum(column);
        return QString::fromStdString(spec.format == DisplayFormat::Yuan ? ledger::formatYuan(sum) : sum.toString());
    }
    }
    return {};
}

QLabel* GridFooter::cell(int column) const
{
    if (column < 0 || static_cast<size_t>(column) >= cells_.size() || cells_[static_cast<size_t>(column)]->isHidden())
        return nullptr;
    return cells_[static_cast<size_t>(column)];
}

void GridFooter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refresh();
}

void GridFooter::refresh()
{
    if (!grid_ || !grid_->model())
        return;
    QTableView* view = grid_->view();
    QHeaderView* header = view->horizontalHeader();
    QueryModel* model = grid_->model();
    const int columns = model->columnCount();
    while (cells_.size() < static_cast<size_t>(columns)) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("footer%1").arg(cells_.size()));
        label->setContentsMargins(4, 0, 4, 0);
        cells_.push_back(label);
    }
    // The footer lies under the whole grid; cells start where the viewport does.
    const int left = view->viewport()->mapTo(grid_, QPoint(0, 0)).x() - mapTo(grid_, QPoint(0, 0)).x();
    const int right = left + view->viewport()->width();
    for (size_t i = 0; i < cells_.size(); ++i) {
        QLabel* label = cells_[i];
        const int c = static_cast<int>(i);
        const QString text = cellText(c);
        if (c >= columns || view->isColumnHidden(c) || text.isEmpty()) {
            label->hide();
            continue;
        }
        const ColumnSpec& spec = model->spec(c);
        Qt::Alignment align =
            spec.footerAlignment.value_or(Qt::Alignment(model->data(model->index(0, c), Qt::TextAlignmentRole).toInt()));
        if (!(align & Qt::AlignHorizontal_Mask))
            align |= spec.footer == FooterKind::Sum ? Qt::AlignRight : Qt::AlignLeft;
        label->setAlignment((align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        label->setText(text);
        label->setAccessibleName(text);
        label->setAccessibleDescription(model->headerData(c, Qt::Horizontal).toString());
        const int x = left + header->sectionViewportPosition(c);
        const int x1 = std::min(right, x + header->sectionSize(c));
        const int x0 = std::max(left, x);
        label->setVisible(x1 > x0);
        label->setGeometry(x, 1, x1 - x, height() - 1);
    }
    update();
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 244, 140));
    p.setPen(QColor(200, 184, 90));
    p.drawLine(rect().topLeft(), rect().topRight());
    if (!grid_ || !grid_->model())
        return;
    QTableView* view = grid_->view();
    QHeaderView* header = view->horizontalHeader();
    const int left = view->viewport()->mapTo(grid_, QPoint(0, 0)).x() - mapTo(grid_, QPoint(0, 0)).x();
    p.setClipRect(QRect(left, 0, view->viewport()->width(), height()));
    p.setPen(QColor(230, 214, 110));
    for (int c = 0; c < grid_->model()->columnCount(); ++c) {
        if (view->isColumnHidden(c))
            continue;
        const int x = left + header->sectionViewportPosition(c) + header->sectionSize(c) - 1;
        p.drawLine(x, 0, x, height());
    }
}

} // namespace widgets
