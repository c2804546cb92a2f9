#include "NxChannelAnswerReader.h"

#include "NxChannelJson.h"

#include <QDebug>
#include <QJsonDocument>
#include <QStringList>

#include <rapidjson/document.h>
#include <rapidjson/reader.h>

#include <climits>
#include <cmath>
#include <cstring>

namespace {

using Value = rapidjson::Value;

// QJsonDocument's own limit: deeper documents are refused.
constexpr int kMaxDepth = 1024;

// Iterative: a deeply nested answer cannot exhaust the stack. Numbers come
// as text and are converted by Qt's own conversion, so they round as
// QJsonDocument rounds them (RapidJSON 1.1's full-precision conversion also
// computes garbage from a zero significand such as 0e302).
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag
    | rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseStopWhenDoneFlag;

// What QJsonValue::toInt(0) gives for a value.
int toInt(const Value* value)
{
    if (!value || !value->IsNumber())
        return 0;
    if (value->IsInt())
        return value->GetInt();
    if (!value->IsDouble())
        return 0; // a 64-bit integer beyond int
    const double number = value->GetDouble();
    return number >= INT_MIN && number <= INT_MAX && number == std::trunc(number) ? int(number) : 0;
}

// Values every channel carries ("web", "small", "1", ...): shared rather
// than allocated thousands of times.
const QString* commonWord(const char* text, int length)
{
    static const QStringList words = {QString(""), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("small"),
                                      QStringLiteral("middle"), QStringLiteral("large"), QStringLiteral("video"),
                                      QStringLiteral("web"), QStringLiteral("live")};
    if (length > 6)
        return nullptr;
    for (const QString& word : words) {
        if (word.size() == length && QLatin1String(text, length) == word)
            return &word;
    }
    return nullptr;
}

// A RapidJSON object as the tree reader sees one (see NxChannelJson). A key
// the reader needs that stands twice in one object sets `ambiguous`:
// QJsonDocument keeps the last of them in small objects but not always in
// larger ones, so such an answer is left to it.
class RapidObject
{
public:
    RapidObject(const Value* value, bool* ambiguous)
        : m_value(value && value->IsObject() ? value : nullptr)
        , m_ambiguous(ambiguous)
    {
    }

    bool has(QLatin1String key) const { return find(key); }
    int number(QLatin1String key) const { return toInt(find(key)); }
    RapidObject object(QLatin1String key) const { return RapidObject(find(key), m_ambiguous); }

    QString text(QLatin1String key) const
    {
        const Value* value = find(key);
        if (!value || !value->IsString())
            return QString();
        const int length = int(value->GetStringLength());
        if (const QString* word = commonWord(value->GetString(), length))
            return *word;
        return QString::fromUtf8(value->GetString(), length);
    }

    template <class F>
    void forEach(QLatin1String key, F&& f) const
    {
        const Value* value = find(key);
        if (!value || !value->IsArray())
            return;
        for (const Value& element : value->GetArray())
            f(RapidObject(&element, m_ambiguous));
    }

private:
    const Value* find(QLatin1String key) const
    {
        if (!m_value)
            return nullptr;
        const auto size = rapidjson::SizeType(key.size());
        const Value* found = nullptr;
        for (const auto& member : m_value->GetObject()) {
            if (member.name.GetStringLength() != size || std::memcmp(member.name.GetString(), key.data(), size) != 0)
                continue;
            if (found)
                *m_ambiguous = true;
            found = &member.value;
        }
        return found;
    }

    const Value* m_value;
    bool* m_ambiguous;
};

// Builds the document from RapidJSON's events, refusing what QJsonDocument
// could read otherwise: nesting beyond its limit; a number that reads as
// zero with a fraction or exponent (1e-400 underflows, which QJsonDocument
// refuses); an escaped lone surrogate, which RapidJSON writes as bytes that
// are not UTF-8 while QJsonDocument keeps the code unit.
class QtFaithfulHandler
{
public:
    QtFaithfulHandler(rapidjson::Document& document, bool mayEscapeSurrogates)
        : m_document(document)
        , m_checkStrings(mayEscapeSurrogates)
    {
    }

