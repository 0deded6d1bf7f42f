#include "history/historydocument.h"

#include "common/jsonstructure.h"
#include "common/slicedwork.h"

#include <QByteArrayView>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QVarLengthArray>

#include <atomic>
#include <cstring>
#include <limits>

namespace {

// Deep enough for any history document; deeper ones go to QJsonDocument, which has its own limit.
const int MaxDepth = 256;

// Fewer clippings than this are not worth a thread of their own.
const qsizetype ClippingsPerSlice = 1024;

// Texts of one slice of clippings, by their bytes in the document: a history holds few applications.
using KnownTexts = QHash<QByteArrayView, QString>;

// The quick reader accepts a subset of JSON and reads it exactly as QJsonDocument does. Whatever
// lies outside the subset (fractions, exponents, big numbers, control characters, unusual escapes,
// doubtful UTF-8, duplicate members, a byte-order mark, a member of the wrong type) makes it give
// up, never guess.
class FastReader
{
public:
    FastReader(const QByteArray &data)
        : FastReader(data.constData(), data.constData() + data.size())
    {
    }
    FastReader(const char *begin, const char *end)
        : m_it(begin)
        , m_end(end)
    {
    }

    bool readDocument(HistoryDocument *document);
    bool readFirstPage(qsizetype count, HistoryDocument *document);

private:
    enum Field { Application, Brief, Changed, FileName, Html, Id, Locked, Pinned, Removed, Text, Time, Type, Unknown };

    void skipSpace()
    {
        while (m_it != m_end && (*m_it == ' ' || *m_it == '\n' || *m_it == '\r' || *m_it == '\t'))
            ++m_it;
    }
    bool expect(char c)
    {
        skipSpace();
        if (m_it == m_end || *m_it != c)
            return false;
        ++m_it;
        return true;
    }
    bool peek(char c)
    {
        skipSpace();
        return m_it != m_end && *m_it == c;
    }

    // raw, when given, is what lies between the quotes, as it stands in the document.
    bool readString(QString *out, QByteArrayView *raw = nullptr);
    // Reads a string whose bytes are exactly earlier's (the bytes of a string read before) as that
    // string, sharing its data; false, reading nothing, when they differ.
    bool readSameString(QByteArrayView earlier, const QString &earlierText, QString *out);
    bool readKnownString(KnownTexts *known, QString *out);
    // A member name: plain ASCII names are compared without building a string.
    bool readKey(QByteArray *key);
    // A number in the subset (an integer of at most 15 digits); false for anything else.
    bool readNumber(int *out);
    bool readInt(int *out);
    bool readBool(bool *out);
    bool skipValue(int depth);
    bool readClipping(ClippingRecord *record, KnownTexts *applications);
    // One element of "clippings" that must fill [m_it, m_end) but for white space.
    bool readWholeClipping(ClippingRecord *record, KnownTexts *applications);
    // An object of texts by name, in document order.
    bool readTexts(QList<std::pair<QString, QString>> *texts);
    bool readClippings(HistoryDocument *document);
    // The members of the document object up to its end, those in seen already read.
    bool readMembers(HistoryDocument *document, uint seen);

