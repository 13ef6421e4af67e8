#include "amount_field.h"

#include "widgets/guarded.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <utility>

namespace mainwindow {

AmountField::AmountField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("Edit1"));
    setAcceptDrops(false); // what comes in is typed or pasted, and so filtered
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool AmountField::accepts(const QString& text, QChar c)
{
    if (c != QLatin1Char(' ') && c != QLatin1Char('.') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
        return false;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0 && c == QLatin1Char('.'))
        return false;
    return point < 0 || text.size() != point + 3; // two decimals already: nothing more, wherever the caret
}

void AmountField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onEquals)
            widgets::runGuarded(this, onEquals);
        return;
    }
    if ((event->modifiers() & Qt::KeypadModifier) && event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) {
        if (onKeypadDigit)
            widgets::runGuarded(this, [&] { onKeypadDigit(event->key() - Qt::Key_0); });
        return; // the calculator's only: not typed a second time
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered(QClipboard::Clipboard);
        return;
    }
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (character && !accepts(text(), typed.at(0)))
        return;
    QLineEdit::keyPressEvent(event);
}

void AmountField::pasteFiltered(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    // Character by character, as if typed at the caret.
    for (const QChar c : QApplication::clipboard()->text(mode))
        if (accepts(text(), c))
            insert(QString(c));
}

void AmountField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        selectOnRelease_ = true; // the click places the caret first
    else
        selectAll();
}

void AmountField::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        pasteFiltered(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (std::exchange(selectOnRelease_, false) && !hasSelectedText())
        selectAll();
}

void AmountField::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this, [this] { pasteFiltered(QClipboard::Clipboard); });
    }
    menu->exec(event->globalPos());
    delete menu;
}

} // namespace mainwindow
