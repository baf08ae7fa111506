#include "imap/response.h"

namespace imap {

bool Value::isAtom(QByteArrayView name) const
{
    return type == Type::Atom && text.compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<quint32> Value::number() const
{
    if (type != Type::Atom || text.isEmpty() || text.size() > 10)
        return std::nullopt;
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    if (!ok || n > 0xFFFFFFFFull || text.front() == '+' || text.front() == '-')
        return std::nullopt;
    return quint32(n);
}

const Value *Value::field(QByteArrayView name) const
{
    for (qsizetype i = 0; i + 1 < items.size(); i += 2)
        if (items[i].isAtom(name))
            return &items[i + 1];
    return nullptr;
}

namespace {

constexpr int MaxDepth = 32; // lists within lists; BODYSTRUCTURE nests

// Reads values from a response's bytes, one after another.
class Tokens
{
public:
    explicit Tokens(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd()
    {
        skipSpaces();
        return m_at >= m_bytes.size();
    }
    QByteArrayView rest()
    {
        skipSpaces();
        return m_bytes.sliced(m_at);
    }
    bool take(char c)
    {
        skipSpaces();
        if (m_at < m_bytes.size() && m_bytes[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    // A word: up to a space or bracket; "BODY[...]<...>" is one word.
    QByteArray word()
    {
        skipSpaces();
        const qsizetype start = m_at;
        int square = 0;
        while (m_at < m_bytes.size()) {
            const char c = m_bytes[m_at];
            if (c == '[')
                ++square;
            else if (c == ']' && square > 0)
                --square;
            else if (square == 0 && (c == ' ' || c == '(' || c == ')' || c == ']' || c == '"' ||
                                     c == '{' || c == '\r' || c == '\n'))
                break;
            ++m_at;
        }
        return m_bytes.sliced(start, m_at - start).toByteArray();
    }
    std::optional<Value> value(int depth = 0)
    {
        skipSpaces();
        if (m_at >= m_bytes.size() || depth > MaxDepth)
            return std::nullopt;
        const char c = m_bytes[m_at];
        if (c == '(')
            return list(depth);
        if (c == '"')
            return quoted();
        if (c == '{')
            return literal();
        QByteArray text = word();
        if (text.isEmpty())
            return std::nullopt;
        if (text.compare("NIL", Qt::CaseInsensitive) == 0)
            return Value{};
        return Value{Value::Type::Atom, std::move(text), {}};
    }
    // Values up to the end, or up to `close` when given.
    std::optional<QList<Value>> values(char close = 0, int depth = 0)
    {
        QList<Value> items;
        while (!(close && take(close))) {
            if (atEnd())
                return close ? std::nullopt : std::optional(items);
            std::optional<Value> v = value(depth);
            if (!v)
                return std::nullopt;
            items.append(std::move(*v));
        }
        return items;
    }

private:
    void skipSpaces()
    {
        while (m_at < m_bytes.size() && m_bytes[m_at] == ' ')
            ++m_at;
    }
    std::optional<Value> list(int depth)
    {
        ++m_at;
        std::optional<QList<Value>> items = values(')', depth + 1);
        if (!items)
            return std::nullopt;
        return Value{Value::Type::List, {}, std::move(*items)};
    }
    std::optional<Value> quoted()
    {
        QByteArray text;
        for (++m_at; m_at < m_bytes.size(); ++m_at) {
            char c = m_bytes[m_at];
            if (c == '"') {
                ++m_at;
                return Value{Value::Type::String, std::move(text), {}};
            }
            if (c == '\\' && m_at + 1 < m_bytes.size())
                c = m_bytes[++m_at];
            if (c == '\r' || c == '\n')
                return std::nullopt;
            text.append(c);
        }
        return std::nullopt;
    }
    std::optional<Value> literal()
    {
        const qsizetype close = m_bytes.indexOf('}', m_at);
        if (close < 0 || close + 1 >= m_bytes.size() || m_bytes[close + 1] == ' ')
            return std::nullopt;
        QByteArrayView digits = m_bytes.sliced(m_at + 1, close - m_at - 1);
        if (digits.endsWith('+'))
            digits.chop(1);
        bool ok = false;
        const qlonglong size = digits.toLongLong(&ok);
        qsizetype start = close + 1;
        if (start < m_bytes.size() && m_bytes[start] == '\r')
            ++start;
        if (start >= m_bytes.size() || m_bytes[start] != '\n')
            return std::nullopt;
        ++start;
        if (!ok || size < 0 || size > m_bytes.size() - start)
            return std::nullopt;
        m_at = start + qsizetype(size);
        return Value{Value::Type::String, m_bytes.sliced(start, qsizetype(size)).toByteArray(), {}};
    }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

bool isStatus(QByteArrayView name)
{
    return name == "OK" || name == "NO" || name == "BAD" || name == "BYE" || name == "PREAUTH";
}

// "[CODE data] text" after a status word.
bool readStatusText(Tokens &tokens, Response &response)
{
    if (tokens.take('[')) {
        response.code = tokens.word().toUpper();
        std::optional<QList<Value>> data = tokens.values(']');
        if (!data)
            return false;
        response.codeData = std::move(*data);
    }
    response.text = tokens.rest().toByteArray();
    return true;
}

} // namespace

std::optional<Response> parse(QByteArrayView bytes)
{
    Tokens tokens(bytes);
    Response response;
    if (tokens.take('+')) {
        response.kind = Response::Kind::Continuation;
        response.text = tokens.rest().toByteArray();
        return response;
    }
    response.tag = tokens.word();
    if (response.tag.isEmpty())
        return std::nullopt;
    QByteArray name = tokens.word().toUpper();
    if (response.tag != "*") {
        if (name != "OK" && name != "NO" && name != "BAD")
            return std::nullopt;
        response.kind = Response::Kind::Tagged;
        response.name = std::move(name);
        return readStatusText(tokens, response) ? std::optional(response) : std::nullopt;
    }
    if (isStatus(name)) {
        response.kind = Response::Kind::Status;
        response.name = std::move(name);
        return readStatusText(tokens, response) ? std::optional(response) : std::nullopt;
    }
    response.kind = Response::Kind::Data;
    const Value first{Value::Type::Atom, name, {}};
    if (const std::optional<quint32> n = first.number()) {
        response.number = n;
        name = tokens.word().toUpper();
    }
    if (name.isEmpty())
        return std::nullopt;
    response.name = std::move(name);
    std::optional<QList<Value>> data = tokens.values();
    if (!data)
        return std::nullopt;
    response.data = std::move(*data);
    return response;
}

} // namespace imap
