#include "grid_footer.h"

#include "data_grid.h"

#include "ledger/number_format.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

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
    auto repaint = [this] { update(); };
    connect(model, &QAbstractItemModel::modelReset, this, repaint);
    connect(model, &QAbstractItemModel::dataChanged, this, repaint);
    connect(model, &QAbstractItemModel::rowsInserted, this, repaint);
    connect(model, &QAbstractItemModel::rowsRemoved, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::sectionMoved, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

QString GridFooter::cellText(int column) const
{
    if (!grid_ || !grid_->model())
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
    // The footer lies under the whole grid; cells start where the viewport does.
    const int left = view->viewport()->mapTo(grid_, QPoint(0, 0)).x() - mapTo(grid_, QPoint(0, 0)).x();
    p.setClipRect(QRect(left, 0, view->viewport()->width(), height()));
    for (int c = 0; c < grid_->model()->columnCount(); ++c) {
        if (view->isColumnHidden(c))
            continue;
        const QString text = cellText(c);
        const QRect cell(left + header->sectionViewportPosition(c), 0, header->sectionSize(c), height());
        p.setPen(QColor(230, 214, 110));
        p.drawLine(cell.topRight(), cell.bottomRight());
        if (text.isEmpty())
            continue;
        const ColumnSpec& spec = grid_->model()->spec(c);
        Qt::Alignment align = spec.footerAlignment.value_or(
            Qt::Alignment(grid_->model()->data(grid_->model()->index(0, c), Qt::TextAlignmentRole).toInt()));
        if (!(align & Qt::AlignHorizontal_Mask))
            align |= spec.footer == FooterKind::Sum ? Qt::AlignRight : Qt::AlignLeft;
        p.setPen(Qt::black);
        p.drawText(cell.adjusted(4, 0, -4, 0), static_cast<int>((align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter), text);
    }
}

} // namespace widgets
