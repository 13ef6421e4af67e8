// The main window: its regions, the navigation marks, the About box, the
// clock, the feedback page and closing.

#include "ledger_fixture.h"
#include "screenshots.h"
#include "scripted_message_boxes.h"

#include "mainwindow/main_window.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHostAddress>
#include <QLabel>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template <class T = QWidget>
T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

void click(QWidget* parent, const char* name)
{
    if (QWidget* w = child(parent, name))
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(std::min(5, w->width() / 2), std::min(5, w->height() / 2)));
}

// The main window as a good sign-in opens it, on a starting database.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        initResources();
        window = std::make_unique<mainwindow::MainWindow>(
            mainwindow::SignInHost{f.db(), ADOQuery1, boxes, [this] { signInClosed = true; }});
        main = window.get();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    }

    QColor fontColour(const char* label) { return child<QLabel>(main, label)->palette().color(QPalette::WindowText); }
    bool lime(const char* label) { return child<QLabel>(main, label)->autoFillBackground(); }
    QString front() { return main->pageInFront()->objectName(); }

    testsupport::LedgerFixture f;
    ledger::Query ADOQuery1{f.db(), "ADOQuery1"};
    testsupport::ScriptedMessageBoxes boxes;
    bool signInClosed = false;
    std::unique_ptr<mainwindow::MainWindow> window;
    mainwindow::MainWindow* main = nullptr;
};

TEST_F(MainWindowTest, OpensOnTheExpenditurePageWithItsLabelRed)
{
    EXPECT_EQ(main->windowTitle(), QStringLiteral("欢迎使用Quibo家的记账本 Bata 2.0"));
    EXPECT_EQ(main->size(), QSize(961, 625));
    EXPECT_FALSE(main->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(front(), QStringLiteral("Panel3"));
    EXPECT_EQ(main->context().b_zt, QStringLiteral("Z"));
    EXPECT_EQ(fontColour("Label1"), QColor(Qt::red));
    for (const char* l : {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10"})
        EXPECT_FALSE(lime(l)) << l;
    EXPECT_EQ(child<QLabel>(main, "editid")->text(), QStringLiteral("0"));
    EXPECT_FALSE(child<QLabel>(main, "editid")->isVisible());
    for (const char* panel : {"Panel1", "Panel2", "Panel9", "Panel3"})
        EXPECT_NE(main->findChild<QWidget*>(QString::fromUtf8(panel)), nullptr) << panel;
    for (const char* later : {"Panel16", "Panel18", "Panel19", "Panel20"})
        EXPECT_EQ(main->findChild<QWidget*>(QString::fromUtf8(later)), nullptr) << later << " is built when first opened";
    click(main, "L10");
    EXPECT_EQ(child(main, "Panel16")->geometry().size(), QSize(768, 511));
    EXPECT_EQ(child(main, "Panel16")->mapTo(main, QPoint(0, 0)), QPoint(193, 81));
    EXPECT_EQ(child(main, "Panel2")->geometry(), QRect(0, 81, 193, 511));
    EXPECT_EQ(child(main, "Panel9")->geometry(), QRect(0, 592, 961, 33));
}

TEST_F(MainWindowTest, EachClickMarksItsLabelAndBringsItsPage)
{
    const std::vector<std::tuple<const char*, const char*, bool>> steps = {
        {"L1", "Panel7", true},     {"Label2", "Panel3", false}, {"L4", "Panel10", true},  {"Label3", "Panel6", false},
        {"L9", "Panel11", true},    {"L8", "Panel15", true},     {"L10", "Panel16", true}, {"L5", "Panel12", true},
        {"L6", "Panel13", true},    {"L7", "Panel14", true},     {"L3", "Panel8", true},   {"L2", "Panel7", true},
        {"Label1", "Panel3", false}};
    const std::vector<const char*> all = {"Label1", "Label2", "Label3", "L1", "L2", "L3", "L4",
                                          "L5",     "L6",     "L7",     "L8", "L9", "L10"};
    for (const auto& [label, panel, isL] : steps) {
        click(main, label);
        EXPECT_EQ(front(), QString::fromUtf8(panel)) << label;
        for (const char* other : all) {
            const bool marked = std::string(other) == label;
            if (std::string(other).rfind("Label", 0) == 0)
                EXPECT_EQ(fontColour(other), marked ? QColor(Qt::red) : QColor(Qt::black)) << label << " then " << other;
            else
                EXPECT_EQ(lime(other), marked) << label << " then " << other;
        }
    }
    click(main, "L1");
    EXPECT_EQ(main->context().b_zt, QStringLiteral("S"));
    click(main, "L3");
    EXPECT_EQ(main->context().b_zt, QStringLiteral("S"));
    click(main, "L2");
    EXPECT_EQ(main->context().b_zt, QStringLiteral("Z"));
}

TEST_F(MainWindowTest, TheAboutBoxIsCoveredByAPageAndBroughtBack)
{
    click(main, "Label6");
    QWidget* about = child(main, "Panel18");
    EXPECT_TRUE(about->isVisible());
    testsupport::saveScreenshot(main, QStringLiteral("main-about"));
    click(main, "L5");
    EXPECT_TRUE(about->isVisible()) << "a page covers the About box without closing it";
    EXPECT_LT(main->children().indexOf(about), main->children().indexOf(child(main, "content")));
    click(main, "Label6");
    EXPECT_GT(main->children().indexOf(about), main->children().indexOf(child(main, "content")));
    click(main, "Label44");
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindowTest, TheClockEndsInThreeBlanks)
{
    const QString text = child<QLabel>(main, "Label30")->text();
    EXPECT_TRUE(text.endsWith(QStringLiteral("   "))) << text.toStdString();
    EXPECT_FALSE(text.endsWith(QStringLiteral("    ")));
    EXPECT_TRUE(text.startsWith(QString::fromStdString(ledger::formatShortDate(ledger::DateTime::today()))));
    EXPECT_EQ(main->findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 1000);
}

// A web server on loopback that answers every request with one page.
class PageServer : public QTcpServer {
public:
    explicit PageServer(QByteArray page) : page_(std::move(page))
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n"))
                    return;
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
                    QByteArray::number(page_.size()) + "\r\n\r\n" + page_);
                socket->disconnectFromHost();
            });
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }
    QByteArray request;

