#include "main_window.h"

#include "accounts/accounts_page.h"
#include "budgets/budgets_page.h"
#include "categories/categories_page.h"
#include "entry/entry_page.h"
#include "feedback/feedback_browser.h"
#include "grid_editor.h"
#include "loans/loans_page.h"
#include "pages/loans_statements.h"
#include "pages/sign_in_statements.h"
#include "reports/category_report_page.h"
#include "reports/flow_report_page.h"
#include "reports/person_report_page.h"
#include "transfers/transfers_page.h"
#include "users/users_page.h"

#include "chn_calendar_picker.h"
#include "ledger/datetime.h"
#include "widgets/click_label.h"
#include "widgets/guarded.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QWindow>

#include <set>

namespace mainwindow {

namespace {

constexpr int kWidth = 961;
constexpr int kHeight = 625;
const QRect kContent(193, 81, 768, 511);
constexpr const char* kHeaderLeft = ":/artwork/header_left.jpg";
constexpr const char* kHeaderMiddle = ":/artwork/header_middle.jpg";
constexpr const char* kHeaderRight = ":/artwork/header_right.jpg";
constexpr const char* kNavigationTop = ":/artwork/nav_top.jpg";
constexpr const char* kNavigationFiller = ":/artwork/nav_filler.jpg";
constexpr const char* kStatusLeft = ":/artwork/status_left.jpg";
constexpr const char* kStatusStrip = ":/artwork/status_strip.jpg";

QLabel* picture(QWidget* parent, const char* name, const QString& resource, const QRect& geometry, bool stretch = false)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(geometry);
    label->setPixmap(QPixmap(resource));
    label->setScaledContents(stretch);
    return label;
}

QWidget* panel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* p = new QWidget(parent);
    p->setObjectName(QString::fromUtf8(name));
    p->setGeometry(geometry);
    return p;
}

QFont navigationFont(QFont font, bool major)
{
    font.setPixelSize(major ? 13 : 12);
    font.setBold(major);
    return font;
}

bool isMajor(const char* name)
{
    return std::string_view(name).starts_with("Label");
}

// A text link over a picture: transparent, hand cursor.
widgets::ClickLabel* link(QWidget* parent, const char* name, const char* caption, int left, int top)
{
    auto* label = new widgets::ClickLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

using Order = MainWindow::Order;

// The labels from the top of the column down: caption, page, the order
// in which a click brings, marks and loads, the class code it sets.
struct NavigationLabel {
    const char* name;
    const char* caption;
    int top;
    const char* panel;
    Order order;
    const char* klass;
};
const NavigationLabel kLabels[] = {
    {"Label1", "支 出", 41, "Panel3", Order::MarkThenLoad, "Z"},
    {"Label2", "收 入", 72, "Panel3", Order::MarkThenLoad, "S"},
    {"Label3", "账 户", 101, "Panel6", Order::MarkThenLoad, nullptr},
    {"L1", "收 入 类 别", 136, "Panel7", Order::LoadThenMark, "S"},
    {"L2", "支 出 类 别", 168, "Panel7", Order::LoadThenMark, "Z"},
    {"L3", "借 入 借 出", 207, "Panel8", Order::MarkThenLoad, "S"},
    {"L4", "账 户 转 账", 235, "Panel10", Order::MarkThenLoad, nullptr},
    {"L5", "流 水 报 表", 273, "Panel12", Order::MarkThenLoad, nullptr},
    {"L6", "分 类 报 表", 300, "Panel13", Order::MarkThenLoad, nullptr},
    {"L7", "人 员 报 表", 324, "Panel14", Order::MarkThenLoad, nullptr},
    {"L9", "预 算 设 定", 360, "Panel11", Order::ResetFirst, nullptr},
    {"L8", "实 用 查 询", 391, "Panel15", Order::MarkThenLoad, nullptr},
    {"L10", "系  统 设 置", 415, "Panel16", Order::LoadThenMarkQuiet, nullptr},
};

// "实 用 查 询": the month calendar fills the page; entering it loads nothing.
class CalendarPage : public Page {
public:
    CalendarPage(PageContext& context, QWidget* parent = nullptr) : Page(context, "Panel15", parent)
    {
        calendar::TChnCalendar::placeOnPanel(this);
    }
    void enter() override {}
};

} // namespace

