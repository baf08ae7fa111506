#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A server's reply: its continuation lines ("250-...") and the line that
// ends it, as one value.
struct SmtpReply
{
    // As received, every line with its line break: what the user is shown
    // after "SMTP Error: ".
    QString text;

    // The three digits of the first line; -1 when it does not start with
    // three.
    int code() const;
    // The lines without their line breaks.
    QStringList lines() const;
};

// Collects replies from data that comes in any pieces, several replies at
// once or one in many pieces. Any line not shaped as a continuation ends a
// reply, so that garbage is reported, not waited on.
class ReplyReader
{
public:
    // Replies longer than this without an end are refused.
    static constexpr qsizetype MaxReply = 64 * 1024;

    void add(QStringView data) { m_held += data; }
    // The next complete reply, if one has come.
    std::optional<SmtpReply> next();
    // What is held is an unfinished reply longer than MaxReply.
    bool overlong() const { return m_held.size() > MaxReply; }
    // Bytes received and not yet taken as a reply.
    qsizetype held() const { return m_held.size(); }
    void clear();

private:
    QString m_held;
    qsizetype m_lineStart = 0; // where the reply's unfinished line begins
    qsizetype m_scanFrom = 0;  // how far it is known to hold no line end
};
