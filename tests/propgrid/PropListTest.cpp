#include "EPropPage.h"
#include "EPropertyCombo.h"
#include "EPropertyInt.h"
#include "EPropertyString.h"
#include "TestHost.h"

#include <gtest/gtest.h>

namespace {

TEST(PropList, RowsWithoutPageGoToAnUnnamedDefaultPage)
{
    TestHost host;
    std::int32_t n = 0;
    EPropList list;
    list.AddInt(&host, QStringLiteral("n"), &n);
    ASSERT_EQ(list.PageCount(), 1);
    EXPECT_EQ(list.Page(0)->Name(), QStringLiteral("Default"));
    EXPECT_EQ(list.Page(0)->Image(), -1);
    EXPECT_FALSE(list.HasNamedPages());
    EXPECT_EQ(list.RowCount(), 1);
}

TEST(PropList, AddPageGivesExactlyTheHostsPages)
{
    TestHost host;
    std::int32_t n = 0;
    EPropList list;
    list.AddPage(QStringLiteral("One"));
    list.AddInt(&host, QStringLiteral("a"), &n);
    list.AddPage(QStringLiteral("Two"), 3);
    list.AddInt(&host, QStringLiteral("b"), &n);
    list.AddInt(&host, QStringLiteral("c"), &n);
    ASSERT_EQ(list.PageCount(), 2);
    EXPECT_TRUE(list.HasNamedPages());
    EXPECT_EQ(list.CurrentPageIndex(), 1);
    EXPECT_EQ(list.Page(1)->Image(), 3);
    EXPECT_EQ(list.Page(0)->RowCount(), 1);
    EXPECT_EQ(list.Page(1)->RowCount(), 2);
}

TEST(PropList, CurrentPageWrapsAround)
{
    EPropList list;
    list.SetCurrentPage(3);
    EXPECT_EQ(list.CurrentPageIndex(), -1);
    for (int i = 0; i < 3; ++i)
        list.AddPage(QString::number(i));
    list.SetCurrentPage(4);
    EXPECT_EQ(list.CurrentPageIndex(), 1);
    list.SetCurrentPage(-1);
    EXPECT_EQ(list.CurrentPageIndex(), 2);
}

TEST(PropList, FactoriesReturnTheRowForFurtherSettings)
{
    TestHost host;
    std::uint8_t level = 0;
    std::int32_t choice = 0;
    EPropList list;
    EProperty *row = list.AddInt(&host, QStringLiteral("Level"), &level, {}, true, 1, 20)
                         ->SetSize(1, false)
                         ->SetComment(QStringLiteral("help"));
    list.AddCombo(&host, QStringLiteral("Mode"), &choice)->AddItem(QStringLiteral("a"))->SetComment({});
    QString comment;
    row->GetComment(comment);
    EXPECT_EQ(comment, QStringLiteral("help"));
    EXPECT_EQ(static_cast<EPropertyInt *>(row)->Size(), 1);
    EXPECT_EQ(list.RowCount(), 2);
}

TEST(PropList, AddHostLetsTheChildAppendUnderItsParent)
{
    TestHost parent;
    TestHost child;
    QString text;
    child.append = [&](EPropList &list) { list.AddString(&child, QStringLiteral("child row"), &text); };
    EPropList list;
    list.AddHost(&parent, nullptr);
    list.AddHost(nullptr, &child);
    EXPECT_EQ(list.PageCount(), 0);
    list.AddHost(&parent, &child);
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Row(0)->ParentHost(), &parent);
    EXPECT_EQ(list.Row(0)->Host(), &child);
    list.AddString(&parent, QStringLiteral("own row"), &text);
    EXPECT_EQ(list.Row(1)->ParentHost(), nullptr);
}

TEST(PropList, ClearForgetsEverything)
{
    TestHost host;
    QString text;
    EPropList list;
    list.AddPage(QStringLiteral("P"));
    list.AddString(&host, QStringLiteral("s"), &text);
    list.SetComment(QStringLiteral("c"));
    list.Clear();
    EXPECT_EQ(list.PageCount(), 0);
    EXPECT_EQ(list.CurrentPageIndex(), -1);
    EXPECT_FALSE(list.HasNamedPages());
    EXPECT_TRUE(list.Comment().isEmpty());
    EXPECT_EQ(list.Row(0), nullptr);
}

TEST(RowEnabled, NeedsFlagVariableAndHost)
{
    TestHost host;
    QString text;
    EPropList list;
    EProperty *on = list.AddString(&host, QStringLiteral("on"), &text, true);
    EProperty *off = list.AddString(&host, QStringLiteral("off"), &text, false);
    EProperty *none = list.AddString(&host, QStringLiteral("none"), nullptr, true);
    EXPECT_TRUE(on->IsEnabled());
    EXPECT_FALSE(off->IsEnabled());
    EXPECT_FALSE(none->IsEnabled());
    host.enabled = false;
    EXPECT_FALSE(on->IsEnabled());
}

} // namespace
