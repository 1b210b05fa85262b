#include "TextTestSupport.h"

#include "platform/text/TextLayout.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace textTest;

namespace {

// The characters of each laid-out line.
std::vector<String> LineTexts(const TextLayout& layout)
{
    std::vector<String> texts;
    for (const TextLine& line : layout.Lines()) {
        String text;
        for (std::size_t i = line.first; i < line.first + line.count; ++i)
            text.push_back(char16_t(layout.Glyphs()[i].ch));
        texts.push_back(text);
    }
    return texts;
}

std::vector<String> Wrap(const String& text, int width, UINT extra = 0)
{
    TextLayout layout(*Tahoma(-11), text, DT_WORDBREAK | extra, width);
    return LineTexts(layout);
}

} // namespace

TEST(WordBreak, BreaksAtTheLastSpaceThatFits)
{
    HFONT font = Tahoma(-11);
    const String text = U("Сохранить настройки соединения");
    const int twoWords = Extent(font, U("Сохранить настройки"));
    EXPECT_EQ(Wrap(text, twoWords), (std::vector<String>{U("Сохранить настройки"), U("соединения")}));
    EXPECT_EQ(Wrap(text, twoWords - 1), (std::vector<String>{U("Сохранить"), U("настройки"), U("соединения")}));
    EXPECT_EQ(Wrap(text, 10000), (std::vector<String>{text}));

    TextLayout layout(*font, text, DT_WORDBREAK, twoWords);
    ASSERT_EQ(layout.Lines().size(), 2u);
    EXPECT_EQ(layout.Lines()[0].width, twoWords) << "the space at the break takes no room";
    EXPECT_EQ(layout.MaxWidth(), twoWords);

    // Several spaces at a break all go; spaces inside a line stay.
    EXPECT_EQ(Wrap(u"one   two three", Extent(font, u"one   two")),
              (std::vector<String>{u"one   two", u"three"}));
    // A paragraph's own leading spaces are kept.
    EXPECT_EQ(Wrap(u"  one two", Extent(font, u"  one")), (std::vector<String>{u"  one", u"two"}));
}

TEST(WordBreak, ALongWordOverflowsUnlessEditControlBreaksIt)
{
    HFONT font = Tahoma(-11);
    const int width = Extent(font, u"abc def");
    EXPECT_EQ(Wrap(u"abc Antidisestablishment def", width),
              (std::vector<String>{u"abc", u"Antidisestablishment", u"def"}));

    std::vector<String> broken = Wrap(u"abc Antidisestablishment def", width, DT_EDITCONTROL);
    String joined;
    for (const String& line : broken) {
        EXPECT_FALSE(line.empty());
        EXPECT_LE(Extent(font, line), width) << Utf16ToUtf8(line);
        joined += line;
    }
    EXPECT_EQ(joined, u"abcAntidisestablishmentdef");
    EXPECT_EQ(broken.front(), u"abc");

    // No width at all: a word a line, or a character a line for edit controls, and never a loop.
    EXPECT_EQ(Wrap(u"ab cd", 0), (std::vector<String>{u"ab", u"cd"}));
    EXPECT_EQ(Wrap(u"ab cd", 0, DT_EDITCONTROL), (std::vector<String>{u"a", u"b", u"c", u"d"}));

    // The measured rectangle grows to the overflowing word.
    Canvas canvas(10, 10, font);
    RECT r = Rect(0, 0, width, 0);
    DrawText(canvas.dc, u"abc Antidisestablishment def", &r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r.right, Extent(font, u"Antidisestablishment"));
    EXPECT_EQ(r.bottom, 3 * font->Metrics().tmHeight);
}

TEST(WordBreak, ExplicitBreaksStartNewParagraphs)
{
    HFONT font = Tahoma(-11);
    const int width = Extent(font, u"one two");
    EXPECT_EQ(Wrap(u"one two three\r\nfour\n\nfive six", width),
              (std::vector<String>{u"one two", u"three", u"four", u"", u"five six"}));
    EXPECT_EQ(LineTexts(TextLayout(*font, u"one\ntwo", DT_WORDBREAK | DT_SINGLELINE, 1)),
              (std::vector<String>{u"one\ntwo"}));
}