private:
    QByteArray page_;
};

TEST_F(MainWindowTest, TheFeedbackPageIsCoveredUnlessItIsTheMakersPage)
{
    click(main, "L4");
    QWidget* notAvailable = nullptr;
    {
        PageServer server("<html><head><title>Quibo记账本</title></head><body>意见反馈</body></html>");
        main->setMakerSite(server.url());
        click(main, "Label12");
        notAvailable = child(main, "Panel20");
        EXPECT_EQ(front(), QStringLiteral("Panel19"));
        EXPECT_TRUE(lime("L4")) << "the feedback link leaves the marks as they were";
        QTRY_VERIFY_WITH_TIMEOUT(server.request.startsWith("GET /yj.htm"), 5000);
        QTest::qWait(100);
        EXPECT_FALSE(notAvailable->isVisible());
    }
    {
        PageServer server("<html><head><title>无法访问</title></head><body></body></html>");
        main->setMakerSite(server.url());
        click(main, "Label12");
        QTRY_VERIFY_WITH_TIMEOUT(notAvailable->isVisible(), 5000);
        click(main, "Image11");
        EXPECT_FALSE(notAvailable->isVisible());
    }
    main->setMakerSite(QUrl(QStringLiteral("http://127.0.0.1:1")));
    click(main, "Label12");
    // No site at all: the picture covers the browser.
    QTRY_VERIFY_WITH_TIMEOUT(notAvailable->isVisible(), 5000);
}

// Receives the address the home-page link hands to the system.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QUrl opened;
public slots:
    void open(const QUrl& url) { opened = url; }
};

TEST_F(MainWindowTest, TheHomePageLinkOpensTheMakersSite)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    click(main, "Label24");
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.opened, QUrl(QString::fromUtf8(mainwindow::kMakerSite)));
}

TEST_F(MainWindowTest, ExitClosesTheSignInWindowToo)
{
    click(main, "Label5");
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(signInClosed);
}

// Style sheet and painting warnings a page would print while shown.
std::vector<std::string> g_warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings.push_back(message.toStdString());
}

TEST_F(MainWindowTest, EveryPageLooksRight)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    for (const char* label : {"Label1", "Label3", "L1", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10"}) {
        click(main, label);
        QApplication::processEvents();
        EXPECT_EQ(main->pageInFront()->geometry().size(), QSize(768, 511)) << label << ": the page fills the content area";
        testsupport::saveScreenshot(main, QStringLiteral("main-") + QString::fromUtf8(label));
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_warnings.empty()) << g_warnings.front();
}

// Only the page in front is shown: the keyboard focus, the shortcuts and
// accessibility tools follow the page the user sees.
TEST_F(MainWindowTest, OnlyThePageInFrontIsShown)
{
    for (const char* label : {"L10", "L8", "Label2", "L3", "Label1"}) {
        click(main, label);
        QWidget* front = main->pageInFront();
        for (QWidget* page : child(main, "content")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_EQ(page->isVisible(), page == front) << label << ": " << page->objectName().toStdString();
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(!focus || focus->window() != main || front->isAncestorOf(focus))
            << label << ": the focus stays in " << (focus ? focus->objectName().toStdString() : "");
    }
}

// Ctrl+S and Ctrl+D of the entry page used to act behind every other page.
TEST_F(MainWindowTest, TheEntryPagesKeysActOnlyWhileItIsInFront)
{
    f.addRecord("Z", 2, "12.5", ledger::DateTime::today().isoDate());
    click(main, "Label1");
    auto* dayList = child<QWidget>(main, "DBGridEh1");
    QTest::mouseClick(dayList->findChild<QTableView*>()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    ASSERT_EQ(child<QLabel>(main, "editid")->text(), QStringLiteral("1")) << "a record is loaded into the editor";
    boxes.clear();
    for (const char* label : {"L3", "Label3", "L8", "L10"}) {
        click(main, label);
        QApplication::processEvents();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main;
        QTest::keyClick(target, Qt::Key_D, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
        QApplication::processEvents();
        for (const QString& text : boxes.texts()) {
            EXPECT_NE(text, QStringLiteral("是否确定删除？")) << label << ": Ctrl+D reached the entry page";
            EXPECT_NE(text, QStringLiteral("保存成功")) << label << ": Ctrl+S reached the entry page";
        }
        boxes.clear();
    }
    EXPECT_EQ(f.rows("select id, s_jine from s_shouru"), std::vector<std::string>{"1|12.5"});
}

} // namespace

#include "main_window_test.moc"
