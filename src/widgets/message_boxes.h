#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace widgets {

// Every box the program shows goes through one of these, so tests can
// script the answers and see what a user would have seen.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Caption "系统提示", error icon, OK.
    virtual void refusal(QWidget* owner, const QString& text) = 0;
    // Caption "系统提示", question icon, OK and Cancel; true only for OK.
    virtual bool confirm(QWidget* owner, const QString& text) = 0;
    // Caption "系统提示", no icon, OK ("保存成功").
    virtual void information(QWidget* owner, const QString& text) = 0;
    // Caption the application title, no icon, OK.
    virtual void notice(QWidget* owner, const QString& text) = 0;
    // The standard error box: an error's own text under the application
    // title, error icon, OK.
    virtual void standardError(QWidget* owner, const QString& text) = 0;

    // A file to write, chosen in a save dialog that starts at `suggested`
    // (a full path); empty when the user cancelled.
    virtual QString fileToSave(QWidget* owner, const QString& caption, const QString& suggested, const QString& filter) = 0;
    // Shows a folder in the desktop's file manager.
    virtual void openFolder(const QString& path) = 0;
    // A modal progress dialog with 取消 for a long task, shown while the
    // returned function lives; the task calls it with (done, total) and
    // stops when it returns false (the user cancelled).
    using Progress = std::function<bool(int64_t done, int64_t total)>;
    virtual Progress progress(QWidget* owner, const QString& label) = 0;
};

// Real message boxes.
MessageBoxes& realMessageBoxes();
// Lends boxes (not owned) to a window: it and every widget in it show
// theirs through them.
void lendMessageBoxes(QWidget* window, MessageBoxes& boxes);
// The boxes lent to the widget or the nearest of its ancestors; the real
// ones when none were lent.
MessageBoxes& messageBoxesFor(const QWidget* widget);

inline constexpr const char* kSystemCaption = "系统提示";

// The application title for plain notices and the standard error box.
QString applicationTitle();

} // namespace widgets
