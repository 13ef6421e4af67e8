#include "skins/skin_applier.h"

#include "skins/skin_selectors.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QWidget>

namespace skins {

namespace {

// Every rule of an applied skin is narrowed to widgets that carry this
// property; all widgets get it except tagged ones and their insides.
constexpr char kSkinnedProperty[] = "jzbSkinned";
const QString kSkinnedSelector = QStringLiteral("[jzbSkinned=\"true\"]");

bool insideTaggedWidget(const QWidget* widget)
{
    // parentWidget() also leads from a popup (a combo box's list) to its owner.
    for (; widget; widget = widget->parentWidget()) {
        if (skinTag(widget) == kNoSkinTag)
            return true;
    }
    return false;
}

// Brings the widget's mark up to date; true when it changed.
bool mark(QWidget* widget)
{
    const bool skinned = !insideTaggedWidget(widget);
    const QVariant current = widget->property(kSkinnedProperty);
    if (current.isValid() && current.toBool() == skinned)
        return false;
    widget->setProperty(kSkinnedProperty, skinned);
    return true;
}

// Style sheets read properties when a widget is polished; a mark that
// changes afterwards needs a fresh polish to be seen.
void remarkTree(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (mark(widget) && widget->testAttribute(Qt::WA_WState_Polished)) {
            widget->style()->unpolish(widget);
            widget->style()->polish(widget);
            widget->update();
        }
    }
}

// Marks each widget just before its first polish, and again when it moves
// into or out of a tagged widget.
class SkinMarker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (event->type() == QEvent::Polish)
                mark(widget);
            else if (event->type() == QEvent::ParentChange)
                remarkTree(widget);
        }
        return false;
    }
};

void installMarker()
{
    static QPointer<SkinMarker> marker;
    if (marker)
        return;
    marker = new SkinMarker(qApp);
    qApp->installEventFilter(marker);
}

} // namespace

void setSkinTag(QWidget* widget, int tag)
{
    widget->setProperty(kTagProperty, tag);
    remarkTree(widget);
}

int skinTag(const QWidget* widget)
{
    return widget->property(kTagProperty).toInt();
}

void applySkin(const QByteArray& styleSheet)
{
    installMarker();
    const QWidgetList existing = QApplication::allWidgets();
    for (QWidget* widget : existing)
        mark(widget);
    qApp->setStyleSheet(restrictToAttribute(QString::fromUtf8(styleSheet), kSkinnedSelector));
}

void removeSkin()
{
    qApp->setStyleSheet(QString());
}

} // namespace skins
