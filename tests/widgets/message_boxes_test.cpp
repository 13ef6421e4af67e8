// The boxes the program shows, and handlers that fail.

#include "scripted_message_boxes.h"

#include "widgets/guarded.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Seen {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Reads the box that opens next and presses one of its buttons.
std::shared_ptr<Seen> watchNextBox(const QString& button)
{
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, [seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->caption = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button)
                b->click();
    });
    return seen;
}

TEST(RealMessageBoxes, EachKindHasItsCaptionIconAndButtons)
{
    widgets::MessageBoxes& boxes = widgets::realMessageBoxes();
    auto seen = watchNextBox(QStringLiteral("确定"));
    boxes.refusal(nullptr, QStringLiteral("对不起，请重新输入项目"));
    EXPECT_EQ(seen->caption, QStringLiteral("系统提示"));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("确定")});

    seen = watchNextBox(QStringLiteral("确定"));
    EXPECT_TRUE(boxes.confirm(nullptr, QStringLiteral("是否确定删除？")));
    EXPECT_EQ(seen->icon, QMessageBox::Question);
    EXPECT_EQ(seen->buttons.size(), 2);
    EXPECT_TRUE(seen->buttons.contains(QStringLiteral("取消")));
    seen = watchNextBox(QStringLiteral("取消"));
    EXPECT_FALSE(boxes.confirm(nullptr, QStringLiteral("是否确定保存数据？")));

    seen = watchNextBox(QStringLiteral("确定"));
    boxes.information(nullptr, QStringLiteral("保存成功"));
    EXPECT_EQ(seen->caption, QStringLiteral("系统提示"));
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);

    seen = watchNextBox(QStringLiteral("确定"));
    boxes.notice(nullptr, QStringLiteral("系统默认用户不能删除！"));
    EXPECT_EQ(seen->caption, QStringLiteral("Quibo家的记账本"));
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);

    seen = watchNextBox(QStringLiteral("确定"));
    boxes.standardError(nullptr, QStringLiteral("数据库错误"));
    EXPECT_EQ(seen->caption, QStringLiteral("Quibo家的记账本"));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_EQ(seen->text, QStringLiteral("数据库错误"));
}

TEST(ScriptedMessageBoxes, RecordEveryBoxAndAnswerFromTheQueue)
{
    testsupport::ScriptedMessageBoxes boxes;
    QWidget window;
    auto* inside = new QWidget(new QWidget(&window));
    widgets::lendMessageBoxes(&window, boxes);
    widgets::MessageBoxes& lent = widgets::messageBoxesFor(inside);
    boxes.answer(false);
    EXPECT_FALSE(lent.confirm(inside, QStringLiteral("是否确定删除？")));
    EXPECT_TRUE(lent.confirm(inside, QStringLiteral("是否确定保存数据？")));
    lent.information(inside, QStringLiteral("保存成功"));
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定删除？"), QStringLiteral("是否确定保存数据？"),
                                                   QStringLiteral("保存成功")}));
    EXPECT_EQ(boxes.shown()[2].kind, testsupport::ScriptedMessageBoxes::Kind::Information);
    QWidget elsewhere;
    EXPECT_EQ(&widgets::messageBoxesFor(&elsewhere), &widgets::realMessageBoxes()) << "boxes are lent to one window only";
}

TEST(GuardedHandlers, AnErrorShowsTheStandardBoxAndSkipsTheRest)
{
    testsupport::ScriptedMessageBoxes boxes;
    QPushButton button;
    widgets::lendMessageBoxes(&button, boxes);
    int after = 0, clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, widgets::guarded(&button, [&] {
        ++clicks;
        if (clicks == 1)
            throw std::runtime_error("数据库错误：磁盘已满");
        ++after;
    }));
    button.click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, testsupport::ScriptedMessageBoxes::Kind::StandardError);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("数据库错误：磁盘已满"));
    EXPECT_EQ(after, 0);
    button.click(); // the next event is handled normally
    EXPECT_EQ(after, 1);
    EXPECT_EQ(boxes.shown().size(), 1u);
}

} // namespace
