#include "EPropertyCharString.h"
#include "EPropertyCheck.h"
#include "EPropertyColor.h"
#include "EPropertyCombo.h"
#include "EPropertyDir.h"
#include "EPropertyFile.h"
#include "EPropertyFont.h"
#include "EPropertySeparator.h"
#include "EPropertyString.h"
#include "EPropertyTextblock.h"
#include "EPropertyTextblockWindow.h"
#include "ETextFit.h"
#include "EditHarness.h"
#include "TestHost.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(Combo, ShowsTheFirstMatchingTextOrNA)
{
    TestHost host;
    std::int32_t value = 9;
    EPropertyCombo row(&host, QStringLiteral("c"), &value, true);
    row.AddItem(QStringLiteral("zero"))
        ->AddItem(QStringLiteral("one"))
        ->AddItem(QStringLiteral("also one"), 1);
    EXPECT_EQ(row.TextValue(), QStringLiteral("N/A"));
    value = 1;
    EXPECT_EQ(row.TextValue(), QStringLiteral("one"));
}

TEST(Combo, AChoiceStoresItsValueOnlyWhenItDiffers)
{
    TestHost host;
    std::int32_t value = 0;
    EPropertyCombo row(&host, QStringLiteral("c"), &value, true);
    row.AddItem(QStringLiteral("a"), 10)->AddItem(QStringLiteral("b"), 20);
    EditHarness edit;
    EXPECT_TRUE(row.OnCommand(&edit.Wnd(), 603, 0));
    EXPECT_EQ(value, 20);
    EXPECT_FALSE(row.OnCommand(&edit.Wnd(), 603, 0));
    EXPECT_FALSE(row.OnCommand(&edit.Wnd(), 650, 0)); // no such item
    EXPECT_EQ(host.changing.size(), 1u);
}

TEST(Combo, TheButtonOpensTheMenuWithTheCurrentChoiceTicked)
{
    TestHost host;
    std::int32_t value = 1;
    EPropertyCombo row(&host, QStringLiteral("c"), &value, true);
    row.AddItem(QStringLiteral("a"))->AddItem(QStringLiteral("b"))->AddItem(QStringLiteral("c"));
    EditHarness edit;
    int ticked = -2;
    edit.Wnd().Dialogs().chooseItem = [&](QWidget *, QPoint, const QStringList &items, int checked) {
        ticked = checked;
        EXPECT_EQ(items.size(), 3);
        return 2;
    };
    EXPECT_TRUE(row.OnCommand(&edit.Wnd(), 601, 0));
    EXPECT_EQ(ticked, 1);
    EXPECT_EQ(value, 2);
}

struct ColorCase
{
    const char *text;
    EColorRef expected; // starts at 0x010203
};

class ColorEntry : public ::testing::TestWithParam<ColorCase>
{
};

