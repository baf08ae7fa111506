#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace imap {

// One item of a server's data: an atom (a word or number, such as "UID",
// "BODY[1]<0>" or "\Seen"), a string (quoted or literal), NIL, or a
// parenthesised list.
struct Value
{
    enum class Type
    {
        Atom,
        String,
        Nil,
        List
    };
    Type type = Type::Nil;
    QByteArray text;
    QList<Value> items;

    bool isAtom(QByteArrayView name) const;
    // The atom as a 32-bit number; nothing for anything else.
    std::optional<quint32> number() const;
    // The text of an atom or string; empty for NIL and lists.
    QByteArray string() const { return type == Type::List ? QByteArray() : text; }
    // In a list of name-value pairs (a FETCH response), the value after
    // the atom `name`; nullptr when there is none.
    const Value *field(QByteArrayView name) const;
};

// A response as RFC 9051 shapes it:
//   tag OK|NO|BAD [code args] text        Tagged
//   * OK|NO|BAD|BYE|PREAUTH [code] text   Status, tag "*"
//   * NAME data...                        Data (CAPABILITY, SEARCH, FLAGS...)
//   * 12 NAME data...                     Data with a number (EXISTS, FETCH)
//   + text                                Continuation
struct Response
{
    enum class Kind
    {
        Tagged,
        Status,
        Data,
        Continuation
    };
    Kind kind = Kind::Data;
    QByteArray tag;
    QByteArray name; // upper case: OK, NO, BAD, BYE, PREAUTH, CAPABILITY, FETCH...
    std::optional<quint32> number;
    QByteArray code; // the response code's name, upper case
    QList<Value> codeData;
    QByteArray text;
    QList<Value> data;
};

// A whole response as ResponseReader gives it; nothing when it is not one.
std::optional<Response> parse(QByteArrayView bytes);

} // namespace imap