MainWindow::MainWindow(const SignInHost& host)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      host_(host), backups_(host.connection), ADOQuery4_(host.connection, "ADOQuery4"),
      ADOQuery12_(host.connection, "ADOQuery12"), context_{host.connection, host.ADOQuery1, ADOQuery4_, ADOQuery12_,
                                                           host.boxes,      QString(),      nullptr,    QDate::currentDate()},
      makerSite_(QString::fromUtf8(kMakerSite))
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("欢迎使用Quibo家的记账本 Bata 2.0"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/app_icon_64.png")));
    setFixedSize(kWidth, kHeight);
    move(213, 167);
    widgets::lendMessageBoxes(this, host.boxes);
    ADOQuery12_.setText(pages::kAccountNames);
    context_.backups = &backups_;
    context_.unsavedPages = [this] { return unsavedPages(); };

    buildHeader();
    buildNavigation();
    buildStatusBand();
    content_ = new QStackedWidget(this);
    content_->setObjectName(QStringLiteral("content"));
    content_->setGeometry(kContent);
    addPage<EntryPage>("Panel3");
    addPage<AccountsPage>("Panel6");
    addPage<CategoriesPage>("Panel7");
    addPage<LoansPage>("Panel8");
    addPage<TransfersPage>("Panel10");
    addPage<BudgetsPage>("Panel11");
    addPage<FlowReportPage>("Panel12");
    addPage<CategoryReportPage>("Panel13");
    addPage<PersonReportPage>("Panel14");
    addPage<CalendarPage>("Panel15");
    addPage<UsersPage>("Panel16");

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(1000);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1_->start();
    FormCreate();
}

MainWindow::~MainWindow() = default;