TEST_P(ColorEntry, AcceptsBothFormsInRange)
{
    TestHost host;
    EColorRef color = 0x010203;
    EPropertyColor row(&host, QStringLiteral("col"), &color, true);
    EditHarness edit;
    edit.Enter(row, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(color, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ColorEntry,
                         ::testing::Values(ColorCase{"1,2,3", 1 + 256 * 2 + 65536 * 3},
                                           ColorCase{"10 20 30", 10 + 256 * 20 + 65536 * 30},
                                           ColorCase{" 255, 0,128", 255 + 65536 * 128},
                                           ColorCase{"256,0,0", 0x010203}, ColorCase{"-1,0,0", 0x010203},
                                           ColorCase{"1,2", 0x010203},
                                           ColorCase{"99999999999999999999,0,0", 0x010203},
                                           ColorCase{"red", 0x010203}));

TEST(Color, ShowsItsComponentsAndSkipsAnUnchangedColour)
{
    TestHost host;
    EColorRef color = 10 + 256 * 20 + 65536 * 30;
    EPropertyColor row(&host, QStringLiteral("col"), &color, true);
    EXPECT_EQ(row.TextValue(), QStringLiteral("10,20,30"));
    EditHarness edit;
    EXPECT_FALSE(edit.Enter(row, QStringLiteral("10 20 30")));
    EXPECT_TRUE(host.changing.empty());
    edit.Wnd().Dialogs().chooseColor = [](QWidget *, const QColor &) { return QColor(1, 2, 3); };
    EXPECT_TRUE(row.OnCommand(&edit.Wnd(), 601, 0));
    EXPECT_EQ(color, 1u + 256 * 2 + 65536 * 3);
}

TEST(Check, TogglesOnlyWhenEnabled)
{
    TestHost host;
    bool value = false;
    EPropertyCheck row(&host, QStringLiteral("k"), &value, true);
    EXPECT_TRUE(row.Toggle());
    EXPECT_TRUE(value);
    host.enabled = false;
    EXPECT_FALSE(row.Toggle());
    EXPECT_TRUE(value);
    EPropertyCheck off(&host, QStringLiteral("k"), &value, false);
    host.enabled = true;
    EXPECT_FALSE(off.Toggle());
}

TEST(StringRows, StoreOnlyAChangedText)
{
    TestHost host;
    QString text = QStringLiteral("abc");
    EPropertyString row(&host, QStringLiteral("s"), &text, true);
    EditHarness edit;
    EXPECT_FALSE(edit.Enter(row, QStringLiteral("abc")));
    EXPECT_TRUE(host.changing.empty());
    EXPECT_TRUE(edit.Enter(row, QStringLiteral("xyz")));
    EXPECT_EQ(text, QStringLiteral("xyz"));
    host.approve = false;
    EXPECT_FALSE(edit.Enter(row, QStringLiteral("refused")));
    EXPECT_EQ(text, QStringLiteral("xyz"));
}

TEST(StringRows, FileAndFolderGoThroughTheDialogHooks)
{
    TestHost host;
    QString file;
    QString dir = QStringLiteral("/old");
    EPropertyFile fileRow(&host, QStringLiteral("f"), &file, QStringLiteral("Text (*.txt)"));
    EPropertyDir dirRow(&host, QStringLiteral("d"), &dir);
    EditHarness edit;
    QString filterSeen;
    QString titleSeen;
    edit.Wnd().Dialogs().openFile = [&](QWidget *, const QString &filter) {
        filterSeen = filter;
        return std::optional<QString>(QStringLiteral("/tmp/a.txt"));
    };
    edit.Wnd().Dialogs().chooseFolder = [&](QWidget *, const QString &title) {
        titleSeen = title;
        return std::optional<QString>();
    };
    EXPECT_TRUE(fileRow.OnCommand(&edit.Wnd(), 601, 0));
    EXPECT_EQ(file, QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(filterSeen, QStringLiteral("Text (*.txt)"));
    EXPECT_FALSE(dirRow.OnCommand(&edit.Wnd(), 601, 0));
    EXPECT_EQ(titleSeen, QStringLiteral("Select the folder"));
    EXPECT_EQ(dir, QStringLiteral("/old"));
}

TEST(Font, StoresTheChosenFontWhenApproved)
{
    TestHost host;
    QFont font(QStringLiteral("Serif"));
    EPropertyFont row(&host, QStringLiteral("f"), &font);
    EditHarness edit;
    edit.Wnd().Dialogs().chooseFont = [](QWidget *, const QFont &) {
        return std::optional<QFont>(QFont(QStringLiteral("Monospace")));
    };
    EXPECT_TRUE(row.OnCommand(&edit.Wnd(), 601, 0));
    EXPECT_EQ(font.family(), QStringLiteral("Monospace"));
}

TEST(CharString, IsReadOnlyWhateverTheHostSays)
{
    TestHost host;
    const char buffer[] = "ABCDEF";
    EPropertyCharString whole(&host, QStringLiteral("c"), buffer, 0);
    EPropertyCharString firstThree(&host, QStringLiteral("c"), buffer, 3);
    EXPECT_EQ(whole.TextValue(), QStringLiteral("ABCDEF"));
    EXPECT_EQ(firstThree.TextValue(), QStringLiteral("ABC"));
    EXPECT_FALSE(whole.IsEnabled());
    EditHarness edit;
    whole.BeginEdit(&edit.Wnd());
    EXPECT_EQ(whole.EditBox(), nullptr);
    whole.EndEdit();
}

TEST(Textblock, ShowsLineEndsAsMarksAndEditsLines)
{
    TestHost host;
    QString text = QStringLiteral("first\r\nsecond");
    EPropertyTextblock row(&host, QStringLiteral("t"), &text, true);
    EXPECT_EQ(row.TextValue(), QStringLiteral("first<><>second"));
    EditHarness edit;
    row.BeginEdit(&edit.Wnd());
    EXPECT_FALSE(row.OnCommand(&edit.Wnd(), 601, 0));
    ASSERT_NE(row.Window(), nullptr);
    auto *box = row.Window()->findChild<QPlainTextEdit *>(QStringLiteral("1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("first\nsecond"));
    box->setPlainText(QStringLiteral("one\ntwo\nthree"));
    EXPECT_TRUE(row.CommitEdit());
    EXPECT_EQ(text, QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(row.Window(), nullptr);
    row.EndEdit();
}

TEST(Separator, IsNotSelectableAndHasNoValue)
{
    TestHost host;
    EPropertySeparator bar(&host, {});
    EPropertySeparator named(&host, QStringLiteral("Group"));
    const QFontMetrics fm(QFont{});
    EXPECT_FALSE(bar.IsSelectable());
    EXPECT_FALSE(bar.IsEnabled());
    EXPECT_EQ(bar.GetHeight(fm), 5);
    EXPECT_EQ(named.GetHeight(fm), 19);
}

TEST(RowOrder, ComparesNumbersThenTexts)
{
    TestHost host;
    QString a = QStringLiteral("apple");
    QString b = QStringLiteral("banana");
    EPropertyString ra(&host, QStringLiteral("a"), &a, true);
    EPropertyString rb(&host, QStringLiteral("b"), &b, true);
    EXPECT_TRUE(rb.IsGreaterThan(&ra));
    EXPECT_FALSE(ra.IsGreaterThan(&rb));
    EXPECT_TRUE(ra.IsGreaterThan(nullptr));
}

TEST(TextFit, ShortensWithDots)
{
    EditHarness::App();
    QFont font;
    font.setPixelSize(13);
    const QFontMetrics fm(font);
    const QString text = QStringLiteral("A rather long value that does not fit");
    const int width = fm.horizontalAdvance(QStringLiteral("A rather long"));
    const QString cut = ETextFit::Shorten(text, width, fm);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    EXPECT_LE(fm.horizontalAdvance(cut), width);
    // one character more would not fit
    const QString longer = text.left(cut.size() - 2) + QStringLiteral("...");
    EXPECT_GT(fm.horizontalAdvance(longer), width);
    EXPECT_EQ(ETextFit::Shorten(text, 10000, fm), text);
    EXPECT_EQ(ETextFit::Shorten(QStringLiteral("abc"), fm.horizontalAdvance(QStringLiteral("..")), fm),
              QStringLiteral(".."));
    EXPECT_EQ(ETextFit::Shorten(text, 0, fm), QString());
}

TEST(TextFit, ShortensWrappedTextToTheHeight)
{
    EditHarness::App();
    QFont font;
    font.setPixelSize(13);
    const QFontMetrics fm(font);
    const QString text = QString(QStringLiteral("word ")).repeated(200);
    const QString cut = ETextFit::ShortenWrapped(text, 200, 3 * fm.lineSpacing(), fm);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    EXPECT_LE(fm.boundingRect(QRect(0, 0, 200, 10000), Qt::TextWordWrap, cut).height(), 3 * fm.lineSpacing());
    EXPECT_EQ(ETextFit::ShortenWrapped(QStringLiteral("abcdefgh"), 200, 1, fm), QStringLiteral("..."));
}

} // namespace
