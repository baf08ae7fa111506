#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// How a gateway words its reports: who sends them, and the phrases that
// say delivered, failed or queued, give the pages and the reason. Built-in
// entries read English, German, French, Spanish and Japanese; gateways.ini
// adds or overrides per gateway.
struct Wording
{
    QString gateway;     // the gateway's domain; empty for the built-in words
    QStringList senders; // addresses or domains its reports come from
    // gateways.ini's "trust = sender": this gateway does not sign its mail,
    // and the user accepts that its sender address alone proves a report.
    bool trustSender = false;
    QList<QRegularExpression> delivered;
    QList<QRegularExpression> failed;
    QList<QRegularExpression> queued;
    // Each captures the number of pages in its first group.
    QList<QRegularExpression> pages;
    // Each captures the reason in its first group.
    QList<QRegularExpression> reason;
};

namespace wording {

// The words of every language Quillon reads.
const Wording &builtIn();

// The gateways.ini files read, in order: the data folder's, then
// Quillon/gateways.ini in each of $XDG_CONFIG_DIRS.
QStringList iniFiles(const QString &dataFolder);

// One group a gateway, named by its domain ([fax.example.net]), keys
// senders (comma-separated addresses or domains), trust (= sender, for a
// gateway known not to sign its mail) and delivered, failed,
// queued, pages, reason (regular expressions, case-insensitive). A key
// given replaces the built-in words of that kind for that gateway; the
// first file naming a gateway decides it. An expression that does not
// compile is left out and named in `problems`.
QList<Wording> load(const QStringList &iniFiles, QStringList &problems);

// The words for reports of `gateway`: its own entry over the built-in one.
// An entry names a gateway's domain, so that [tpc.example] is the entry of
// 5551234567.tpc.example; the longest domain that fits wins.
Wording forGateway(const QList<Wording> &table, const QString &gateway);

} // namespace wording