// Decoding the frame's pictures, loading the navigation's bold face and
// drawing its characters the first time takes a few milliseconds of the
// main window's opening; done while the sign-in window waits, they are in
// Qt's caches when it opens.
void MainWindow::prepare()
{
    for (const char* resource :
         {kHeaderLeft, kHeaderMiddle, kHeaderRight, kNavigationTop, kNavigationFiller, kStatusLeft, kStatusStrip})
        QPixmap(QString::fromUtf8(resource));
    QImage scratch(200, 20, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (const NavigationLabel& l : kLabels) {
        painter.setFont(navigationFont(QApplication::font(), isMajor(l.name)));
        painter.drawText(scratch.rect(), Qt::AlignCenter, QString::fromUtf8(l.caption));
    }
}

// ---- the frame -------------------------------------------------------------------

void MainWindow::buildHeader()
{
    QWidget* Panel1 = panel(this, "Panel1", QRect(0, 0, kWidth, 81));
    picture(Panel1, "Image1", QString::fromUtf8(kHeaderLeft), QRect(0, 0, 561, 81));
    picture(Panel1, "Image2", QString::fromUtf8(kHeaderMiddle), QRect(561, 0, kWidth - 561 - 302, 81), true);
    QWidget* Panel5 = panel(Panel1, "Panel5", QRect(kWidth - 302, 0, 302, 81));
    picture(Panel5, "Image5", QString::fromUtf8(kHeaderRight), QRect(0, 0, 302, 81));
    connect(link(Panel5, "Label6", "关于", 51, 56), &widgets::ClickLabel::clicked, this,
            widgets::guarded(this, [this] { Label6Click(); }));
    connect(link(Panel5, "Label12", "意见反馈", 104, 56), &widgets::ClickLabel::clicked, this,
            widgets::guarded(this, [this] { Label12Click(); }));
    connect(link(Panel5, "Label5", "退出", 265, 56), &widgets::ClickLabel::clicked, this, [this] { close(); });
}

widgets::ClickLabel* MainWindow::navigationLabel(const char* name, const char* caption, int top, bool major)
{
    auto* label = new widgets::ClickLabel(QString::fromUtf8(caption), Panel2_);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(31, top, 130, 24);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(navigationFont(label->font(), major));
    // The lime shows only while the label is marked (its background opaque).
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    label->setPalette(palette);
    return label;
}

void MainWindow::buildNavigation()
{
    Panel2_ = panel(this, "Panel2", QRect(0, 81, 193, 511));
    picture(Panel2_, "Image3", QString::fromUtf8(kNavigationTop), QRect(0, 0, 193, 500));
    picture(Panel2_, "Image4", QString::fromUtf8(kNavigationFiller), QRect(0, 500, 193, 11), true);
    // Thin lines between the groups of labels, where the underline of a
    // caption of blanks at these heights would run.
    const std::pair<const char*, int> rules[] = {
        {"Label25", 180}, {"Label26", 251}, {"Label27", 337}, {"Label28", 372}, {"Label38", 428}};
    for (const auto& [name, top] : rules) {
        auto* rule = new QLabel(Panel2_);
        rule->setObjectName(QString::fromUtf8(name));
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        rule->setGeometry(31, top + 12, 130, 2);
    }
    auto* editid = new QLabel(QStringLiteral("0"), Panel2_);
    editid->setObjectName(QStringLiteral("editid"));
    editid->setGeometry(4, 4, 30, 14);
    editid->hide();
    context_.editid = editid;
    auto* Label24 = new widgets::ClickLabel(Panel2_);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setGeometry(32, 448, 129, 49);
    connect(Label24, &widgets::ClickLabel::clicked, this, [this] { Label24Click(); });

    for (const NavigationLabel& l : kLabels) {
        navigations_.push_back({navigationLabel(l.name, l.caption, l.top, isMajor(l.name)), l.panel, l.order, l.klass});
    }
    for (size_t i = 0; i < navigations_.size(); ++i) {
        connect(navigations_[i].label, &widgets::ClickLabel::clicked, this, [this, i] { navigate(navigations_[i]); });
        // The pages in the column's order are also Ctrl+1, Ctrl+2, … Ctrl+9.
        if (i < 9) {
            const QString keys = QStringLiteral("Ctrl+%1").arg(i + 1);
            auto* shortcut = new QShortcut(QKeySequence(keys), this);
            connect(shortcut, &QShortcut::activated, this, [this, i] { navigate(navigations_[i]); });
            navigations_[i].label->setToolTip(keys);
        }
    }
}

void MainWindow::buildStatusBand()
{
    QWidget* Panel9 = panel(this, "Panel9", QRect(0, 592, kWidth, 33));
    picture(Panel9, "Image9", QString::fromUtf8(kStatusLeft), QRect(0, 0, 193, 33));
    QWidget* frame = panel(Panel9, "Panel17", QRect(193, 0, kWidth - 193, 33));
    picture(frame, "Image12", QString::fromUtf8(kStatusStrip), frame->rect(), true);
    auto* Label29 = new QLabel(QStringLiteral("网址：www.quibo.net　　电话：400-000-0000"), frame);
    Label29->setObjectName(QStringLiteral("Label29"));
    Label29->setGeometry(13, 0, 265, 33);
    Label30_ = new QLabel(frame);
    Label30_->setObjectName(QStringLiteral("Label30"));
    Label30_->setGeometry(frame->width() - 193, 0, 193, 33);
    Label30_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A failed backup is said here until the next one succeeds.
    backupStatus_ = new QLabel(frame);
    backupStatus_->setObjectName(QStringLiteral("backupStatus"));
    backupStatus_->setGeometry(285, 0, frame->width() - 193 - 285, 33);
    QPalette palette = backupStatus_->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    backupStatus_->setPalette(palette);
    connect(&backups_, &Backups::statusChanged, backupStatus_, [this](const QString& status) {
        backupStatus_->setToolTip(status);
        backupStatus_->setText(backupStatus_->fontMetrics().elidedText(status, Qt::ElideRight, backupStatus_->width()));
    });
    // Queued: the page that asked for the restore is rebuilt, so its handler must have returned.
    connect(
        &backups_, &Backups::ledgerReplaced, this, [this] { widgets::runGuarded(this, [this] { ledgerReplaced(); }); },
        Qt::QueuedConnection);
}

template <class P>
void MainWindow::addPage(const char* panel)
{
    // Built inside the stack: moving a built page there would restyle every widget of it again.
    factories_[panel] = [this] { return new P(context_, content_); };
}

// A page is built when it is first entered.
Page* MainWindow::page(const char* panel)
{
    Page*& built = pages_[panel];
    if (!built) {
        built = factories_.at(panel)();
        content_->addWidget(built);
    }
    return built;
}

// The About box and the feedback page are built when first opened: few
// visits open them, and every start would pay for them.
QWidget* MainWindow::aboutBox()
{
    if (Panel18_)
        return Panel18_;
    Panel18_ = panel(this, "Panel18", QRect(350, 170, 470, 240));
    picture(Panel18_, "Image10", QStringLiteral(":/artwork/about.jpg"), Panel18_->rect());
    auto* Label44 = new widgets::ClickLabel(Panel18_);
    Label44->setObjectName(QStringLiteral("Label44"));
    Label44->setGeometry(426, 7, 38, 25);
    connect(Label44, &widgets::ClickLabel::clicked, this, [this] { Label44Click(); });
    return Panel18_;
}

QWidget* MainWindow::feedbackPage()
{
    if (Panel19_)
        return Panel19_;
    Panel19_ = new QWidget(content_);
    Panel19_->setObjectName(QStringLiteral("Panel19"));
    Panel19_->setAutoFillBackground(true);
    content_->addWidget(Panel19_);
    Panel19_->resize(kContent.size());
    WebBrowser1_ = new FeedbackBrowser(Panel19_);
    WebBrowser1_->setGeometry(Panel19_->rect());
    connect(WebBrowser1_, &FeedbackBrowser::titleChanged, this, [this](const QString& title) { WebBrowser1TitleChange(title); });

    Panel20_ = panel(this, "Panel20", QRect(377, 213, 470, 240));
    auto* Image11 = new widgets::ClickLabel(Panel20_);
    Image11->setObjectName(QStringLiteral("Image11"));
    Image11->setGeometry(Panel20_->rect());
    Image11->setPixmap(QPixmap(QStringLiteral(":/artwork/offline.jpg")));
    connect(Image11, &widgets::ClickLabel::clicked, this, [this] { Image11Click(); });
    Panel20_->hide();
    return Panel19_;
}

// ---- start-up, navigation, clock ----------------------------------------------------

// The date boxes of the pages start on the day the window opened, the
// amount field is right-aligned and the calculator reset as the entry page
// is built.
void MainWindow::FormCreate()
{
    Timer1Timer();
    navigate(navigations_.front()); // the window opens on the expenditure page
}

void MainWindow::ResetNavigationMarks()
{
    for (QLabel* label : Panel2_->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->objectName().startsWith(QStringLiteral("Image")))
            continue; // the column's pictures are not labels of the column
        label->setAutoFillBackground(false);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
}

void MainWindow::mark(widgets::ClickLabel* label)
{
    const QString name = label->objectName();
    if (name.startsWith(QStringLiteral("Label"))) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(palette);
    } else {
        label->setAutoFillBackground(true);
    }
}

