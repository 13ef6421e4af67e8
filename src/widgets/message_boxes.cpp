#include "message_boxes.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

#include <memory>

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
    QString fileToSave(QWidget* owner, const QString& caption, const QString& suggested,
                       const QString& filter) override
    {
        return QFileDialog::getSaveFileName(owner ? owner->window() : nullptr, caption, suggested, filter);
    }
    void openFolder(const QString& path) override { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
    Progress progress(QWidget* owner, const QString& label) override
    {
        // Shown only when the task takes longer than half a second.
        auto dialog = std::make_shared<QProgressDialog>(label, QStringLiteral("取消"), 0, 1000,
                                                        owner ? owner->window() : nullptr);
        dialog->setWindowTitle(applicationTitle());
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(500);
        dialog->setAutoClose(false);
        dialog->setValue(0);
        return [dialog](int64_t done, int64_t total) {
            dialog->setValue(total > 0 ? int(done * 1000 / total) : 0);
            return !dialog->wasCanceled();
        };
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
