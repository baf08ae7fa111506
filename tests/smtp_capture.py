"""A real SMTP server for the end-to-end tests: aiosmtpd on a free loopback
port. Prints the port, then appends one JSON line per message received to the
file named on the command line: the envelope, the raw content, and the
message as Python's email package reads it. Stops when its standard input
closes.

Options:
  --no-8bitmime         a server that takes 7-bit text only
  --pipelining          announce RFC 2920 pipelining
  --tls CERT KEY        TLS from the first byte (SMTPS)
  --starttls CERT KEY   STARTTLS offered and required
  --auth USER PASSWORD  sign-in required, over TLS only
  --only-login          of the sign-in methods, offer LOGIN only
  --no-auth             offer no sign-in at all (a relay)
  --auth-optional       offer sign-in, in the clear too, but take mail without
  --size N              announce and enforce a SIZE limit of N bytes
  --port N              listen on port N, not a free one"""

import argparse
import email
import email.policy
import hashlib
import json
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult


def attachment(part):
    """What a gateway takes of an attached file."""
    data = part.get_content()
    return {
        "content_type": part.get_content_type(),
        "disposition": part.get_content_disposition(),
        "filename": part.get_filename(),
        "size": len(data),
        "sha256": hashlib.sha256(data).hexdigest(),
        "nested": part.is_multipart(),
    }


def parsed(content):
    """What a mail reader sees of the message: its text, and with files
    attached the first part's text and each file."""
    msg = email.message_from_bytes(content, policy=email.policy.default)
    date = msg["Date"]
    text = msg.get_body(preferencelist=("plain",)) if msg.is_multipart() else msg
    return {
        "subject": str(msg["Subject"]) if msg["Subject"] is not None else None,
        "from": str(msg["From"]),
        "to": str(msg["To"]),
        "date": date.datetime.timestamp() if date is not None and date.datetime else None,
        "message_id": str(msg["Message-ID"]),
        "content_type": msg.get_content_type(),
        "charset": text.get_content_charset(),
        "cte": str(text["Content-Transfer-Encoding"]),
        "body": text.get_content(),
        "parts": [p.get_content_type() for p in msg.iter_parts()],
        "attachments": [attachment(p) for p in msg.iter_attachments()],
        "defects": [str(d) for p in msg.walk() for d in p.defects]
        + [str(d) for p in msg.walk() for h in p.values() for d in getattr(h, "defects", ())],
    }


class Capture:
    def __init__(self, path, options):
        self.path = path
        self.options = options

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        if self.options.no_8bitmime:
            responses = [r for r in responses if r != "250-8BITMIME"]
        if self.options.pipelining:
            responses.insert(1, "250-PIPELINING")
        if self.options.no_auth:
            responses = [r for r in responses if not r.startswith("250-AUTH")]
        return responses

    async def handle_DATA(self, server, session, envelope):
        record = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "mail_options": envelope.mail_options,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": server.transport.get_extra_info("ssl_object") is not None,
            "signed_in_as": session.login_data.decode() if session.authenticated else None,
            # bytes as code points 0-255, so the test sees every byte
            "content": envelope.original_content.decode("latin-1"),
            "parsed": parsed(envelope.original_content),
        }
        with open(self.path, "a", encoding="utf-8") as f:
            f.write(json.dumps(record) + "\n")
        return "250 Message accepted for delivery"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def server_tls(cert_and_key):
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(*cert_and_key)
    return context


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mail_file")
    parser.add_argument("--no-8bitmime", action="store_true")
    parser.add_argument("--pipelining", action="store_true")
    parser.add_argument("--tls", nargs=2)
    parser.add_argument("--starttls", nargs=2)
    parser.add_argument("--auth", nargs=2)
    parser.add_argument("--only-login", action="store_true")
    parser.add_argument("--no-auth", action="store_true")
    parser.add_argument("--auth-optional", action="store_true")
    parser.add_argument("--size", type=int)
    parser.add_argument("--port", type=int)
    options = parser.parse_args()
    port = options.port or free_port()
    kwargs = {}
    if options.size:
        kwargs["data_size_limit"] = options.size
    if options.tls:
        kwargs["ssl_context"] = server_tls(options.tls)
    if options.starttls:
        kwargs["tls_context"] = server_tls(options.starttls)
        kwargs["require_starttls"] = True
    if options.auth:
        user, password = (v.encode() for v in options.auth)

        def authenticator(server, session, envelope, mechanism, auth_data):
            good = (auth_data.login, auth_data.password) == (user, password)
            # handled=False: aiosmtpd itself answers a failure with 535
            return AuthResult(success=good, handled=False, auth_data=auth_data)

        # With TLS from the first byte aiosmtpd does not know the connection
        # is encrypted; with STARTTLS it refuses AUTH before it.
        kwargs.update(
            authenticator=authenticator,
            auth_required=True,
            auth_require_tls=not options.tls,
        )
    if options.auth_optional:
        kwargs.update(
            authenticator=lambda *args: AuthResult(success=False, handled=False),
            auth_require_tls=False,
        )
    if options.only_login:
        kwargs["auth_exclude_mechanism"] = ["PLAIN"]
    controller = Controller(
        Capture(options.mail_file, options), hostname="127.0.0.1", port=port, **kwargs
    )
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