void MainWindow::navigate(const Navigation& n)
{
    Page* p = nullptr;
    auto load = [&] {
        p = page(n.panel);
        enteredBy_[n.panel] = n.label;
        if (n.klass)
            context_.b_zt = QString::fromUtf8(n.klass);
        p->enter();
    };
    auto front = [&] {
        // Building the page is part of bringing it to the front.
        if (widgets::runGuarded(this, [&] { p = page(n.panel); }))
            bringToFront(p);
    };
    switch (n.order) {
    case Order::MarkThenLoad:
        front();
        ResetNavigationMarks();
        mark(n.label);
        widgets::runGuarded(this, load);
        break;
    case Order::LoadThenMark:
        front();
        if (widgets::runGuarded(this, load)) {
            ResetNavigationMarks();
            mark(n.label);
        }
        break;
    case Order::LoadThenMarkQuiet:
        try {
            bringToFront(page(n.panel));
            load();
            ResetNavigationMarks();
            mark(n.label);
        } catch (const std::exception&) {
            // errors entering this page are ignored without a message
        }
        break;
    case Order::ResetFirst:
        ResetNavigationMarks();
        front();
        if (widgets::runGuarded(this, load))
            mark(n.label);
        break;
    }
    if (p && p == pageInFront())
        p->takeFocus(); // the keyboard follows the page the user sees
}

