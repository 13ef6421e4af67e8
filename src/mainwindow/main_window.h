#pragma once

#include "backups.h"
#include "page.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>

class QLabel;
class QStackedWidget;
class QTimer;

namespace widgets {
class ClickLabel;
}

namespace mainwindow {

class FeedbackBrowser;

// The maker's web site: the feedback page is its "/yj.htm", recognised by
// its title; the navigation column's link opens the home page.
inline constexpr const char* kMakerSite = "http://www.quibo.net";
inline constexpr const char* kFeedbackPath = "/yj.htm";
inline constexpr const char* kFeedbackTitle = "Quibo记账本";

// What the sign-in window lends the main window: the one connection, its
// command object (the budget panel's look-ups go through it), the message
// boxes and the way to end the program.
struct SignInHost {
    ledger::Connection& connection;
    ledger::Query& ADOQuery1;
    widgets::MessageBoxes& boxes;
    std::function<void()> closeSignIn;
    // Who signed in, and the way back to the sign-in window when a restored
    // ledger no longer knows them.
    QString userName;
    QString password;
    std::function<void()> backToSignIn;
};

// The main window: header with three links, navigation column, the pages
// in the content area (only the one in front is shown; each is built when
// it is first entered), the status band with its clock.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(const SignInHost& host);
    ~MainWindow() override;

    // Fills Qt's caches with what opening the window needs first (its
    // pictures, the navigation's fonts): for the time before sign-in.
    static void prepare();

    // How a navigation label brings its page.
    enum class Order {
        MarkThenLoad, // bring to front, reset, mark, then load
        LoadThenMark, // bring to front, load, then reset and mark
        LoadThenMarkQuiet, // the same, errors ignored without a message
        ResetFirst, // reset, bring to front, load, then mark
    };

    PageContext& context() { return context_; }
    void setMakerSite(const QUrl& site) { makerSite_ = site; }

    // For every label of the navigation column: transparent background, black font.
    void ResetNavigationMarks();
    // The page now in front of the content area.
    QWidget* pageInFront() const;

    // The day's backup, after a good sign-in; it runs beside the window.
    void startAutomaticBackup();
    // Asked for, but not started yet: the window is not on the screen.
    bool automaticBackupPending() const { return backupPending_; }
    Backups& backups() { return backups_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Navigation {
        widgets::ClickLabel* label;
        const char* panel;
        Order order;
        const char* klass; // the class code the label sets, or none
    };

    template <class P>
    void addPage(const char* panel);
    Page* page(const char* panel);
    void FormCreate();
    void buildHeader();
    void buildNavigation();
    void buildStatusBand();
    QWidget* aboutBox();
    QWidget* feedbackPage();
    widgets::ClickLabel* navigationLabel(const char* name, const char* caption, int top, bool major);
    void navigate(const Navigation& n);
    void bringToFront(QWidget* page);
    void mark(widgets::ClickLabel* label);

    void Timer1Timer();
    void Label6Click();
    void Label44Click();
    void Label12Click();
    void WebBrowser1TitleChange(const QString& title);
    void Image11Click();
    void Label24Click();
    void ledgerReplaced();
    QStringList unsavedPages() const;
    void startBackupWhenShown(int waited);

    SignInHost host_;
    Backups backups_;
    ledger::Query ADOQuery4_;
    ledger::Query ADOQuery12_;
    PageContext context_;
    QUrl makerSite_;
    QWidget* Panel2_ = nullptr;
    QLabel* Label30_ = nullptr;
    QLabel* backupStatus_ = nullptr;
    bool backupPending_ = false;
    QTimer* Timer1_ = nullptr;
    QStackedWidget* content_ = nullptr;
    QWidget* Panel18_ = nullptr;
    QWidget* Panel19_ = nullptr;
    QWidget* Panel20_ = nullptr;
    FeedbackBrowser* WebBrowser1_ = nullptr;
    std::map<std::string, std::function<Page*()>> factories_;
    std::map<std::string, Page*> pages_;
    std::map<std::string, widgets::ClickLabel*> enteredBy_; // the label that last entered each page
    std::vector<Navigation> navigations_;
};

} // namespace mainwindow
