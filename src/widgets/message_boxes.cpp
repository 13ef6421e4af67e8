#include "message_boxes.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
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
    QString fileToSave(QWidget* owner, const QString& caption, const QString& suggested, const QString& filter) override
    {
        // Qt's own dialog, so that its texts are Chinese whatever the desktop.
        QFileDialog dialog(owner ? owner->window() : nullptr, caption, suggested, filter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(suggested);
        dialog.setDefaultSuffix(QFileInfo(suggested).suffix()); // a name typed without ".csv" gets it
        dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("位置："));
        dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
        dialog.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型："));
        dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
        dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                       : QString();
    }
    void openFolder(const QString& path) override { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
    Progress progress(QWidget* owner, const QString& label) override
    {
        // Shown only when the task takes longer than half a second. The
        // window owns the dialog too: whoever goes first, it is deleted once.
        auto* shown = new QProgressDialog(label, QStringLiteral("取消"), 0, 1000, owner ? owner->window() : nullptr);
        shown->setWindowTitle(applicationTitle());
        shown->setWindowModality(Qt::WindowModal);
        shown->setMinimumDuration(500);
        shown->setAutoClose(false);
        shown->setValue(0);
        std::shared_ptr<QPointer<QProgressDialog>> dialog(new QPointer<QProgressDialog>(shown), [](QPointer<QProgressDialog>* p) {
            delete p->data();
            delete p;
        });
        return [dialog](int64_t done, int64_t total) {
            QProgressDialog* d = dialog->data();
            if (!d)
                return false;
            d->setValue(total > 0 ? int(done * 1000 / total) : 0);
            return !d->wasCanceled();
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
