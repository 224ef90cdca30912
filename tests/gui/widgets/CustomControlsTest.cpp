#include "widgets/ColouredStatic.h"
#include "widgets/EditFilter.h"
#include "widgets/FilteredEdit.h"
#include "widgets/MarkedComboBox.h"
#include "widgets/MarkedItemDelegate.h"
#include "widgets/MarkedListBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <string_view>

namespace qx::test {
namespace {

TEST(EditFilter, TakesLettersDigitsSpaceSlashBraceAndBackspaceOnly)
{
    for (char32_t c : std::u32string_view(U"AZaz09 /{\b"))
        EXPECT_TRUE(editAccepts(c)) << static_cast<unsigned>(c);
    for (char32_t c : std::u32string_view(U"-.,|}~@[`:?\t\x7f\u00e9\u3042"))
        EXPECT_FALSE(editAccepts(c)) << static_cast<unsigned>(c);
}

TEST(FilteredEdit, TypingDropsRefusedCharacters)
{
    FilteredEdit edit;
    QTest::keyClicks(&edit, "CQ-de.QX1,AB/P{x}");
    EXPECT_EQ(edit.text(), "CQdeQX1AB/P{x");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "CQdeQX1AB/P{");
}

TEST(FilteredEdit, PasteIsFilteredToo)
{
    FilteredEdit edit;
    edit.setText("AB");
    QApplication::clipboard()->setText("1-2.3");
    edit.paste();
    EXPECT_EQ(edit.text(), "AB123");
    EXPECT_EQ(edit.cursorPosition(), 5);
    QApplication::clipboard()->setText(QStringLiteral("4\b5\t6"));
    edit.paste();
    EXPECT_EQ(edit.text(), "AB123456") << "backspace is a key, never a pasted character";
}

TEST(ColouredStatic, BackgroundStartsAsButtonFaceAndCanBeReplaced)
{
    ColouredStatic label("TONE");
    EXPECT_EQ(label.backgroundColour(), label.palette().color(QPalette::Button));
    label.setBackgroundColour(QColor(0, 0, 128));
    EXPECT_EQ(label.grab().toImage().pixelColor(1, 1), QColor(0, 0, 128)) << "the new background is painted";
}

bool hasRedPixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
        }
    return false;
}

// Paints one row as a list would, not selected and not focused.
QImage paintRow(const MarkedItemDelegate& d, const QAbstractItemModel& model, int row)
{
    QImage image(120, 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled;
    option.palette.setColor(QPalette::Base, Qt::white);
    d.paint(&p, option, model.index(row, 0));
    return image;
}

TEST(MarkedLists, MarkedRowIsRedEvenWhenNotSelected)
{
    QStandardItemModel model;
    for (const char* t : {"4800bps", "9600bps", "19200bps"})
        model.appendRow(new QStandardItem(t));
    MarkedItemDelegate d(15);
    EXPECT_TRUE(hasRedPixel(paintRow(d, model, 0))) << "marked index 0 is the first item";
    EXPECT_FALSE(hasRedPixel(paintRow(d, model, 1)));
    d.setMarkedIndex(2);
    EXPECT_FALSE(hasRedPixel(paintRow(d, model, 0)));
    EXPECT_TRUE(hasRedPixel(paintRow(d, model, 2)));
}

TEST(MarkedLists, ComboAndListDrawThroughTheMarkingDelegate)
{
    MarkedComboBox combo;
    MarkedListBox list;
    combo.setMarkedIndex(1);
    list.setMarkedIndex(2);
    const auto* c = dynamic_cast<const MarkedItemDelegate*>(combo.view()->itemDelegate());
    const auto* l = dynamic_cast<const MarkedItemDelegate*>(list.itemDelegate());
    ASSERT_TRUE(c && l);
    EXPECT_EQ(c->markedIndex(), 1);
    EXPECT_EQ(l->markedIndex(), 2);
}

} // namespace
} // namespace qx::test
