#include "tests/res/dialog_template.h"

#include <cstring>
#include <string>

namespace orvanta::test {
namespace {

// Reads little-endian fields in order and remembers whether it ran past the end.
class Cursor {
  public:
    explicit Cursor(std::span<const std::byte> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Read() {
        T value{};
        if (!Has(sizeof(T))) {
            return value;
        }
        std::memcpy(&value, bytes_.data() + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::u16string ReadText() {
        std::u16string text;
        for (char16_t unit = Read<char16_t>(); ok_ && unit != 0; unit = Read<char16_t>()) {
            text.push_back(unit);
        }
        return text;
    }

    // sz_Or_Ord: 0x0000 (none), 0xFFFF followed by an ordinal, or text.
    TemplateName ReadName() {
        TemplateName name;
        if (!Has(sizeof(char16_t))) {
            return name;
        }
        char16_t first;
        std::memcpy(&first, bytes_.data() + offset_, sizeof first);
        if (first == 0xFFFF) {
            offset_ += sizeof first;
            name.ordinal = Read<WORD>();
        } else {
            name.text = ReadText();
        }
        return name;
    }

    std::vector<std::byte> ReadBytes(size_t count) {
        if (!Has(count)) {
            return {};
        }
        std::vector<std::byte> out(bytes_.begin() + offset_, bytes_.begin() + offset_ + count);
        offset_ += count;
        return out;
    }

    void AlignToDword() { offset_ = (offset_ + 3) & ~size_t{3}; }

  private:
    bool Has(size_t count) {
        if (offset_ > bytes_.size() || bytes_.size() - offset_ < count) {
            ok_ = false;
        }
        return ok_;
    }

    std::span<const std::byte> bytes_;
    size_t offset_ = 0;
    bool ok_ = true;
};

DialogItem ReadItem(Cursor& in) {
    DialogItem item;
    in.AlignToDword();
    item.helpId = in.Read<DWORD>();
    item.exStyle = in.Read<DWORD>();
    item.style = in.Read<DWORD>();
    item.x = in.Read<short>();
    item.y = in.Read<short>();
    item.cx = in.Read<short>();
    item.cy = in.Read<short>();
    item.id = static_cast<int>(in.Read<DWORD>());
    item.windowClass = in.ReadName();
    item.title = in.ReadName();
    item.creationData = in.ReadBytes(in.Read<WORD>());
    return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplateEx(std::span<const std::byte> bytes) {
    Cursor in(bytes);
    const WORD version = in.Read<WORD>();
    const WORD signature = in.Read<WORD>();
    if (!in.ok() || version != 1 || signature != 0xFFFF) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    dialog.helpId = in.Read<DWORD>();
    dialog.exStyle = in.Read<DWORD>();
    dialog.style = in.Read<DWORD>();
    const WORD itemCount = in.Read<WORD>();
    dialog.x = in.Read<short>();
    dialog.y = in.Read<short>();
    dialog.cx = in.Read<short>();
    dialog.cy = in.Read<short>();
    dialog.menu = in.ReadName();
    dialog.windowClass = in.ReadName();
    dialog.title = in.ReadText();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = in.Read<WORD>();
        dialog.weight = in.Read<WORD>();
        dialog.italic = in.Read<BYTE>();
        dialog.charset = in.Read<BYTE>();
        dialog.typeface = in.ReadText();
    }
    for (WORD i = 0; i < itemCount && in.ok(); ++i) {
        dialog.items.push_back(ReadItem(in));
    }
    if (!in.ok()) {
        return std::nullopt;
    }
    return dialog;
}

std::u16string ClassNameOf(const TemplateName& windowClass) {
    switch (windowClass.ordinal) {
        case -1:
            return windowClass.text;
        case 0x80:
            return u"Button";
        case 0x81:
            return u"Edit";
        case 0x82:
            return u"Static";
        case 0x83:
            return u"ListBox";
        case 0x84:
            return u"ScrollBar";
        case 0x85:
            return u"ComboBox";
        default: {
            std::u16string name = u"#";
            for (char digit : std::to_string(windowClass.ordinal)) {
                name.push_back(static_cast<char16_t>(digit));
            }
            return name;
        }
    }
}

}  // namespace orvanta::test