    bool Null() { return m_document.Null(); }
    bool Bool(bool b) { return m_document.Bool(b); }
    bool Int(int i) { return m_document.Int(i); }
    bool Uint(unsigned u) { return m_document.Uint(u); }
    bool Int64(int64_t i) { return m_document.Int64(i); }
    bool Uint64(uint64_t u) { return m_document.Uint64(u); }
    bool Double(double d) { return d != 0 && m_document.Double(d); }
    // As QJsonDocument reads a number: an integer that fits 64 bits stays
    // one, anything else becomes a double.
    bool RawNumber(const char* s, rapidjson::SizeType length, bool)
    {
        const QByteArray text = QByteArray::fromRawData(s, int(length));
        bool ok = false;
        if (!std::memchr(s, '.', length) && !std::memchr(s, 'e', length) && !std::memchr(s, 'E', length)) {
            const qlonglong integer = text.toLongLong(&ok);
            if (ok)
                return Int64(integer);
        }
        const double number = text.toDouble(&ok);
        return ok && std::isfinite(number) && Double(number);
    }
    bool String(const char* s, rapidjson::SizeType length, bool copy)
    {
        return isUtf8(s, length) && m_document.String(s, length, copy);
    }
    bool Key(const char* s, rapidjson::SizeType length, bool copy)
    {
        return isUtf8(s, length) && m_document.Key(s, length, copy);
    }
    bool StartObject() { return ++m_depth <= kMaxDepth && m_document.StartObject(); }
    bool EndObject(rapidjson::SizeType members)
    {
        --m_depth;
        return m_document.EndObject(members);
    }
    bool StartArray() { return ++m_depth <= kMaxDepth && m_document.StartArray(); }
    bool EndArray(rapidjson::SizeType elements)
    {
        --m_depth;
        return m_document.EndArray(elements);
    }

private:
    // The input is validated, so only an escaped surrogate gives 0xED 0xA0-0xBF.
    bool isUtf8(const char* s, rapidjson::SizeType length) const
    {
        if (!m_checkStrings)
            return true;
        const char* end = s + length;
        for (const char* p = s; (p = static_cast<const char*>(std::memchr(p, 0xED, size_t(end - p)))); ++p) {
            if (p + 1 < end && static_cast<unsigned char>(p[1]) >= 0xA0)
                return false;
        }
        return true;
    }

    rapidjson::Document& m_document;
    const bool m_checkStrings;
    int m_depth = 0;
};

// Whether some "\\uD800" to "\\uDFFF" may stand in the text (an escaped
// backslash before "uD8" gives a false alarm, which only costs time).
bool escapesSurrogates(const QByteArray& data)
{
    const char* end = data.constData() + data.size();
    for (const char* p = data.constData(); (p = static_cast<const char*>(std::memchr(p, '\\', size_t(end - p)))); ++p) {
        if (end - p < 4 || p[1] != 'u' || (p[2] | 0x20) != 'd')
            continue;
        const char third = char(p[3] | 0x20);
        if (third == '8' || third == '9' || (third >= 'a' && third <= 'f'))
            return true;
    }
    return false;
}

bool onlySpaceFrom(const QByteArray& data, size_t offset)
{
    for (auto i = offset; i < size_t(data.size()); ++i) {
        const char c = data.at(int(i));
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

} // namespace

NxCloudAnswers::Channels NxChannelAnswerReader::read(const QByteArray& data)
{
    NxCloudAnswers::Channels answer;
    if (!readFast(data, answer))
        answer = NxChannelJson::answer(QJsonDocument::fromJson(data).object());
    return answer;
}

bool NxChannelAnswerReader::readFast(const QByteArray& data, NxCloudAnswers::Channels& answer)
{
    if (data.isEmpty())
        return false; // a failed exchange
    // Parsed in place: the strings stay in this copy instead of being copied one by one.
    // RapidJSON's UTF-8 check takes a cut-off sequence's missing bytes even past
    // the terminating NUL: three more NULs keep those reads inside the copy.
    QByteArray text(data.constData(), data.size());
    text.append(3, '\0');
    rapidjson::Document document;
    rapidjson::InsituStringStream stream(text.data());
    const bool mayEscapeSurrogates = escapesSurrogates(data);
    rapidjson::ParseResult result;
    auto parse = [&](rapidjson::Document& target) {
        rapidjson::Reader reader;
        QtFaithfulHandler handler(target, mayEscapeSurrogates);
        result = reader.Parse<kParseFlags | rapidjson::kParseInsituFlag>(stream, handler);
        return !result.IsError();
    };
    document.Populate(parse);
    // A NUL byte ends RapidJSON's stream early; what follows the root must be space.
    if (result.IsError() || !onlySpaceFrom(data, stream.Tell())) {
        qDebug() << "NxChannelAnswerReader::readFast" << "left to QJsonDocument, error" << result.Code() << "at"
                 << (result.IsError() ? result.Offset() : stream.Tell()) << "of" << data.size();
        return false;
    }
    bool ambiguous = false;
    NxCloudAnswers::Channels read = NxChannelJson::answer(RapidObject(&document, &ambiguous));
    if (ambiguous) {
        qDebug() << "NxChannelAnswerReader::readFast" << "left to QJsonDocument, a key given twice";
        return false;
    }
    answer = read;
    return true;
}
