#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace widgets {

namespace {

// Real boxes, with Chinese button texts whatever the locale.
class QtMessageBoxes : public MessageBoxes {
public:
    void refusal(QWidget* owner, const QString& text) override
    {
        show(owner, QString::fromUtf8(kSystemCaption), text, QMessageBox::Critical, false);
    }
    bool confirm(QWidget* owner, const QString& text) override
    {
        return show(owner, QString::fromUtf8(kSystemCaption), text, QMessageBox::Question, true);
    }
    void information(QWidget* owner, const QString& text) override
    {
        show(owner, QString::fromUtf8(kSystemCaption), text, QMessageBox::NoIcon, false);
    }
    void notice(QWidget* owner, const QString& text) override
    {
        show(owner, applicationTitle(), text, QMessageBox::NoIcon, false);
    }
    void standardError(QWidget* owner, const QString& text) override
    {
        show(owner, applicationTitle(), text, QMessageBox::Critical, false);
    }

private:
    static bool show(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon, bool withCancel)
    {
        QMessageBox box(icon, caption, text, withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                        owner ? owner->window() : nullptr);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        if (withCancel)
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    }
};

// Where a window keeps the boxes lent to it.
constexpr const char* kLentBoxes = "jzbMessageBoxes";

} // namespace

MessageBoxes& realMessageBoxes()
{
    static QtMessageBoxes real; // holds no state
    return real;
}

void lendMessageBoxes(QWidget* window, MessageBoxes& boxes)
{
    window->setProperty(kLentBoxes, QVariant::fromValue(reinterpret_cast<quintptr>(&boxes)));
}

MessageBoxes& messageBoxesFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant lent = w->property(kLentBoxes);
        if (lent.isValid())
            return *reinterpret_cast<MessageBoxes*>(lent.value<quintptr>());
    }
    return realMessageBoxes();
}

QString applicationTitle()
{
    const QString title = QApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Quibo家的记账本") : title;
}

} // namespace widgets