// A restore reads every page anew: what their lists hold unsaved is lost.
QStringList MainWindow::unsavedPages() const
{
    QStringList captions;
    std::set<std::string> asked;
    for (const Navigation& n : navigations_) {
        const auto built = pages_.find(n.panel);
        if (built == pages_.end() || !built->second || !enteredBy_.count(n.panel) || !asked.insert(n.panel).second)
            continue;
        const auto editors = built->second->findChildren<GridEditor*>();
        if (std::any_of(editors.begin(), editors.end(), [](GridEditor* e) { return e->list().hasPendingChanges(); }))
            captions << enteredBy_.at(n.panel)->text().remove(QLatin1Char(' '));
    }
    return captions;
}

// Only the page in front is shown; it covers the About box, which stays open behind it.
void MainWindow::bringToFront(QWidget* page)
{
    content_->setCurrentWidget(page);
    content_->raise();
}

QWidget* MainWindow::pageInFront() const
{
    return content_->currentWidget();
}

void MainWindow::Timer1Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    const auto value = ledger::DateTime::make(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    Label30_->setText(QString::fromStdString(value ? ledger::formatDateTimeText(*value) : std::string()) + QStringLiteral("   "));
}

// ---- header links, About box, feedback page ------------------------------------------

void MainWindow::Label6Click()
{
    aboutBox()->show();
    aboutBox()->raise();
}

void MainWindow::Label44Click()
{
    Panel18_->hide();
}

void MainWindow::Label12Click()
{
    bringToFront(feedbackPage());
    QUrl url = makerSite_;
    url.setPath(QString::fromUtf8(kFeedbackPath));
    WebBrowser1_->navigate(url);
}

void MainWindow::WebBrowser1TitleChange(const QString& title)
{
    // The picture covers the browser whenever the page is not the feedback page.
    Panel20_->setVisible(title != QString::fromUtf8(kFeedbackTitle));
    Panel20_->raise();
}

void MainWindow::Image11Click()
{
    Panel20_->hide();
}

void MainWindow::Label24Click()
{
    QDesktopServices::openUrl(makerSite_);
}

// The copy starts once the window is on the screen and has handled what
// showing it caused, so that it does not compete with the first paint on a
// busy machine. A window that never shows (minimised at once) gets it after
// two seconds all the same.
void MainWindow::startAutomaticBackup()
{
    backupPending_ = true;
    QTimer::singleShot(0, this, [this] { startBackupWhenShown(0); });
}

void MainWindow::startBackupWhenShown(int waited)
{
    const bool shown = windowHandle() && windowHandle()->isExposed();
    if (!shown && waited < 2000) {
        QTimer::singleShot(10, this, [this, waited] { startBackupWhenShown(waited + 10); });
        return;
    }
    QTimer::singleShot(0, this, [this] {
        backupPending_ = false;
        backups_.startAutomatic();
    });
}

// After a restore every page reads again: the pages built so far are
// dropped (their pending edits with them) and built anew when entered. The
// one signed in stays so only while the restored ledger still knows them.
void MainWindow::ledgerReplaced()
{
    bool stillKnown = false;
    const auto known = host_.connection.select(pages::userByName(host_.userName.toStdString()));
    for (size_t f = 0; f < known.fields.size() && !known.rows.empty(); ++f)
        if (known.fields[f].name == "sys_pwd")
            stillKnown = QString::fromStdString(known.rows[0][f].toText()) == host_.password;
    if (!stillKnown && host_.backToSignIn) {
        host_.boxes.notice(this, QStringLiteral("备份已恢复。恢复的账本里没有当前用户，请重新登录。"));
        host_.backToSignIn();
        return;
    }
    QWidget* front = pageInFront();
    const Navigation* again = nullptr;
    for (const Navigation& n : navigations_)
        if (!again && pages_.count(n.panel) && pages_[n.panel] == front)
            again = &n;
    for (auto& [name, built] : pages_) {
        if (!built)
            continue;
        content_->removeWidget(built);
        built->deleteLater();
    }
    pages_.clear();
    ADOQuery12_.close();
    context_.b_zt.clear();
    context_.editid->setText(QStringLiteral("0"));
    navigate(again ? *again : navigations_.front());
    host_.boxes.information(this, QStringLiteral("备份已恢复。"));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the main window, however it is closed, ends the program.
    event->accept();
    if (host_.closeSignIn)
        host_.closeSignIn();
}

} // namespace mainwindow
