#include "common/compactjson.h"

namespace {

char hexDigit(uint value)
{
    return "0123456789abcdef"[value & 0xf];
}

void appendUnicodeEscape(QByteArray &out, char16_t unit)
{
    const char escape[6] = {'\\', 'u', hexDigit(unit >> 12), hexDigit(unit >> 8), hexDigit(unit >> 4), hexDigit(unit)};
    out.append(escape, 6);
}

} // namespace

namespace CompactJson {

void appendString(QByteArray &out, QStringView text)
{
    out.append('"');
    const char16_t *it = text.utf16();
    const char16_t *const end = it + text.size();
    while (it != end) {
        // Copy a run of plain ASCII in one go.
        const char16_t *runEnd = it;
        while (runEnd != end && *runEnd >= 0x20 && *runEnd < 0x80 && *runEnd != '"' && *runEnd != '\\')
            ++runEnd;
        if (runEnd != it) {
            const qsizetype start = out.size();
            out.resize(start + (runEnd - it));
            char *dest = out.data() + start;
            for (const char16_t *c = it; c != runEnd; ++c)
                *dest++ = char(*c);
            it = runEnd;
            if (it == end)
                break;
        }

        const char16_t unit = *it++;
        if (unit < 0x80) {
            out.append('\\');
            switch (unit) {
            case '"': out.append('"'); break;
            case '\\': out.append('\\'); break;
            case '\b': out.append('b'); break;
            case '\f': out.append('f'); break;
            case '\n': out.append('n'); break;
            case '\r': out.append('r'); break;
            case '\t': out.append('t'); break;
            default:
                out.append("u00", 3);
                out.append(hexDigit(unit >> 4));
                out.append(hexDigit(unit));
            }
        } else if (unit < 0x800) {
            out.append(char(0xc0 | (unit >> 6)));
            out.append(char(0x80 | (unit & 0x3f)));
        } else if (unit >= 0xd800 && unit <= 0xdfff) {
            // A surrogate pair becomes one four-byte sequence; a lone surrogate has no UTF-8 form.
            if (unit <= 0xdbff && it != end && *it >= 0xdc00 && *it <= 0xdfff) {
                const char32_t code = 0x10000 + ((char32_t(unit) - 0xd800) << 10) + (char32_t(*it) - 0xdc00);
                ++it;
                out.append(char(0xf0 | (code >> 18)));
                out.append(char(0x80 | ((code >> 12) & 0x3f)));
                out.append(char(0x80 | ((code >> 6) & 0x3f)));
                out.append(char(0x80 | (code & 0x3f)));
            } else {
                appendUnicodeEscape(out, unit);
            }
        } else {
            out.append(char(0xe0 | (unit >> 12)));
            out.append(char(0x80 | ((unit >> 6) & 0x3f)));
            out.append(char(0x80 | (unit & 0x3f)));
        }
    }
    out.append('"');
}

qsizetype encodedSize(QStringView text)
{
    qsizetype size = 2;
    const char16_t *it = text.utf16();
    const char16_t *const end = it + text.size();
    while (it != end) {
        const char16_t unit = *it++;
        if (unit >= 0x20 && unit < 0x80) {
            size += unit == '"' || unit == '\\' ? 2 : 1;
        } else if (unit < 0x20) {
            size += unit == '\b' || unit == '\f' || unit == '\n' || unit == '\r' || unit == '\t' ? 2 : 6;
        } else if (unit < 0x800) {
            size += 2;
        } else if (unit < 0xd800 || unit > 0xdfff) {
            size += 3;
        } else if (unit <= 0xdbff && it != end && *it >= 0xdc00 && *it <= 0xdfff) {
            ++it;
            size += 4;
        } else {
            size += 6;
        }
    }
    return size;
}

} // namespace CompactJson