TEST(Ellipsis, TruncatedTextFitsAndShortTextIsUntouched)
{
    HFONT font = Tahoma(-11);
    const String text = U("Очень длинная строка, которая не помещается целиком");
    for (int width : {20, 60, 137, 200}) {
        TextLayout layout(*font, text, DT_SINGLELINE | DT_END_ELLIPSIS, width);
        ASSERT_EQ(layout.Lines().size(), 1u);
        String shown = LineTexts(layout)[0];
        EXPECT_LE(layout.Lines()[0].width, width) << width;
        EXPECT_EQ(layout.Lines()[0].width, Extent(font, shown));
        ASSERT_GE(shown.size(), 3u);
        EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
        EXPECT_EQ(text.substr(0, shown.size() - 3), shown.substr(0, shown.size() - 3));
        // Not one character more would have fitted.
        EXPECT_GT(Extent(font, text.substr(0, shown.size() - 2) + u"..."), width);
    }
    const int full = Extent(font, u"Short");
    EXPECT_EQ(LineTexts(TextLayout(*font, u"Short", DT_SINGLELINE | DT_END_ELLIPSIS, full)),
              (std::vector<String>{u"Short"}));

    // Drawn: nothing beyond the rectangle although the text is far longer.
    Canvas canvas(300, 20, font);
    RECT r = Rect(5, 2, 105, 18);
    DrawText(canvas.dc, text, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(canvas.Ink().right, 105);
    RECT measured = Rect(5, 2, 105, 18);
    DrawText(canvas.dc, text, &measured, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(measured.right, 105);
}

TEST(Ellipsis, WordEllipsisCutsAfterAWholeWord)
{
    HFONT font = Tahoma(-11);
    const String text = u"alpha beta gamma delta";
    const int width = Extent(font, u"alpha beta gam...");
    std::vector<String> lines = LineTexts(TextLayout(*font, text, DT_SINGLELINE | DT_WORD_ELLIPSIS, width));
    EXPECT_EQ(lines, (std::vector<String>{u"alpha beta..."}));
    lines = LineTexts(TextLayout(*font, text, DT_SINGLELINE | DT_END_ELLIPSIS, width));
    EXPECT_EQ(lines, (std::vector<String>{u"alpha beta gam..."}));
    // When not even the first word fits, the word itself is cut.
    lines = LineTexts(TextLayout(*font, u"Antidisestablishment", DT_SINGLELINE | DT_WORD_ELLIPSIS, 40));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), u"...");
    EXPECT_LE(Extent(font, lines[0]), 40);

    // Each line of wrapped text too, when a word alone is wider than the rectangle.
    lines = LineTexts(TextLayout(*font, u"ab Antidisestablishment cd", DT_WORDBREAK | DT_END_ELLIPSIS, 50));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], u"ab");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 3), u"...");
    EXPECT_EQ(lines[2], u"cd");
}

TEST(VisualOrder, RightToLeftRunsAreReversedAndNeutralsFollowTheirNeighbours)
{
    auto order = [](const char* utf8, bool rtl) {
        String text = U(utf8);
        std::vector<char32_t> chars(text.begin(), text.end());
        std::vector<std::size_t> indexes = VisualOrder(chars, rtl);
        String visual;
        for (std::size_t i : indexes)
            visual.push_back(text[i]);
        return Utf16ToUtf8(visual);
    };
    EXPECT_EQ(order("abc def", false), "abc def");
    EXPECT_EQ(order("abc def", true), "abc def") << "one left-to-right run keeps its order";
    EXPECT_EQ(order("abc def!", true), "!abc def");
    EXPECT_EQ(order("ab אבג cd", false), "ab גבא cd");
    EXPECT_EQ(order("אבג דה", true), "הד גבא");
    EXPECT_EQ(order("אב cd ef", true), "cd ef בא");
    EXPECT_EQ(order("", true), "");
}
