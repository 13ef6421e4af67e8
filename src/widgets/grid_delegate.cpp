#include "grid_delegate.h"

#include "data_grid.h"
#include "date_picker.h"
#include "query_model.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace widgets {

namespace {

// The list of a look-up cell: the list's columns with their titles; the
// key of a row is kept in the item's user data.
class LookupEditor : public QComboBox {
public:
    LookupEditor(QWidget* parent, const Lookup& lookup) : QComboBox(parent)
    {
        auto* model = new QStandardItemModel(this);
        const ledger::Query& list = *lookup.list;
        const int keyField = list.fieldIndex(lookup.listKeyField.toStdString());
        const int shownField = list.fieldIndex(lookup.listShownField.toStdString());
        QStringList titles;
        for (const ledger::Field& f : list.fields())
            titles << QString::fromStdString(f.name);
        model->setHorizontalHeaderLabels(titles);
        for (int r = 0; list.isOpen() && r < list.rowCount(); ++r) {
            QList<QStandardItem*> items;
            for (size_t c = 0; c < list.fields().size(); ++c)
                items << new QStandardItem(QString::fromStdString(list.value(r, static_cast<int>(c)).toText()));
            items[0]->setData(QString::fromStdString(list.value(r, keyField).toText()), Qt::UserRole);
            model->appendRow(items);
        }
        auto* table = new QTableView(this);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        setModel(model);
        setView(table);
        setModelColumn(std::max(0, shownField));
        table->setMinimumWidth(180);
        table->resizeColumnsToContents();
    }

    QString keyAt(int row) const
    {
        auto* m = static_cast<QStandardItemModel*>(model());
        return row < 0 ? QString() : m->item(row, 0)->data(Qt::UserRole).toString();
    }

    void selectKey(const QString& key)
    {
        auto* m = static_cast<QStandardItemModel*>(model());
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->item(r, 0)->data(Qt::UserRole).toString() == key) {
                setCurrentIndex(r);
                return;
            }
        setCurrentIndex(-1);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QComboBox::showEvent(event);
        // The list drops down as soon as editing starts.
        QTimer::singleShot(0, this, [this] { showPopup(); });
    }
};

} // namespace

GridDelegate::GridDelegate(QTableView* view) : QStyledItemDelegate(view), view_(view) {}

const QueryModel* GridDelegate::queryModel(const QModelIndex& index) const
{
    return qobject_cast<const QueryModel*>(index.model());
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QueryModel* model = queryModel(index);
    const bool currentRow = model && index.row() == model->query().currentRow();
    const bool focusedCell = view_->hasFocus() && index == view_->currentIndex();
    if (!focusedCell) {
        opt.state &= ~QStyle::State_Selected;
        opt.state &= ~QStyle::State_HasFocus;
        if (currentRow) {
            opt.backgroundBrush = kCurrentRowColor;
            opt.features &= ~QStyleOptionViewItem::Alternate;
            opt.palette.setColor(QPalette::Text, Qt::black);
        }
    }
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The style paints the cell's panel (row colour, selection, focus); the
    // text goes straight to the painter, which a big grid scrolls faster with
    // than with the style's text layout.
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QRect textRect = opt.rect.adjusted(3, 0, -3, 0);
    if (model && model->isLookup(index.column()) && (model->flags(index) & Qt::ItemIsEditable)) {
        // A look-up cell always shows its drop-down button, unless the name cannot be chosen there.
        const int button = std::min(opt.rect.height(), 16);
        QStyleOption arrow;
        arrow.rect = QRect(opt.rect.right() - button + 1, opt.rect.top(), button, opt.rect.height());
        arrow.palette = opt.palette;
        arrow.state = QStyle::State_Enabled;
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, widget);
        textRect.setRight(arrow.rect.left() - 2);
    }
    if (text.isEmpty())
        return;
    const bool selected = opt.state & QStyle::State_Selected;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(QPalette::Normal, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, static_cast<int>(opt.displayAlignment),
                      opt.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QueryModel* model = queryModel(index);
    if (model) {
        if (const Lookup* lookup = model->lookupOf(index.column()); lookup && lookup->list)
            return new LookupEditor(parent, *lookup);
        if (model->isDateColumn(index.column())) {
            auto* editor = new DatePicker(parent);
            editor->setFrame(false);
            return editor;
        }
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* lookup = dynamic_cast<LookupEditor*>(editor)) {
        lookup->selectKey(index.data(Qt::EditRole).toString());
        return;
    }
    if (auto* date = qobject_cast<DatePicker*>(editor)) {
        const QDateTime value = index.data(Qt::EditRole).toDateTime();
        date->setDate(value.isValid() ? value.date() : QDate::currentDate());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* lookup = dynamic_cast<LookupEditor*>(editor)) {
        if (lookup->currentIndex() >= 0)
            model->setData(index, lookup->keyAt(lookup->currentIndex()));
        return;
    }
    if (auto* date = qobject_cast<DatePicker*>(editor)) {
        model->setData(index, date->date());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace widgets
