#include "data_grid.h"

#include "grid_delegate.h"
#include "grid_export.h"
#include "grid_footer.h"
#include "guarded.h"

#include "ledger/error.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>

namespace widgets {

namespace {

// The table with what the grid needs of its editing state.
class GridView : public QTableView {
public:
    using QTableView::QTableView;
    bool isEditing() const { return state() == EditingState; }
    // Closes an open cell editor, writing what it holds first or not.
    void closeOpenEditor(bool keep)
    {
        if (!isEditing())
            return;
        QWidget* editor = indexWidget(currentIndex());
        if (!editor)
            editor = focusWidget();
        if (editor && editor != this) {
            if (keep)
                commitData(editor);
            closeEditor(editor, keep ? QAbstractItemDelegate::NoHint : QAbstractItemDelegate::RevertModelCache);
        }
    }
};

GridView* gridView(QTableView* view)
{
    return static_cast<GridView*>(view);
}

// The row indicator column. Its width is fixed, so its size needs no
// measuring of every row's mark, which the view asks for whenever the rows
// or the current row change (a millisecond on a list of a hundred items).
class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) { setSectionsClickable(true); }
    QSize sizeHint() const override { return {maximumWidth(), defaultSectionSize()}; }
};

} // namespace

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), view_(new GridView(this)), footer_(new GridFooter(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);
    footer_->hide();

    view_->setItemDelegate(new GridDelegate(view_));
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    view_->setWordWrap(false);
    view_->setCornerButtonEnabled(false);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view_->setVerticalHeader(new RowIndicator(view_));
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setFixedWidth(14);
    view_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view_->verticalHeader()->setHighlightSections(false);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit cellClicked(index.row(), index.column());
    });
    setRowHeight(22);
}

DataGrid::~DataGrid() = default;

void DataGrid::setQuery(ledger::Query& query)
{
    delete model_;
    model_ = new QueryModel(query, this);
    view_->setModel(model_);
    footer_->setGrid(this);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        followQueryRow(model_->query().currentRow());
    });
    connect(model_, &QueryModel::currentRowChanged, this, &DataGrid::followQueryRow);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { followViewRow(current); });
    applyColumns();
    followQueryRow(query.currentRow());
}

ColumnSpec& DataGrid::column(const QString& field)
{
    if (!model_)
        throw ledger::Error(ledger::Error::Kind::Usage,
                            "表格“" + objectName().toStdString() + "”还没有查询，不能设置列“" + field.toStdString() + "”");
    return model_->column(field);
}

void DataGrid::setColumns(const std::vector<ColumnSpec>& columns)
{
    QString previous;
    for (const ColumnSpec& spec : columns) {
        column(spec.field) = spec;
        if (spec.lookup)
            model_->addLookupColumn(spec.field, *spec.lookup, previous);
        previous = spec.field;
    }
    applyColumns();
}

void DataGrid::setRowHeight(int pixels)
{
    view_->verticalHeader()->setMinimumSectionSize(std::min(pixels, 12));
    view_->verticalHeader()->setDefaultSectionSize(pixels);
    footer_->setFixedHeight(pixels + 2);
}

