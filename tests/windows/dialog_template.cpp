#include "dialog_template.h"

#include <cstring>
#include <cwctype>

namespace pantrel {
namespace {

// Reads little-endian fields in order, failing for good once a read runs past the end.
class TemplateReader {
public:
    explicit TemplateReader(std::span<const std::byte> bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }

    template <typename T>
    T Read() {
        T value{};
        if (m_ok && m_at + sizeof(T) <= m_bytes.size()) {
            std::memcpy(&value, m_bytes.data() + m_at, sizeof(T));
            m_at += sizeof(T);
        } else {
            m_ok = false;
        }
        return value;
    }

    std::wstring ReadText() {
        std::wstring text;
        for (wchar_t c = Read<wchar_t>(); m_ok && c != L'\0'; c = Read<wchar_t>()) {
            text.push_back(c);
        }
        return text;
    }

    NameOrOrdinal ReadNameOrOrdinal() {
        NameOrOrdinal field;
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            field.ordinal = Read<WORD>();
        } else if (first != 0) {
            field.name.push_back(static_cast<wchar_t>(first));
            field.name += ReadText();
        }
        return field;
    }

    void Skip(std::size_t count) {
        if (m_at + count <= m_bytes.size()) {
            m_at += count;
        } else {
            m_ok = false;
        }
    }

    void AlignToDword() { Skip((4 - m_at % 4) % 4); }

private:
    std::span<const std::byte> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

void ReadPlacement(TemplateReader& in, TemplateFrame& frame) {
    frame.x = in.Read<short>();
    frame.y = in.Read<short>();
    frame.cx = in.Read<short>();
    frame.cy = in.Read<short>();
}

DialogItem ReadItem(TemplateReader& in, bool extended) {
    in.AlignToDword();
    DialogItem item;
    if (extended) {
        in.Read<DWORD>();  // help context
        item.frame.exStyle = in.Read<DWORD>();
        item.frame.style = in.Read<DWORD>();
    } else {
        item.frame.style = in.Read<DWORD>();
        item.frame.exStyle = in.Read<DWORD>();
    }
    ReadPlacement(in, item.frame);
    item.id = extended ? in.Read<DWORD>() : in.Read<WORD>();
    item.windowClass = in.ReadNameOrOrdinal();
    item.text = in.ReadNameOrOrdinal();
    in.Skip(in.Read<WORD>());  // creation data
    return item;
}

bool EqualIgnoringCase(const std::wstring& a, const wchar_t* b) {
    const std::size_t length = std::wcslen(b);
    if (a.size() != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> bytes) {
    TemplateReader in(bytes);
    DialogTemplate dialog;
    const WORD version = in.Read<WORD>();
    const WORD signature = in.Read<WORD>();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (dialog.extended) {
        in.Read<DWORD>();  // help context
        dialog.frame.exStyle = in.Read<DWORD>();
        dialog.frame.style = in.Read<DWORD>();
    } else {
        dialog.frame.style = static_cast<DWORD>(version) | (static_cast<DWORD>(signature) << 16);
        dialog.frame.exStyle = in.Read<DWORD>();
    }
    const WORD count = in.Read<WORD>();
    ReadPlacement(in, dialog.frame);
    dialog.menu = in.ReadNameOrOrdinal();
    dialog.windowClass = in.ReadNameOrOrdinal();
    dialog.title = in.ReadText();
    if ((dialog.frame.style & DS_SETFONT) != 0) {
        dialog.pointSize = in.Read<WORD>();
        if (dialog.extended) {
            dialog.weight = in.Read<WORD>();
            dialog.italic = in.Read<BYTE>();
            dialog.charset = in.Read<BYTE>();
        }
        dialog.font = in.ReadText();
    }
    for (WORD i = 0; i < count && in.Ok(); ++i) {
        dialog.items.push_back(ReadItem(in, dialog.extended));
    }
    if (!in.Ok()) {
        return std::nullopt;
    }
    return dialog;
}

bool SameClass(const NameOrOrdinal& actual, std::optional<WORD> ordinal, const wchar_t* name) {
    if (actual.ordinal) {
        return actual.ordinal == ordinal;
    }
    return EqualIgnoringCase(actual.name, name);
}

}  // namespace pantrel
