// The skin provider as the sign-in window uses it: by the name in the
// settings row, which may be empty or name a skin that is not there.

#include "skins/skin_provider.h"

#include <gtest/gtest.h>

#include <QSet>

using skins::GetSkin;

TEST(SkinProvider, DefaultSkinByItsNameAndByAnEmptyName)
{
    QByteArray byName, byEmptyName;
    ASSERT_TRUE(GetSkin(QStringLiteral("晴空"), byName));
    ASSERT_TRUE(GetSkin(QString(), byEmptyName));
    EXPECT_FALSE(byName.isEmpty());
    EXPECT_EQ(byName, byEmptyName) << "an empty skin name must give the default skin";
    EXPECT_EQ(skins::kDefaultSkinName, QStringLiteral("晴空"));
}

TEST(SkinProvider, EveryBuiltInSkinIsCompleteAndItsOwn)
{
    const QStringList names = skins::skinNames();
    ASSERT_GE(names.size(), 2);
    EXPECT_EQ(names.first(), QStringLiteral("晴空"));
    EXPECT_TRUE(names.contains(QStringLiteral("暖阳")));
    EXPECT_TRUE(names.contains(QStringLiteral("墨玉")));
    QSet<QByteArray> sheets;
    for (const QString& name : names) {
        QByteArray sheet;
        ASSERT_TRUE(GetSkin(name, sheet)) << name.toStdString();
        EXPECT_FALSE(sheet.contains('@')) << name.toStdString() << ": a colour was left unfilled";
        EXPECT_TRUE(sheet.contains("QPushButton")) << name.toStdString();
        sheets.insert(sheet);
    }
    EXPECT_EQ(sheets.size(), names.size()) << "two skin names give the same look";
}

TEST(SkinProvider, UnknownNameGivesNoSkinAndAnEmptyStream)
{
    for (const QString& name :
         {QStringLiteral("不存在的皮肤"), QStringLiteral("晴空 "), QStringLiteral("template"), QStringLiteral("qingkong")}) {
        QByteArray stream("left from before");
        EXPECT_FALSE(GetSkin(name, stream)) << name.toStdString();
        EXPECT_TRUE(stream.isEmpty()) << name.toStdString();
    }
}
