#include "form.h"

#include "guarded.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace widgets {

namespace {

// Watches one event of one control for a handler; goes with the control.
class EventHook : public QObject {
public:
    EventHook(QWidget* control, QEvent::Type type, std::function<bool(QEvent*)> handler)
        : QObject(control), control_(control), type_(type), handler_(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != control_ || event->type() != type_)
            return false;
        bool taken = false;
        runGuarded(control_, [&] { taken = handler_(event); });
        return taken;
    }

private:
    QWidget* control_;
    QEvent::Type type_;
    std::function<bool(QEvent*)> handler_;
};

} // namespace

QLabel* buddyLabel(QWidget* parent, const char* caption, const QRect& place, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setGeometry(place);
    label->setBuddy(buddy);
    buddy->setAccessibleName(label->text().remove(QChar(u'：')).remove(QChar(u'　')).remove(QLatin1Char(':')).trimmed());
    return label;
}

void makeFloating(QGroupBox* box)
{
    box->setAutoFillBackground(true);
    box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background-color: #fbfdff; border: 1px solid #7f9db9; "
                                      "border-radius: 3px; margin-top: 0px; padding-top: 18px; }"
                                      "QGroupBox#%1::title { subcontrol-origin: padding; subcontrol-position: top left; "
                                      "left: 6px; top: 2px; color: #1f4e79; }")
                           .arg(box->objectName()));
}

void tabOrder(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous && control)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

std::vector<QPushButton*> addButtons(QWidget* parent, const std::vector<ButtonRow>& rows)
{
    std::vector<QPushButton*> made;
    for (const ButtonRow& row : rows) {
        auto* button = make<QPushButton>(parent, row.name, row.caption, row.place);
        if (row.tip)
            button->setToolTip(QString::fromUtf8(row.tip));
        QObject::connect(button, &QPushButton::clicked, button, guarded(button, row.handler));
        made.push_back(button);
    }
    return made;
}

QWidget* buttonBar(QWidget* parent, const char* name, const QRect& place, const std::vector<ButtonRow>& rows)
{
    auto* bar = make<QWidget>(parent, name, place);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 4, 0, 4);
    for (QPushButton* button : addButtons(bar, rows)) {
        button->setFixedWidth(75);
        layout->addWidget(button);
    }
    layout->addStretch();
    return bar;
}

void onKeyPress(QWidget* control, KeyHandler handler)
{
    new EventHook(control, QEvent::KeyPress,
                  [handler = std::move(handler)](QEvent* e) { return handler(static_cast<QKeyEvent*>(e)); });
}

void onMouseRelease(QWidget* control, std::function<void()> handler)
{
    new EventHook(control, QEvent::MouseButtonRelease, [handler = std::move(handler)](QEvent*) {
        handler();
        return false;
    });
}

void onResize(QWidget* control, std::function<void()> handler)
{
    new EventHook(control, QEvent::Resize, [handler = std::move(handler)](QEvent*) {
        handler();
        return false;
    });
}

void onFocusIn(QWidget* control, std::function<void()> handler)
{
    new EventHook(control, QEvent::FocusIn, [handler = std::move(handler)](QEvent*) {
        handler();
        return false;
    });
}

bool isEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace widgets
