#pragma once

#include "shared_state.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>

class QLabel;
class QTimer;

namespace widgets {
class ClickLabel;
}

namespace mainwindow {

class EntryPage;
class FeedbackBrowser;
class UsersPage;

// The maker's web site: the feedback page is its "/yj.htm", recognised by
// its title; the navigation column's link opens the home page.
inline const char* kMakerSite = "http://www.quibo.net";
inline const char* kFeedbackPath = "/yj.htm";
inline const char* kFeedbackTitle = "Quibo记账本";

// The main window: header with three links, navigation column, the pages
// stacked in the content area, the status band with its clock.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(const SignInHost& host);
    ~MainWindow() override;

    SharedState& state() { return state_; }
    EntryPage* entryPage() const { return entryPage_; }
    void setMakerSite(const QUrl& site) { makerSite_ = site; }

    // For every label of the navigation column: transparent background,
    // black font.
    void ResetNavigationMarks();
    // The page panel now in front of the content area.
    QWidget* pageInFront() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Order {
        MarkThenLoad,      // bring to front, reset, mark, then load
        LoadThenMark,      // bring to front, load, then reset and mark
        LoadThenMarkQuiet, // the same, errors ignored without a message
        ResetFirst,        // reset, bring to front, load, then mark
    };
    struct Navigation {
        widgets::ClickLabel* label;
        QWidget* panel;
        Order order;
        std::function<void()> load;
    };

    void FormCreate();
    void buildHeader();
    void buildNavigation();
    void buildStatusBand();
    void buildPages();
    void buildOverlays();
    QWidget* contentPanel(const char* name);
    widgets::ClickLabel* navigationLabel(const char* name, const char* caption, int top, bool major);
    void addNavigation(widgets::ClickLabel* label, QWidget* panel, Order order, std::function<void()> load = {});
    void navigate(const Navigation& n);
    void mark(widgets::ClickLabel* label);

    void Timer1Timer();
    void Label6Click();
    void Label44Click();
    void Label12Click();
    void WebBrowser1TitleChange(const QString& title);
    void Image11Click();
    void Label24Click();

    SignInHost host_;
    ledger::Query ADOQuery4_;
    ledger::Query ADOQuery12_;
    SharedState state_;
    QUrl makerSite_;
    QWidget* Panel2_ = nullptr;
    QLabel* Label30_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QWidget* Panel18_ = nullptr;
    QWidget* Panel19_ = nullptr;
    QWidget* Panel20_ = nullptr;
    FeedbackBrowser* WebBrowser1_ = nullptr;
    EntryPage* entryPage_ = nullptr;
    UsersPage* usersPage_ = nullptr;
    std::map<QString, QWidget*> panels_;
    std::vector<Navigation> navigations_;
};

} // namespace mainwindow
