#pragma once

#include <QString>

#include <optional>

// The SMTP Server setting: where to connect and how to secure it.
//   host, host:PORT             plain SMTP, port 25 unless given
//   host:587                    STARTTLS required
//   host:465                    TLS from the first byte
//   starttls://host[:port]      STARTTLS on any port, 587 unless given
//   smtps://host[:port]         TLS on any port, 465 unless given
//   smtp://host[:port]          plain on any port, 25 unless given
// The host is a name, an IPv4 address, or an IPv6 address in brackets (or
// bare, without a port).
struct ServerAddress
{
    enum class Security
    {
        Plain,
        StartTls,
        Tls
    };

    QString host; // IPv6 without its brackets
    quint16 port = 25;
    Security security = Security::Plain;

    // Nothing for a text of any other form.
    static std::optional<ServerAddress> parse(QStringView setting);
    // The IMAP Server setting, which has no plain form:
    //   host, host:PORT             TLS, port 993 unless given
    //   host:143                    STARTTLS required
    //   imaps://host[:port]         TLS on any port, 993 unless given
    //   starttls://host[:port]      STARTTLS on any port, 143 unless given
    static std::optional<ServerAddress> parseImap(QStringView setting);
    // The shortest setting that parses to this address.
    QString format() const;
    // The host as a setting writes it: IPv6 in brackets.
    QString name() const;
    // "host:port", IPv6 in brackets: for settings and the keyring.
    QString hostAndPort() const;

private:
    template <typename Schemes, typename SecurityFor>
    static std::optional<ServerAddress> parseWith(QStringView setting, const Schemes &schemes,
                                                  quint16 defaultPort, SecurityFor securityFor);

public:
    friend bool operator==(const ServerAddress &a, const ServerAddress &b)
    {
        return a.host == b.host && a.port == b.port && a.security == b.security;
    }
};
