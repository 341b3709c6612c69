// Reading menu templates: structure, separators, end marks, and refusal of
// templates that are cut short or malformed.
#include <gtest/gtest.h>

#include "menu/MenuTemplate.h"

namespace {

constexpr uint16_t kGrayed = 0x01;
constexpr uint16_t kChecked = 0x08;

// Writes a template the way a resource compiler lays it out.
class TemplateWriter {
public:
    explicit TemplateWriter(uint16_t version = 0, uint16_t offset = 0) {
        Word(version);
        Word(offset);
        m_bytes.resize(m_bytes.size() + offset, 0xEE);
    }
    TemplateWriter& Popup(const std::u16string& text, uint16_t flags = 0) {
        Word(flags | kMenuTemplatePopup);
        return Text(text);
    }
    TemplateWriter& Item(uint16_t command, const std::u16string& text, uint16_t flags = 0) {
        Word(flags);
        Word(command);
        return Text(text);
    }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    void Word(uint16_t w) {
        m_bytes.push_back(static_cast<uint8_t>(w));
        m_bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    TemplateWriter& Text(const std::u16string& text) {
        for (char16_t c : text) Word(c);
        Word(0);
        return *this;
    }
    std::vector<uint8_t> m_bytes;
};

// The more-operations menu: one pop-up holding one command.
TemplateWriter OnePopupMenu() {
    TemplateWriter w;
    w.Popup(u"Menu", kMenuTemplateEnd).Item(32771, u"\u521b\u5efa", kMenuTemplateEnd);
    return w;
}

bool Parse(const std::vector<uint8_t>& bytes, std::vector<MenuTemplateItem>& items) {
    return ParseMenuTemplate(bytes.data(), bytes.size(), items);
}

// Copies into a buffer of exactly `size` bytes, so the sanitizer catches any
// read past the end.
bool ParsePrefix(const std::vector<uint8_t>& bytes, size_t size, std::vector<MenuTemplateItem>& items) {
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(size));
    return ParseMenuTemplate(prefix.data(), prefix.size(), items);
}

}  // namespace

TEST(MenuTemplate, OnePopupWithOneCommand) {
    std::vector<MenuTemplateItem> items;
    ASSERT_TRUE(Parse(OnePopupMenu().Bytes(), items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].flags, kMenuTemplatePopup);
    EXPECT_EQ(items[0].text, u"Menu");
    EXPECT_EQ(items[0].levelsClosed, 0);
    EXPECT_EQ(items[1].flags, 0);
    EXPECT_EQ(items[1].command, 32771);
    EXPECT_EQ(items[1].text, u"\u521b\u5efa");
    // Closes the pop-up and the menu bar that holds it.
    EXPECT_EQ(items[1].levelsClosed, 2);
}

TEST(MenuTemplate, NestingSeparatorsAndFlags) {
    TemplateWriter w;
    w.Popup(u"&File")
        .Item(1, u"&Open\tCtrl+O", kChecked)
        .Item(0, u"")  // separator
        .Popup(u"Recent", kGrayed)
        .Item(2, u"a.txt")
        .Item(3, u"b.txt", kMenuTemplateEnd)
        .Item(4, u"E&xit", kMenuTemplateEnd)
        .Popup(u"&Help", kMenuTemplateEnd)
        .Item(5, u"&About", kMenuTemplateEnd);
    std::vector<MenuTemplateItem> items;
    ASSERT_TRUE(Parse(w.Bytes(), items));

    struct Expected {
        uint16_t flags;
        uint16_t command;
        std::u16string text;
        int levelsClosed;
    };
    const Expected expected[] = {
        {kMenuTemplatePopup, 0, u"&File", 0},
        {kChecked, 1, u"&Open\tCtrl+O", 0},
        {0, 0, u"", 0},
        {kMenuTemplatePopup | kGrayed, 0, u"Recent", 0},
        {0, 2, u"a.txt", 0},
        {0, 3, u"b.txt", 1},  // Recent
        {0, 4, u"E&xit", 1},  // File
        {kMenuTemplatePopup, 0, u"&Help", 0},
        {0, 5, u"&About", 2},  // Help and the bar
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].flags, expected[i].flags) << i;
        EXPECT_EQ(items[i].command, expected[i].command) << i;
        EXPECT_EQ(items[i].text, expected[i].text) << i;
        EXPECT_EQ(items[i].levelsClosed, expected[i].levelsClosed) << i;
    }
}

