#include "main_window.h"

#include "entry/entry_page.h"
#include "feedback/feedback_browser.h"
#include "users/users_page.h"

#include "chn_calendar_picker.h"
#include "ledger/datetime.h"
#include "widgets/click_label.h"
#include "widgets/guarded.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QLabel>
#include <QShortcut>
#include <QTimer>

namespace mainwindow {

namespace {

constexpr int kWidth = 961;
constexpr int kHeight = 625;
const QRect kContent(193, 81, 768, 511);

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

// A text link over a picture: transparent, hand cursor.
widgets::ClickLabel* link(QWidget* parent, const char* name, const char* caption, int left, int top)
{
    auto* label = new widgets::ClickLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

MainWindow::MainWindow(const SignInHost& host)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      host_(host), ADOQuery4_(host.connection, "ADOQuery4"), ADOQuery12_(host.connection, "ADOQuery12"),
      state_{host.connection, host.ADOQuery1, ADOQuery4_, ADOQuery12_, QString(), nullptr, this},
      makerSite_(QString::fromUtf8(kMakerSite))
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("欢迎使用Quibo家的记账本 Bata 2.0"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/app_icon_64.png")));
    setFixedSize(kWidth, kHeight);
    move(213, 167);
    ADOQuery12_.setText("select id,z_name as 账户 from z_zhanghu");

    buildHeader();
    buildNavigation();
    buildStatusBand();
    buildPages();
    buildOverlays();

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(1000);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1_->start();
    FormCreate();
}

MainWindow::~MainWindow() = default;

// ---- the frame -------------------------------------------------------------------

void MainWindow::buildHeader()
{
    QWidget* Panel1 = panel(this, "Panel1", QRect(0, 0, kWidth, 81));
    picture(Panel1, "Image1", QStringLiteral(":/artwork/header_left.jpg"), QRect(0, 0, 561, 81));
    picture(Panel1, "Image2", QStringLiteral(":/artwork/header_middle.jpg"), QRect(561, 0, kWidth - 561 - 302, 81), true);
    QWidget* Panel5 = panel(Panel1, "Panel5", QRect(kWidth - 302, 0, 302, 81));
    picture(Panel5, "Image5", QStringLiteral(":/artwork/header_right.jpg"), QRect(0, 0, 302, 81));
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
    QFont font = label->font();
    font.setPixelSize(major ? 13 : 12);
    font.setBold(major);
    label->setFont(font);
    // The lime shows only while the label is marked (its background opaque).
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    label->setPalette(palette);
    return label;
}

void MainWindow::buildNavigation()
{
    Panel2_ = panel(this, "Panel2", QRect(0, 81, 193, 511));
    picture(Panel2_, "Image3", QStringLiteral(":/artwork/nav_top.jpg"), QRect(0, 0, 193, 500));
    picture(Panel2_, "Image4", QStringLiteral(":/artwork/nav_filler.jpg"), QRect(0, 500, 193, 11), true);
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
    state_.editid = editid;
    auto* Label24 = new widgets::ClickLabel(Panel2_);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setGeometry(32, 448, 129, 49);
    connect(Label24, &widgets::ClickLabel::clicked, this, [this] { Label24Click(); });
}

void MainWindow::buildStatusBand()
{
    QWidget* Panel9 = panel(this, "Panel9", QRect(0, 592, kWidth, 33));
    picture(Panel9, "Image9", QStringLiteral(":/artwork/status_left.jpg"), QRect(0, 0, 193, 33));
    QWidget* frame = panel(Panel9, "Panel17", QRect(193, 0, kWidth - 193, 33));
    picture(frame, "Image12", QStringLiteral(":/artwork/status_strip.jpg"), frame->rect(), true);
    auto* Label29 = new QLabel(QStringLiteral("网址：www.quibo.net　　电话：400-000-0000"), frame);
    Label29->setObjectName(QStringLiteral("Label29"));
    Label29->setGeometry(13, 0, 265, 33);
    Label30_ = new QLabel(frame);
    Label30_->setObjectName(QStringLiteral("Label30"));
    Label30_->setGeometry(frame->width() - 193, 0, 193, 33);
    Label30_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QWidget* MainWindow::contentPanel(const char* name)
{
    QWidget* p = panel(this, name, kContent);
    p->setAutoFillBackground(true); // a page covers the pages behind it
    panels_[QString::fromUtf8(name)] = p;
    return p;
}

void MainWindow::addNavigation(widgets::ClickLabel* label, QWidget* panel, Order order, std::function<void()> load)
{
    navigations_.push_back({label, panel, order, std::move(load)});
    const size_t index = navigations_.size() - 1;
    connect(label, &widgets::ClickLabel::clicked, this, [this, index] { navigate(navigations_[index]); });
    // The pages in the column's order are also Ctrl+1, Ctrl+2, … Ctrl+9.
    if (index < 9) {
        const QString keys = QStringLiteral("Ctrl+%1").arg(index + 1);
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, index] { navigate(navigations_[index]); });
        label->setToolTip(keys);
    }
}

void MainWindow::buildPages()
{
    for (const char* name : {"Panel6", "Panel7", "Panel8", "Panel10", "Panel11", "Panel12", "Panel13", "Panel14", "Panel15"})
        contentPanel(name);
    entryPage_ = new EntryPage(state_, this);
    entryPage_->setGeometry(kContent);
    entryPage_->setAutoFillBackground(true);
    panels_[QStringLiteral("Panel3")] = entryPage_;
    usersPage_ = new UsersPage(state_, this);
    usersPage_->setGeometry(kContent);
    usersPage_->setAutoFillBackground(true);
    panels_[QStringLiteral("Panel16")] = usersPage_;
    calendar::TChnCalendar::placeOnPanel(panels_.at(QStringLiteral("Panel15")));

    auto setClass = [this](const char* code) { return [this, code] { state_.b_zt = QString::fromUtf8(code); }; };
    auto at = [this](const char* name) { return panels_.at(QString::fromUtf8(name)); };
    addNavigation(navigationLabel("Label1", "支 出", 41, true), entryPage_, Order::MarkThenLoad,
                  [this] { entryPage_->enter(QStringLiteral("Z")); });
    addNavigation(navigationLabel("Label2", "收 入", 72, true), entryPage_, Order::MarkThenLoad,
                  [this] { entryPage_->enter(QStringLiteral("S")); });
    addNavigation(navigationLabel("Label3", "账 户", 101, true), at("Panel6"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L1", "收 入 类 别", 136, false), at("Panel7"), Order::LoadThenMark, setClass("S"));
    addNavigation(navigationLabel("L2", "支 出 类 别", 168, false), at("Panel7"), Order::LoadThenMark, setClass("Z"));
    addNavigation(navigationLabel("L3", "借 入 借 出", 207, false), at("Panel8"), Order::MarkThenLoad, setClass("S"));
    addNavigation(navigationLabel("L4", "账 户 转 账", 235, false), at("Panel10"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L5", "流 水 报 表", 273, false), at("Panel12"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L6", "分 类 报 表", 300, false), at("Panel13"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L7", "人 员 报 表", 324, false), at("Panel14"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L9", "预 算 设 定", 360, false), at("Panel11"), Order::ResetFirst);
    addNavigation(navigationLabel("L8", "实 用 查 询", 391, false), at("Panel15"), Order::MarkThenLoad);
    addNavigation(navigationLabel("L10", "系  统 设 置", 415, false), usersPage_, Order::LoadThenMarkQuiet,
                  [this] { usersPage_->reload(); });
}

void MainWindow::buildOverlays()
{
    Panel19_ = contentPanel("Panel19");
    WebBrowser1_ = new FeedbackBrowser(Panel19_);
    WebBrowser1_->setGeometry(Panel19_->rect());
    connect(WebBrowser1_, &FeedbackBrowser::titleChanged, this, [this](const QString& title) { WebBrowser1TitleChange(title); });

    Panel18_ = panel(this, "Panel18", QRect(350, 170, 470, 240));
    picture(Panel18_, "Image10", QStringLiteral(":/artwork/about.jpg"), Panel18_->rect());
    auto* Label44 = new widgets::ClickLabel(Panel18_);
    Label44->setObjectName(QStringLiteral("Label44"));
    Label44->setGeometry(426, 7, 38, 25);
    connect(Label44, &widgets::ClickLabel::clicked, this, [this] { Label44Click(); });
    Panel18_->hide();

    Panel20_ = panel(this, "Panel20", QRect(377, 213, 470, 240));
    auto* Image11 = new widgets::ClickLabel(Panel20_);
    Image11->setObjectName(QStringLiteral("Image11"));
    Image11->setGeometry(Panel20_->rect());
    Image11->setPixmap(QPixmap(QStringLiteral(":/artwork/offline.jpg")));
    connect(Image11, &widgets::ClickLabel::clicked, this, [this] { Image11Click(); });
    Panel20_->hide();
}

// ---- start-up, navigation, clock ----------------------------------------------------

void MainWindow::FormCreate()
{
    Timer1Timer();
    // The date boxes of the pages start on today when they are made.
    entryPage_->alignAmountRight();
    navigate(navigations_.front()); // the window opens on the expenditure page
    entryPage_->calculator().Reset();
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
    auto load = [&] {
        if (n.load)
            n.load();
    };
    switch (n.order) {
    case Order::MarkThenLoad:
        n.panel->raise();
        ResetNavigationMarks();
        mark(n.label);
        widgets::runGuarded(this, load);
        break;
    case Order::LoadThenMark:
        n.panel->raise();
        if (widgets::runGuarded(this, load)) {
            ResetNavigationMarks();
            mark(n.label);
        }
        break;
    case Order::LoadThenMarkQuiet:
        try {
            n.panel->raise();
            load();
            ResetNavigationMarks();
            mark(n.label);
        } catch (const std::exception&) {
            // errors entering this page are ignored without a message
        }
        break;
    case Order::ResetFirst:
        ResetNavigationMarks();
        n.panel->raise();
        if (widgets::runGuarded(this, load))
            mark(n.label);
        break;
    }
}

QWidget* MainWindow::pageInFront() const
{
    QWidget* front = nullptr;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->geometry() == kContent && w->isVisibleTo(this))
            front = w; // children are kept bottom to top
    }
    return front;
}

void MainWindow::Timer1Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    const auto value = ledger::DateTime::make(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    Label30_->setText(QString::fromStdString(value ? ledger::formatDateTimeText(*value) : std::string()) +
                      QStringLiteral("   "));
}

// ---- header links, About box, feedback page ------------------------------------------

void MainWindow::Label6Click()
{
    Panel18_->show();
    Panel18_->raise();
}

void MainWindow::Label44Click()
{
    Panel18_->hide();
}

void MainWindow::Label12Click()
{
    Panel19_->raise();
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

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the main window, however it is closed, ends the program.
    event->accept();
    if (host_.closeSignIn)
        host_.closeSignIn();
}

} // namespace mainwindow
