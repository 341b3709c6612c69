#include "menu/MenuTemplate.h"

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Word(uint16_t& value) {
        if (m_size - m_pos < 2) return false;
        value = static_cast<uint16_t>(m_data[m_pos] | m_data[m_pos + 1] << 8);
        m_pos += 2;
        return true;
    }

    bool Skip(size_t bytes) {
        if (m_size - m_pos < bytes) return false;
        m_pos += bytes;
        return true;
    }

    bool Text(std::u16string& text) {
        for (uint16_t unit; Word(unit);) {
            if (unit == 0) return true;
            text.push_back(static_cast<char16_t>(unit));
        }
        return false;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

bool Parse(Reader& in, std::vector<MenuTemplateItem>& items) {
    uint16_t version, offset;
    if (!in.Word(version) || !in.Word(offset) || version != 0 || !in.Skip(offset)) return false;

    // One entry per open level: whether its last item has been read.
    std::vector<bool> ended{false};
    while (!ended.empty()) {
        MenuTemplateItem item;
        uint16_t flags;
        if (!in.Word(flags)) return false;
        item.flags = flags & ~kMenuTemplateEnd;
        if (!(flags & kMenuTemplatePopup) && !in.Word(item.command)) return false;
        if (!in.Text(item.text)) return false;

        if (flags & kMenuTemplateEnd) ended.back() = true;
        if (flags & kMenuTemplatePopup) {
            ended.push_back(false);
        } else {
            while (!ended.empty() && ended.back()) {
                ended.pop_back();
                ++item.levelsClosed;
            }
        }
        items.push_back(std::move(item));
    }
    return true;
}

}  // namespace

bool ParseMenuTemplate(const uint8_t* data, size_t size, std::vector<MenuTemplateItem>& items) {
    items.clear();
    Reader in(data, size);
    if (Parse(in, items)) return true;
    items.clear();
    return false;
}