TEST(MenuTemplate, EndedPopupClosesItsParentWithItsLastItem) {
    // A pop-up that is the last item of a pop-up: its own last item closes
    // three levels at once.
    TemplateWriter w;
    w.Popup(u"Outer", kMenuTemplateEnd).Popup(u"Inner", kMenuTemplateEnd).Item(7, u"x", kMenuTemplateEnd);
    std::vector<MenuTemplateItem> items;
    ASSERT_TRUE(Parse(w.Bytes(), items));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].levelsClosed, 3);
}

TEST(MenuTemplate, HeaderOffsetAndTrailingBytes) {
    TemplateWriter w(0, 6);
    w.Item(9, u"Only", kMenuTemplateEnd);
    std::vector<uint8_t> bytes = w.Bytes();
    // Whatever follows the closed outermost level is not part of the menu.
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0x01});
    std::vector<MenuTemplateItem> items;
    ASSERT_TRUE(Parse(bytes, items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].command, 9);
    EXPECT_EQ(items[0].text, u"Only");
    EXPECT_EQ(items[0].levelsClosed, 1);
}

TEST(MenuTemplate, EveryTruncationIsRefusedWithNothingKept) {
    TemplateWriter w;
    w.Popup(u"&File").Item(1, u"&Open").Popup(u"Sub", kMenuTemplateEnd).Item(2, u"x", kMenuTemplateEnd)
        .Popup(u"&Edit", kMenuTemplateEnd).Item(3, u"&Copy", kMenuTemplateEnd);
    const std::vector<uint8_t>& bytes = w.Bytes();
    std::vector<MenuTemplateItem> items;
    for (size_t size = 0; size < bytes.size(); ++size) {
        items.assign(1, MenuTemplateItem{});
        EXPECT_FALSE(ParsePrefix(bytes, size, items)) << size;
        EXPECT_TRUE(items.empty()) << size;
    }
    EXPECT_TRUE(ParsePrefix(bytes, bytes.size(), items));
    EXPECT_EQ(items.size(), 6u);
}

TEST(MenuTemplate, MalformedTemplatesAreRefused) {
    std::vector<MenuTemplateItem> items;

    // No end mark on the outermost level: the items run out.
    TemplateWriter unended;
    unended.Item(1, u"a").Item(2, u"b");
    EXPECT_FALSE(Parse(unended.Bytes(), items));

    // A pop-up whose level is never closed.
    TemplateWriter openPopup;
    openPopup.Popup(u"P", kMenuTemplateEnd).Item(1, u"a");
    EXPECT_FALSE(Parse(openPopup.Bytes(), items));

    // A text without its terminating NUL.
    std::vector<uint8_t> unterminated = TemplateWriter().Item(1, u"abc", kMenuTemplateEnd).Bytes();
    unterminated.resize(unterminated.size() - 2);
    EXPECT_FALSE(Parse(unterminated, items));

    // An odd byte where a word should be.
    std::vector<uint8_t> oddByte = TemplateWriter().Bytes();
    oddByte.push_back(0x80);
    EXPECT_FALSE(Parse(oddByte, items));

    // The header's offset points past the end.
    std::vector<uint8_t> farOffset = TemplateWriter().Item(1, u"a", kMenuTemplateEnd).Bytes();
    farOffset[2] = 0xFF;
    EXPECT_FALSE(Parse(farOffset, items));

    // An extended template has another item layout.
    EXPECT_FALSE(Parse(TemplateWriter(1, 4).Item(1, u"a", kMenuTemplateEnd).Bytes(), items));

    EXPECT_FALSE(ParseMenuTemplate(nullptr, 0, items));
    EXPECT_TRUE(items.empty());
}

TEST(MenuTemplate, DeepNestingIsReadWithoutRecursion) {
    TemplateWriter w;
    const int depth = 20000;
    for (int i = 0; i < depth; ++i) w.Popup(u"p", kMenuTemplateEnd);
    w.Item(1, u"leaf", kMenuTemplateEnd);
    std::vector<MenuTemplateItem> items;
    ASSERT_TRUE(Parse(w.Bytes(), items));
    EXPECT_EQ(items.back().levelsClosed, depth + 1);
}
