// Applying a skin: ordinary controls change their look, controls tagged
// not-to-skin (and everything inside them) keep the plain one, whenever
// the tag is set and however the control got where it is.

#include "skins/skin_applier.h"
#include "skins/skin_provider.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>

namespace {

QByteArray loadSkin(const QString& name)
{
    QByteArray sheet;
    EXPECT_TRUE(skins::GetSkin(name, sheet)) << name.toStdString();
    return sheet;
}

QImage look(QWidget* widget)
{
    QApplication::processEvents();
    return widget->grab().toImage();
}

QPushButton* addButton(QWidget* parent, int x)
{
    auto* button = new QPushButton(QStringLiteral("保存"), parent);
    button->setFocusPolicy(Qt::NoFocus); // no focus frame to tell apart
    button->setGeometry(x, 10, 75, 25);
    return button;
}

class SkinApplier : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 120);
        ordinary = addButton(&window, 10);
        tagged = addButton(&window, 100);
        skins::setSkinTag(tagged, skins::kNoSkinTag);
        window.show();
        plainLook = look(ordinary);
    }
    void TearDown() override { skins::removeSkin(); }

    QWidget window;
    QPushButton* ordinary = nullptr;
    QPushButton* tagged = nullptr;
    QImage plainLook;
};

} // namespace

TEST_F(SkinApplier, OrdinaryButtonTakesTheSkinTaggedOneStaysPlain)
{
    ASSERT_EQ(look(tagged), plainLook) << "the two buttons must start alike";
    skins::applySkin(loadSkin(skins::kDefaultSkinName));
    EXPECT_NE(look(ordinary), plainLook);
    EXPECT_EQ(look(tagged), plainLook);
}

TEST_F(SkinApplier, ControlsCreatedAfterTheSkinFollowTheSameRule)
{
    skins::applySkin(loadSkin(skins::kDefaultSkinName));
    QPushButton* late = addButton(&window, 190);
    QPushButton* lateTagged = addButton(&window, 280);
    skins::setSkinTag(lateTagged, skins::kNoSkinTag);
    late->show();
    lateTagged->show();
    EXPECT_EQ(look(late), look(ordinary));
    EXPECT_EQ(look(lateTagged), plainLook);
}

TEST_F(SkinApplier, TaggingWhileSkinnedRestoresThePlainLookAndUntaggingUndoesIt)
{
    skins::applySkin(loadSkin(skins::kDefaultSkinName));
    const QImage skinned = look(ordinary);
    skins::setSkinTag(ordinary, skins::kNoSkinTag);
    EXPECT_EQ(look(ordinary), plainLook);
    skins::setSkinTag(ordinary, 0);
    EXPECT_EQ(look(ordinary), skinned);
}

TEST_F(SkinApplier, EverythingInsideATaggedPanelStaysPlain)
{
    auto* panel = new QFrame(&window);
    panel->setGeometry(190, 0, 200, 60);
    skins::setSkinTag(panel, skins::kNoSkinTag);
    QPushButton* inside = addButton(panel, 10);
    panel->show();
    skins::applySkin(loadSkin(skins::kDefaultSkinName));
    EXPECT_EQ(look(inside), plainLook);

    // Moved out of the panel it is an ordinary button again, and back in, plain.
    inside->setParent(&window);
    inside->setGeometry(190, 70, 75, 25);
    inside->show();
    EXPECT_EQ(look(inside), look(ordinary));
    inside->setParent(panel);
    inside->setGeometry(10, 10, 75, 25);
    inside->show();
    EXPECT_EQ(look(inside), plainLook);
}

TEST_F(SkinApplier, TaggedComboBoxKeepsAPlainDropDownList)
{
    auto makeCombo = [&](int x) {
        auto* combo = new QComboBox(&window);
        combo->addItems({QStringLiteral("工资"), QStringLiteral("餐饮"), QStringLiteral("交通")});
        combo->setGeometry(x, 60, 120, 21);
        combo->show();
        return combo;
    };
    QComboBox* plainCombo = makeCombo(10);
    QComboBox* taggedCombo = makeCombo(150);
    skins::setSkinTag(taggedCombo, skins::kNoSkinTag);
    auto listLook = [](QComboBox* combo) {
        combo->showPopup();
        const QImage image = look(combo->view()->window());
        combo->hidePopup();
        return image;
    };
    const QImage plainList = listLook(taggedCombo);
    skins::applySkin(loadSkin(skins::kDefaultSkinName));
    EXPECT_EQ(listLook(taggedCombo), plainList);
    EXPECT_NE(listLook(plainCombo), plainList);
}

TEST_F(SkinApplier, AnotherSkinReplacesTheFirstAndRemovingRestoresThePlainLook)
{
    skins::applySkin(loadSkin(QStringLiteral("晴空")));
    const QImage sky = look(ordinary);
    skins::applySkin(loadSkin(QStringLiteral("暖阳")));
    const QImage warm = look(ordinary);
    EXPECT_NE(warm, sky);
    EXPECT_NE(warm, plainLook);
    skins::removeSkin();
    EXPECT_EQ(look(ordinary), plainLook);
}