void DataGrid::setWholeRowSelection(bool on)
{
    view_->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setReadOnly(bool on)
{
    if (model_)
        model_->setReadOnly(on);
    view_->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                              : QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

void DataGrid::setFitColumns(bool on)
{
    fit_ = on;
    view_->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    fitColumns();
}

void DataGrid::setFooterVisible(bool on)
{
    footer_->setVisible(on);
}

void DataGrid::setScrollBars(Qt::ScrollBarPolicy vertical, Qt::ScrollBarPolicy horizontal)
{
    view_->setVerticalScrollBarPolicy(vertical);
    view_->setHorizontalScrollBarPolicy(horizontal);
}

int DataGrid::nominalWidth(int column) const
{
    const ColumnSpec& spec = model_->spec(column);
    if (spec.width > 0)
        return spec.width;
    const QString title = model_->headerData(column, Qt::Horizontal).toString();
    return std::max(64, view_->fontMetrics().horizontalAdvance(title) + 16);
}

void DataGrid::applyColumns()
{
    if (!model_)
        return;
    for (int c = 0; c < model_->columnCount(); ++c) {
        view_->setColumnHidden(c, model_->spec(c).hidden);
        view_->setColumnWidth(c, nominalWidth(c));
    }
    fitColumns();
    footer_->update();
}

void DataGrid::fitColumns()
{
    if (!fit_ || !model_)
        return;
    std::vector<int> visible;
    int total = 0;
    for (int c = 0; c < model_->columnCount(); ++c)
        if (!view_->isColumnHidden(c)) {
            visible.push_back(c);
            total += nominalWidth(c);
        }
    const int available = view_->viewport()->width();
    if (visible.empty() || total <= 0 || available <= 0)
        return;
    int used = 0;
    for (size_t i = 0; i < visible.size(); ++i) {
        const int width = i + 1 == visible.size()
                              ? available - used
                              : static_cast<int>(static_cast<long long>(nominalWidth(visible[i])) * available / total);
        view_->setColumnWidth(visible[i], std::max(8, width));
        used += width;
    }
}

void DataGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

int DataGrid::currentColumn() const
{
    return view_->currentIndex().isValid() ? view_->currentIndex().column() : -1;
}

void DataGrid::followQueryRow(int row)
{
    if (syncing_ || !model_)
        return;
    syncing_ = true;
    if (row < 0) {
        view_->selectionModel()->clearCurrentIndex();
    } else if (view_->currentIndex().row() != row) {
        int column = currentColumn();
        if (column < 0 || view_->isColumnHidden(column)) {
            column = 0;
            while (column < model_->columnCount() - 1 && view_->isColumnHidden(column))
                ++column;
        }
        const QModelIndex index = model_->index(row, column);
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            (view_->selectionBehavior() == QAbstractItemView::SelectRows
                                                                 ? QItemSelectionModel::Rows
                                                                 : QItemSelectionModel::NoUpdate));
        view_->scrollTo(index);
    }
    syncing_ = false;
    view_->viewport()->update();
    emit currentRowChanged(row);
}

void DataGrid::followViewRow(const QModelIndex& current)
{
    if (syncing_ || !model_ || !current.isValid())
        return;
    ledger::Query& q = model_->query();
    if (current.row() == q.currentRow()) {
        view_->viewport()->update();
        return;
    }
    // Leaving an edited row posts it; when that fails the grid stays on it.
    if (!runGuarded(this, [&] { q.setCurrentRow(current.row()); }))
        followQueryRow(q.currentRow());
    view_->viewport()->update();
}

void DataGrid::commitEdits()
{
    if (!model_)
        return;
    gridView(view_)->closeOpenEditor(true);
    model_->query().post();
}

void DataGrid::dropEdits()
{
    if (!model_)
        return;
    gridView(view_)->closeOpenEditor(false);
    model_->query().cancel();
}

QString DataGrid::footerText(int column) const
{
    return footer_->cellText(column);
}

void DataGrid::enableCsvExport(const QString& fileName)
{
    csvFileName_ = fileName.isEmpty() ? objectName() : fileName;
}

QMenu* DataGrid::showContextMenu(const QPoint& globalPos)
{
    if (csvFileName_.isEmpty())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("gridMenu"));
    menu->setAccessibleName(QStringLiteral("表格菜单"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* exportCsv = menu->addAction(QStringLiteral("导出为 CSV…"));
    exportCsv->setObjectName(QStringLiteral("exportCsv"));
    exportCsv->setToolTip(QStringLiteral("把表格中显示的内容写入 CSV 文件"));
    connect(exportCsv, &QAction::triggered, this, guarded(this, [this] { exportGridAsCsv(*this, csvFileName_); }));
    menu->popup(globalPos);
    return menu;
}

QPoint DataGrid::keyboardMenuPos() const
{
    const QModelIndex current = view_->currentIndex();
    QRect cell = current.isValid() ? view_->visualRect(current) : QRect();
    if (!cell.isValid() || !view_->viewport()->rect().intersects(cell))
        return view_->viewport()->mapToGlobal(QPoint(8, 8));
    return view_->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(8, 0));
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (!csvFileName_.isEmpty() && (watched == view_ || watched == view_->viewport())) {
        if (event->type() == QEvent::ContextMenu) {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            showContextMenu(menuEvent->reason() == QContextMenuEvent::Mouse ? menuEvent->globalPos() : keyboardMenuPos());
            return true;
        }
        // Not every desktop turns these keys into a context menu event.
        if (event->type() == QEvent::KeyPress && watched == view_ && !gridView(view_)->isEditing()) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
                showContextMenu(keyboardMenuPos());
                return true;
            }
        }
    }
    if (watched == view_ && event->type() == QEvent::KeyPress && model_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !gridView(view_)->isEditing()) {
            runGuarded(this, [&] { model_->query().cancel(); });
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        view_->viewport()->update(); // the focused cell's colours follow the focus
    if (watched == view_->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

} // namespace widgets
