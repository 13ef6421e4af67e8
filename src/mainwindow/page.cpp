#include "page.h"

#include <QApplication>
#include <QShortcut>

namespace mainwindow {

Page::Page(PageContext& context, const char* designName, QWidget* parent) : QWidget(parent), context_(context)
{
    setObjectName(QString::fromUtf8(designName));
    // A page covers the whole content area with its own background.
    setAutoFillBackground(true);
    setAttribute(Qt::WA_StyledBackground);
}

pages::ClassCode Page::currentClass() const
{
    return pages::classOfCode(context_.b_zt.toStdString()).value_or(pages::ClassCode::Expenditure);
}

void Page::setCurrentClass(pages::ClassCode klass)
{
    context_.b_zt = QString::fromUtf8(pages::codeOf(klass).data(), 1);
}

void Page::takeFocus()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && isAncestorOf(focus))
        return;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void Page::addKey(const QKeySequence& keys, std::function<void()> handler)
{
    // The page's widgets hold the focus only while it is shown.
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, guarded([this, handler = std::move(handler)] {
                if (isVisible())
                    handler();
            }));
}

} // namespace mainwindow
