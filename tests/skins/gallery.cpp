#include "gallery.h"

#include "skins/skin_applier.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QToolTip>

namespace gallery {

namespace {

template <typename W>
W* place(W* widget, int x, int y, int width, int height)
{
    widget->setGeometry(x, y, width, height);
    return widget;
}

QLabel* caption(const QString& text, QWidget* parent, int x, int y)
{
    return place(new QLabel(text, parent), x, y, 60, 21);
}

QLabel* picture(const QString& name, QWidget* parent, int x, int y, int width, int height)
{
    auto* label = place(new QLabel(parent), x, y, width, height);
    label->setPixmap(QPixmap(QStringLiteral(":/artwork/") + name));
    label->setScaledContents(true);
    return label;
}

QTableView* recordTable(QWidget* parent)
{
    auto* model = new QStandardItemModel(0, 5, parent);
    model->setHorizontalHeaderLabels({QStringLiteral("日期"), QStringLiteral("项目"), QStringLiteral("金额"),
                                      QStringLiteral("付款人"), QStringLiteral("备注")});
    const char* items[] = {"餐饮", "交通", "水电费", "工资", "超市购物", "医疗保健"};
    const char* payers[] = {"爸爸", "妈妈", "小明"};
    for (int row = 0; row < 24; ++row) {
        model->appendRow({new QStandardItem(QStringLiteral("2024-05-%1").arg(row + 1, 2, 10, QLatin1Char('0'))),
                          new QStandardItem(QString::fromUtf8(items[row % 6])),
                          new QStandardItem(QStringLiteral("￥%1.00").arg(18 * (row + 3))),
                          new QStandardItem(QString::fromUtf8(payers[row % 3])),
                          new QStandardItem(row % 4 ? QString() : QStringLiteral("周末聚餐"))});
    }
    // The grids paint their current row themselves, on this colour.
    for (int column = 0; column < model->columnCount(); ++column)
        model->item(5, column)->setBackground(QColor(166, 202, 240));
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setAlternatingRowColors(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->selectRow(2);
    table->setColumnWidth(4, 260);
    return table;
}

QGroupBox* entryGroup(QWidget* parent)
{
    auto* group = place(new QGroupBox(QStringLiteral("收支录入"), parent), 12, 8, 360, 262);
    caption(QStringLiteral("日期："), group, 16, 26);
    auto* date = place(new QDateEdit(QDate(2024, 5, 1), group), 76, 26, 130, 21);
    date->setCalendarPopup(true);
    caption(QStringLiteral("项目："), group, 16, 54);
    auto* item = place(new QComboBox(group), 76, 54, 130, 21);
    item->addItems({QStringLiteral("超市购物"), QStringLiteral("餐饮"), QStringLiteral("交通")});
    caption(QStringLiteral("金额："), group, 16, 82);
    auto* amount = place(new QLineEdit(QStringLiteral("128.50"), group), 76, 82, 130, 21);
    amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption(QStringLiteral("次数："), group, 16, 110);
    place(new QSpinBox(group), 76, 110, 80, 21)->setValue(3);
    caption(QStringLiteral("备注："), group, 16, 138);
    auto* note = place(new QLineEdit(QStringLiteral("只读说明文字"), group), 76, 138, 270, 21);
    note->setEnabled(false);
    place(new QCheckBox(QStringLiteral("记住用户名和密码"), group), 220, 26, 140, 17)->setChecked(true);
    place(new QCheckBox(QStringLiteral("显示全部"), group), 220, 50, 120, 17);
    place(new QRadioButton(QStringLiteral("借 入"), group), 220, 74, 60, 17)->setChecked(true);
    place(new QRadioButton(QStringLiteral("借 出"), group), 284, 74, 60, 17);
    auto* save = place(new QPushButton(QStringLiteral("保存"), group), 16, 222, 75, 25);
    save->setDefault(true);
    place(new QPushButton(QStringLiteral("删除"), group), 100, 222, 75, 25);
    place(new QPushButton(QStringLiteral("取消"), group), 184, 222, 75, 25)->setEnabled(false);
    place(new QPushButton(QStringLiteral("刷  新"), group), 268, 222, 75, 25);
    place(new QLineEdit(group), 16, 176, 330, 24)->setPlaceholderText(QStringLiteral("输入拼音简码查找项目"));
    return group;
}

QGroupBox* plainGroup(QWidget* parent)
{
    auto* group = place(new QGroupBox(QStringLiteral("不换肤的控件（tag 99）"), parent), 384, 8, 380, 92);
    skins::setSkinTag(group, skins::kNoSkinTag);
    place(new QPushButton(QStringLiteral("原样按钮"), group), 14, 28, 80, 25);
    place(new QLineEdit(QStringLiteral("原样输入框"), group), 104, 28, 120, 21);
    auto* combo = place(new QComboBox(group), 234, 28, 130, 21);
    combo->addItem(QStringLiteral("原样下拉框"));
    place(new QCheckBox(QStringLiteral("原样复选框"), group), 14, 60, 120, 17)->setChecked(true);
    return group;
}

// The navigation marks: a red caption, and a lime background shown by
// making the label opaque. A skin must not hide either.
void navigationMarks(QWidget* parent)
{
    auto* red = place(new QLabel(QStringLiteral("支 出"), parent), 384, 108, 130, 24);
    QPalette redText = red->palette();
    redText.setColor(QPalette::WindowText, Qt::red);
    red->setPalette(redText);
    red->setObjectName(QStringLiteral("markedRed"));
    auto* lime = place(new QLabel(QStringLiteral("收 入 类 别"), parent), 520, 108, 130, 24);
    lime->setAlignment(Qt::AlignCenter);
    QPalette limeBack = lime->palette();
    limeBack.setColor(QPalette::Window, QColor(0, 255, 0));
    lime->setPalette(limeBack);
    lime->setAutoFillBackground(true);
    lime->setObjectName(QStringLiteral("markedLime"));
    auto* link = place(new QLabel(QStringLiteral("访问主页"), parent), 670, 108, 90, 24);
    link->setProperty("skinRole", QStringLiteral("link"));
}

} // namespace

QWidget* controlsWindow()
{
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("控件一览"));
    window->resize(776, 560);
    entryGroup(window);
    plainGroup(window);
    navigationMarks(window);
    auto* browser = place(new QTextBrowser(window), 384, 140, 380, 130);
    browser->setHtml(QStringLiteral("<h3>意见反馈</h3><p>欢迎提出宝贵意见，"
                                    "我们会认真阅读每一条反馈。</p>"));
    auto* tabs = place(new QTabWidget(window), 12, 282, 752, 266);
    tabs->addTab(recordTable(tabs), QStringLiteral("收支明细"));
    auto* accounts = new QListWidget(tabs);
    accounts->addItems({QStringLiteral("现金"), QStringLiteral("工商银行卡"), QStringLiteral("信用卡")});
    tabs->addTab(accounts, QStringLiteral("账户"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("预算设定"));
    return window;
}

QImage popupsPicture(QWidget* owner)
{
    QList<QImage> parts;
    auto settle = [] { QApplication::processEvents(); };

    auto* combo = place(new QComboBox(owner), 0, 0, 140, 21);
    combo->addItems(
        {QStringLiteral("现金"), QStringLiteral("工商银行卡"), QStringLiteral("建设银行卡"), QStringLiteral("信用卡")});
    combo->show();
    combo->showPopup();
    settle();
    parts.append(combo->view()->window()->grab().toImage());
    combo->hidePopup();

    auto* calendar = new QCalendarWidget(owner);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setSelectedDate(QDate(2024, 5, 18));
    calendar->resize(280, 200);
    calendar->show();
    settle();
    parts.append(calendar->grab().toImage());
    calendar->hide();

    QMenu menu(owner);
    menu.addAction(QStringLiteral("新增一行"));
    menu.addAction(QStringLiteral("删除此行"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("导出报表"))->setEnabled(false);
    menu.popup(QPoint(100, 100));
    settle();
    menu.setActiveAction(menu.actions().first());
    settle();
    parts.append(menu.grab().toImage());
    menu.hide();

    QMessageBox box(QMessageBox::Question, QStringLiteral("系统提示"), QStringLiteral("是否确定保存数据？"),
                    QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.show();
    settle();
    parts.append(box.grab().toImage());
    box.hide();

    QToolTip::showText(QPoint(200, 200), QStringLiteral("双击可以修改这一行"), owner);
    settle();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel") && top->isVisible())
            parts.append(top->grab().toImage());
    }
    QToolTip::hideText();

    int width = 10, height = 0;
    for (const QImage& part : parts) {
        width += part.width() + 10;
        height = qMax(height, part.height());
    }
    QImage sheet(width, height + 20, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&sheet);
    int x = 10;
    for (const QImage& part : parts) {
        painter.drawImage(x, 10, part);
        x += part.width() + 10;
    }
    return sheet;
}

QWidget* signInWindow()
{
    auto* window = new QWidget(nullptr, Qt::FramelessWindowHint);
    window->setWindowTitle(QStringLiteral("欢迎使用Quibo家的记账本"));
    window->setFixedSize(470, 264);
    picture(QStringLiteral("login_background.jpg"), window, 0, 0, 470, 264);
    auto* users = place(new QComboBox(window), 232, 88, 193, 21);
    users->addItems({QStringLiteral("管理员"), QStringLiteral("妈妈")});
    auto* password = place(new QLineEdit(QStringLiteral("abc123"), window), 232, 120, 193, 24);
    password->setEchoMode(QLineEdit::Password);
    QFont passwordFont = password->font();
    passwordFont.setPixelSize(13);
    password->setFont(passwordFont);
    place(new QCheckBox(QStringLiteral("记住用户名和密码"), window), 232, 152, 145, 17)->setChecked(true);
    picture(QStringLiteral("button_ok.jpg"), window, 232, 176, 81, 33);
    picture(QStringLiteral("button_cancel_hover.jpg"), window, 344, 176, 81, 33);
    return window;
}

namespace {

void header(QWidget* frame)
{
    picture(QStringLiteral("header_left.jpg"), frame, 0, 0, 561, 81);
    picture(QStringLiteral("header_middle.jpg"), frame, 561, 0, 961 - 561 - 302, 81);
    picture(QStringLiteral("header_right.jpg"), frame, 961 - 302, 0, 302, 81);
    const struct {
        const char* text;
        int left;
    } links[] = {{"关于", 51}, {"意见反馈", 104}, {"退出", 265}};
    for (const auto& link : links) {
        auto* label = new QLabel(QString::fromUtf8(link.text), frame);
        label->move(961 - 302 + link.left, 56);
        label->setCursor(Qt::PointingHandCursor);
    }
}

void navigation(QWidget* frame)
{
    auto* column = place(new QWidget(frame), 0, 81, 193, 511);
    picture(QStringLiteral("nav_top.jpg"), column, 0, 0, 193, 500);
    picture(QStringLiteral("nav_filler.jpg"), column, 0, 500, 193, 11);
    const struct {
        const char* caption;
        int top;
        bool bold;
    } labels[] = {{"支 出", 41, true},         {"收 入", 72, true},         {"账 户", 101, true},
                  {"收 入 类 别", 136, false}, {"支 出 类 别", 168, false}, {"借 入 借 出", 207, false},
                  {"账 户 转 账", 235, false}, {"流 水 报 表", 273, false}, {"分 类 报 表", 300, false},
                  {"人 员 报 表", 324, false}, {"预 算 设 定", 360, false}, {"实 用 查 询", 391, false},
                  {"系  统 设 置", 415, false}};
    for (const auto& l : labels) {
        auto* label = place(new QLabel(QString::fromUtf8(l.caption), column), 31, l.top, 130, l.bold ? 18 : 24);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPixelSize(l.bold ? 13 : 12);
        font.setBold(l.bold);
        label->setFont(font);
        label->setCursor(Qt::PointingHandCursor);
        QPalette palette = label->palette();
        if (l.top == 41)
            palette.setColor(QPalette::WindowText, Qt::red);
        if (l.top == 207) {
            palette.setColor(QPalette::Window, QColor(0, 255, 0));
            label->setAutoFillBackground(true);
        }
        label->setPalette(palette);
    }
    for (int y : {180, 251, 337, 372, 428}) {
        auto* line = place(new QFrame(column), 31, y + 14, 130, 1);
        line->setFrameShape(QFrame::HLine);
        line->setStyleSheet(QStringLiteral("color: #9ab;"));
    }
}

void statusBand(QWidget* frame)
{
    picture(QStringLiteral("status_left.jpg"), frame, 0, 592, 193, 33);
    picture(QStringLiteral("status_strip.jpg"), frame, 193, 592, 961 - 193, 33);
    place(new QLabel(QStringLiteral("网址：www.quibo.net    电话：400-000-0000"), frame), 206, 592, 265, 33);
    auto* clock = place(new QLabel(QStringLiteral("2024-05-18 9:30:00   "), frame), 961 - 193, 592, 193, 33);
    clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

QWidget* mainFrame()
{
    auto* frame = new QWidget;
    frame->setWindowTitle(QStringLiteral("欢迎使用Quibo家的记账本 Bata 2.0"));
    frame->setFixedSize(961, 625);
    header(frame);
    navigation(frame);
    statusBand(frame);
    auto* page = place(recordTable(frame), 193 + 12, 81 + 12, 768 - 24, 511 - 24);
    page->lower();
    picture(QStringLiteral("about.jpg"), frame, 350, 170, 470, 240);
    return frame;
}

bool save(const QImage& image, const QString& fileName)
{
    const QDir dir(QStringLiteral(SKINS_GALLERY_DIR));
    return dir.mkpath(QStringLiteral(".")) && image.save(dir.filePath(fileName));
}

} // namespace gallery