    const char *m_it;
    const char *m_end;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool FastReader::readString(QString *out, QByteArrayView *raw)
{
    if (!expect('"'))
        return false;
    const char *start = m_it;
    while (m_it != m_end) {
        const uchar c = uchar(*m_it);
        if (c == '"') {
            if (out)
                *out = QString::fromLatin1(start, m_it - start);
            if (raw)
                *raw = QByteArrayView(start, m_it - start);
            ++m_it;
            return true;
        }
        if (c == '\\' || c >= 0x80 || c < 0x20)
            break;
        ++m_it;
    }
    if (m_it == m_end || uchar(*m_it) < 0x20)
        return false;

    // The slow part: escapes or non-ASCII text.
    QVarLengthArray<char16_t, 256> units;
    for (const char *c = start; c != m_it; ++c)
        units.append(char16_t(uchar(*c)));
    while (m_it != m_end) {
        const uchar c = uchar(*m_it);
        if (c == '"') {
            if (raw)
                *raw = QByteArrayView(start, m_it - start);
            ++m_it;
            if (out)
                *out = QString(reinterpret_cast<const QChar *>(units.constData()), units.size());
            return true;
        }
        if (c < 0x20)
            return false;
        if (c == '\\') {
            if (m_end - m_it < 2)
                return false;
            const char escape = m_it[1];
            m_it += 2;
            switch (escape) {
            case '"': units.append(u'"'); break;
            case '\\': units.append(u'\\'); break;
            case '/': units.append(u'/'); break;
            case 'b': units.append(u'\b'); break;
            case 'f': units.append(u'\f'); break;
            case 'n': units.append(u'\n'); break;
            case 'r': units.append(u'\r'); break;
            case 't': units.append(u'\t'); break;
            case 'u': {
                if (m_end - m_it < 4)
                    return false;
                int value = 0;
                for (int i = 0; i < 4; ++i) {
                    const int digit = hexValue(m_it[i]);
                    if (digit < 0)
                        return false;
                    value = value * 16 + digit;
                }
                m_it += 4;
                units.append(char16_t(value));
                break;
            }
            default:
                return false;
            }
            continue;
        }
        if (c < 0x80) {
            units.append(char16_t(c));
            ++m_it;
            continue;
        }
        // Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if ((c & 0xe0) == 0xc0) {
            length = 2;
            code = c & 0x1f;
            minimum = 0x80;
        } else if ((c & 0xf0) == 0xe0) {
            length = 3;
            code = c & 0x0f;
            minimum = 0x800;
        } else if ((c & 0xf8) == 0xf0) {
            length = 4;
            code = c & 0x07;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (m_end - m_it < length)
            return false;
        for (int i = 1; i < length; ++i) {
            const uchar next = uchar(m_it[i]);
            if ((next & 0xc0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3f);
        }
        if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        m_it += length;
        if (code >= 0x10000) {
            units.append(char16_t(0xd800 + ((code - 0x10000) >> 10)));
            units.append(char16_t(0xdc00 + ((code - 0x10000) & 0x3ff)));
        } else {
            units.append(char16_t(code));
        }
    }
    return false;
}

bool FastReader::readSameString(QByteArrayView earlier, const QString &earlierText, QString *out)
{
    // The earlier bytes were a whole string, so they cannot end inside an escape: the same bytes
    // followed by a quote are the same string.
    skipSpace();
    const qsizetype size = earlier.size();
    if (earlier.isNull() || m_end - m_it < size + 2 || *m_it != '"' || m_it[size + 1] != '"'
        || std::memcmp(m_it + 1, earlier.data(), size_t(size)) != 0)
        return false;
    m_it += size + 2;
    *out = earlierText;
    return true;
}

bool FastReader::readKnownString(KnownTexts *known, QString *out)
{
    QByteArrayView raw;
    const char *start = m_it;
    if (!readString(nullptr, &raw))
        return false;
    const auto found = known->constFind(raw);
    if (found != known->constEnd()) {
        *out = *found;
        return true;
    }
    m_it = start;
    if (!readString(out))
        return false;
    known->insert(raw, *out);
    return true;
}

bool FastReader::readKey(QByteArray *key)
{
    if (!expect('"'))
        return false;
    const char *start = m_it;
    while (m_it != m_end && *m_it != '"') {
        const uchar c = uchar(*m_it);
        // Escaped or non-ASCII names are left to the general reader.
        if (c == '\\' || c >= 0x80 || c < 0x20)
            return false;
        ++m_it;
    }
    if (m_it == m_end)
        return false;
    *key = QByteArray::fromRawData(start, m_it - start);
    ++m_it;
    return expect(':');
}

bool FastReader::readNumber(int *out)
{
    skipSpace();
    const char *start = m_it;
    if (m_it != m_end && *m_it == '-')
        ++m_it;
    const char *digits = m_it;
    while (m_it != m_end && *m_it >= '0' && *m_it <= '9')
        ++m_it;
    const qsizetype count = m_it - digits;
    if (count == 0 || count > 15 || (count > 1 && *digits == '0'))
        return false;
    if (m_it != m_end && (*m_it == '.' || *m_it == 'e' || *m_it == 'E'))
        return false;
    const qint64 value = QByteArray::fromRawData(start, m_it - start).toLongLong();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    *out = int(value);
    return true;
}

bool FastReader::readInt(int *out)
{
    skipSpace();
    if (m_it == m_end)
        return false;
    // Anything but a number is left to the general reader, which rejects it.
    return (*m_it == '-' || (*m_it >= '0' && *m_it <= '9')) && readNumber(out);
}

bool FastReader::readBool(bool *out)
{
    skipSpace();
    if (m_end - m_it >= 4 && std::memcmp(m_it, "true", 4) == 0) {
        m_it += 4;
        *out = true;
        return true;
    }
    if (m_end - m_it >= 5 && std::memcmp(m_it, "false", 5) == 0) {
        m_it += 5;
        *out = false;
        return true;
    }
    return false;
}

bool FastReader::skipValue(int depth)
{
    if (depth > MaxDepth)
        return false;
    skipSpace();
    if (m_it == m_end)
        return false;
    switch (*m_it) {
    case '"':
        return readString(nullptr);
    case '{': {
        ++m_it;
        if (peek('}')) {
            ++m_it;
            return true;
        }
        QList<QString> names;
        for (;;) {
            QString name;
            if (!readString(&name) || !expect(':') || !skipValue(depth + 1))
                return false;
            // Which of two equal names wins is the general reader's business.
            if (names.contains(name))
                return false;
            names.append(name);
            if (peek(',')) {
                ++m_it;
                continue;
            }
            return expect('}');
        }
    }
    case '[': {
        ++m_it;
        if (peek(']')) {
            ++m_it;
            return true;
        }
        for (;;) {
            if (!skipValue(depth + 1))
                return false;
            if (peek(',')) {
                ++m_it;
                continue;
            }
            return expect(']');
        }
    }
    case 't':
        if (m_end - m_it >= 4 && std::memcmp(m_it, "true", 4) == 0) {
            m_it += 4;
            return true;
        }
        return false;
    case 'f':
        if (m_end - m_it >= 5 && std::memcmp(m_it, "false", 5) == 0) {
            m_it += 5;
            return true;
        }
        return false;
    case 'n':
        if (m_end - m_it >= 4 && std::memcmp(m_it, "null", 4) == 0) {
            m_it += 4;
            return true;
        }
        return false;
    default: {
        int ignored = 0;
        return readNumber(&ignored);
    }
    }
}

bool FastReader::readClipping(ClippingRecord *record, KnownTexts *applications)
{
    skipSpace();
    if (m_it == m_end)
        return false;
    if (*m_it != '{')
        return false;
    ++m_it;
    if (peek('}')) {
        ++m_it;
        return true;
    }
    uint seen = 0;
    // Most briefs are their text.
    QByteArrayView briefRaw;
    QByteArrayView textRaw;
    for (;;) {
        QByteArray key;
        if (!readKey(&key))
            return false;
        Field field = Unknown;
        switch (key.size()) {
        case 2: field = key == "id" ? Id : Unknown; break;
        case 4:
            field = key == "html" ? Html : key == "text" ? Text : key == "time" ? Time : key == "type" ? Type : Unknown;
            break;
        case 5: field = key == "brief" ? Brief : Unknown; break;
        case 6: field = key == "locked" ? Locked : key == "pinned" ? Pinned : Unknown; break;
        case 7: field = key == "removed" ? Removed : key == "changed" ? Changed : Unknown; break;
        case 8: field = key == "filename" ? FileName : Unknown; break;
        case 11: field = key == "application" ? Application : Unknown; break;
        default: break;
        }
        if (field != Unknown) {
            if (seen & (1u << field))
                return false;
            seen |= 1u << field;
        }
        QString *text = nullptr;
        switch (field) {
        case Application: text = &record->application; break;
        case Brief: text = &record->brief; break;
        case Changed: text = &record->changed; break;
        case FileName: text = &record->fileName; break;
        case Html: text = &record->html; break;
        case Id: text = &record->id; break;
        case Text: text = &record->text; break;
        case Time: text = &record->time; break;
        default: break;
        }
        bool ok = true;
        if (field == Brief)
            ok = readSameString(textRaw, record->text, text) || readString(text, &briefRaw);
        else if (field == Text)
            ok = readSameString(briefRaw, record->brief, text) || readString(text, &textRaw);
        else if (field == Application)
            ok = readKnownString(applications, text);
        else if (text)
            ok = readString(text);
        else if (field == Locked)
            ok = readBool(&record->locked);
        else if (field == Pinned)
            ok = readBool(&record->pinned);
        else if (field == Removed)
            ok = readBool(&record->removed);
        else if (field == Type)
            ok = readInt(&record->type);
        else
            ok = skipValue(1);
        if (!ok)
            return false;
        if (peek(',')) {
            ++m_it;
            continue;
        }
        return expect('}');
    }
}

bool FastReader::readWholeClipping(ClippingRecord *record, KnownTexts *applications)
{
    if (!readClipping(record, applications))
        return false;
    skipSpace();
    return m_it == m_end;
}

// The separators of the array that begins at it: the opening bracket, the comma between each two
// elements and the closing bracket, found by quotes and brackets alone. Nothing else is checked
// here; the readers of the elements check everything, so a document that is not JSON fails there.
bool findSeparators(const char *it, const char *end, QList<const char *> *separators)
{
    separators->append(it++);
    int depth = 0;
    for (; it != end; ++it) {
        switch (*it) {
        case '"':
            // Most of a document is string contents: jump from quote to quote, and count the
            // backslashes before each one to see whether it closes the string.
            for (;;) {
                const void *quote = std::memchr(it + 1, '"', size_t(end - it - 1));
                if (!quote)
                    return false;
                it = static_cast<const char *>(quote);
                const char *escape = it;
                while (*(escape - 1) == '\\')
                    --escape;
                if ((it - escape) % 2 == 0)
                    break;
            }
            break;
        case '[':
        case '{':
            if (++depth > MaxDepth)
                return false;
            break;
        case '}':
            if (--depth < 0)
                return false;
            break;
        case ']':
            if (depth == 0) {
                separators->append(it);
                return true;
            }
            --depth;
            break;
        case ',':
            if (depth == 0)
                separators->append(it);
            break;
        default:
            break;
        }
    }
    return false;
}

bool FastReader::readClippings(HistoryDocument *document)
{
    skipSpace();
    if (m_it == m_end)
        return false;
    if (*m_it != '[')
        return false;
    const char *open = m_it++;
    if (peek(']')) {
        ++m_it;
        return true;
    }
    // Slices of a long history are read side by side; every element is read exactly as it would
    // be in one pass.
    QList<const char *> separators;
    if (!findSeparators(open, m_end, &separators))
        return false;
    const qsizetype count = separators.size() - 1;
    document->clippings.resize(count);
    ClippingRecord *records = document->clippings.data();
    std::atomic<bool> ok = true;
    SlicedWork::run(count, ClippingsPerSlice, [&](qsizetype begin, qsizetype end) {
        KnownTexts applications;
        for (qsizetype i = begin; i < end && ok; ++i) {
            FastReader element(separators[i] + 1, separators[i + 1]);
            if (!element.readWholeClipping(records + i, &applications))
                ok = false;
        }
    });
    if (!ok)
        return false;
    m_it = separators.last() + 1;
    return true;
}

bool FastReader::readTexts(QList<std::pair<QString, QString>> *texts)
{
    skipSpace();
    if (m_it == m_end)
        return false;
    if (*m_it != '{')
        return false;
    ++m_it;
    if (peek('}')) {
        ++m_it;
        return true;
    }
    QSet<QString> names;
    for (;;) {
        QString name;
        if (!readString(&name) || !expect(':'))
            return false;
        if (names.contains(name))
            return false;
        names.insert(name);
        QString text;
        if (!readString(&text))
            return false;
        texts->append({name, text.isNull() ? QString("") : text});
        if (peek(',')) {
            ++m_it;
            continue;
        }
        return expect('}');
    }
}

bool FastReader::readMembers(HistoryDocument *document, uint seen)
{
    for (;;) {
        QByteArray key;
        if (!readKey(&key))
            return false;
        int index = -1;
        if (key == "clippings")
            index = 0;
        else if (key == "icons")
            index = 1;
        else if (key == "magic")
            index = 2;
        else if (key == "version")
            index = 3;
        else if (key == "removedItems")
            index = 4;
        if (index >= 0) {
            if (seen & (1u << index))
                return false;
            seen |= 1u << index;
        }
        bool ok = false;
        switch (index) {
        case 0: ok = readClippings(document); break;
        case 1: ok = readTexts(&document->icons); break;
        case 2: ok = readInt(&document->magic); break;
        case 3: ok = readInt(&document->version); break;
        case 4: ok = readTexts(&document->removals); break;
        default: ok = skipValue(1); break;
        }
        if (!ok)
            return false;
        if (peek(',')) {
            ++m_it;
            continue;
        }
        if (!expect('}'))
            return false;
        skipSpace();
        return m_it == m_end;
    }
}

bool FastReader::readDocument(HistoryDocument *document)
{
    if (!expect('{'))
        return false;
    if (!peek('}'))
        return readMembers(document, 0);
    ++m_it;
    skipSpace();
    return m_it == m_end;
}

} // namespace

bool FastReader::readFirstPage(qsizetype count, HistoryDocument *document)
{
    // The writer starts with the clippings, newest first, and puts the icons right after them.
    const char *begin = m_it;
    QByteArray key;
    if (!expect('{') || !readKey(&key) || key != "clippings" || !expect('['))
        return false;
    KnownTexts applications;
    if (peek(']'))
        count = 0;
    while (document->clippings.size() < count) {
        ClippingRecord record;
        if (!readClipping(&record, &applications))
            return false;
        document->clippings.append(std::move(record));
        if (!peek(','))
            break;
        ++m_it;
    }
    // A quote outside a string always stands for itself, so the last "],\"icons\":" is where the
    // clippings end. What follows is read whole: a document cut short, or one of another kind or a
    // newer version, is known before any of it is shown.
    static const QByteArrayView iconsAfterClippings = "],\"icons\":";
    const QByteArrayView whole(begin, m_end - begin);
    const qsizetype icons = whole.lastIndexOf(iconsAfterClippings);
    if (icons < 0)
        return false;
    m_it = begin + icons + 2;
    return readMembers(document, 1u);
}

namespace HistoryDocumentReader {

bool readFirstPage(const QByteArray &data, qsizetype count, HistoryDocument *document)
{
    *document = HistoryDocument();
    FastReader reader(data);
    if (reader.readFirstPage(count, document))
        return true;
    *document = HistoryDocument();
    return false;
}

bool readFast(const QByteArray &data, HistoryDocument *document)
{
    *document = HistoryDocument();
    FastReader reader(data);
    if (reader.readDocument(document))
        return true;
    *document = HistoryDocument();
    return false;
}

bool readGeneral(const QByteArray &data, HistoryDocument *document, QString *error)
{
    *document = HistoryDocument();
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = parseError.errorString();
        return false;
    }
    JsonStructure check(error);
    if (!parsed.isObject())
        return check.wrong("the document is not an object");
    const QJsonObject object = parsed.object();
    if (!check.integer(object, "version", &document->version) || !check.integer(object, "magic", &document->magic))
        return false;
    const QJsonValue icons = object.value("icons");
    if (!check.isA(icons, QJsonValue::Object, "\"icons\""))
        return false;
    const QJsonObject iconObject = icons.toObject();
    for (auto it = iconObject.constBegin(); it != iconObject.constEnd(); ++it) {
        if (!check.isA(it.value(), QJsonValue::String, "an icon"))
            return false;
        document->icons.append({it.key(), it.value().toString()});
    }
    const QJsonValue removals = object.value("removedItems");
    if (!check.isA(removals, QJsonValue::Object, "\"removedItems\""))
        return false;
    const QJsonObject removalObject = removals.toObject();
    for (auto it = removalObject.constBegin(); it != removalObject.constEnd(); ++it) {
        if (!check.isA(it.value(), QJsonValue::String, "a removal time"))
            return false;
        document->removals.append({it.key(), it.value().toString()});
    }
    const QJsonValue clippings = object.value("clippings");
    if (!check.isA(clippings, QJsonValue::Array, "\"clippings\""))
        return false;
    const QJsonArray clippingArray = clippings.toArray();
    document->clippings.reserve(clippingArray.size());
    for (const QJsonValue &value : clippingArray) {
        if (!check.isA(value, QJsonValue::Object, "a clipping"))
            return false;
        const QJsonObject clipping = value.toObject();
        ClippingRecord record;
        if (!check.text(clipping, "application", &record.application) || !check.text(clipping, "brief", &record.brief)
            || !check.text(clipping, "changed", &record.changed) || !check.text(clipping, "filename", &record.fileName)
            || !check.text(clipping, "html", &record.html)
            || !check.text(clipping, "id", &record.id) || !check.text(clipping, "text", &record.text)
            || !check.text(clipping, "time", &record.time) || !check.integer(clipping, "type", &record.type)
            || !check.flag(clipping, "locked", &record.locked) || !check.flag(clipping, "pinned", &record.pinned)
            || !check.flag(clipping, "removed", &record.removed)) {
            *document = HistoryDocument();
            return false;
        }
        document->clippings.append(std::move(record));
    }
    return true;
}

bool read(const QByteArray &data, HistoryDocument *document, QString *error)
{
    if (readFast(data, document))
        return true;
    return readGeneral(data, document, error);
}

} // namespace HistoryDocumentReader
