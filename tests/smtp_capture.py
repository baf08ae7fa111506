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
  --oauth PORT          sign-in with XOAUTH2 and OAUTHBEARER only, the token
                        checked with oauth_server.py on PORT; every attempt
                        goes to auth.jsonl beside the mail file
  --only-mechanism M    of the sign-in methods, offer M only
  --port N              listen on port N, not a free one"""

import argparse
import base64
import collections
import email
import email.policy
import hashlib
import json
import socket
import ssl
import sys
import urllib.parse
import urllib.request
from pathlib import Path

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


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
        if options.oauth:
            check = OAuthCheck(options.oauth, str(Path(path).with_name("auth.jsonl")))
            self.auth_XOAUTH2 = check.auth_XOAUTH2
            self.auth_OAUTHBEARER = check.auth_OAUTHBEARER

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        if self.options.no_8bitmime:
            responses = [r for r in responses if r != "250-8BITMIME"]
        if self.options.pipelining:
            responses.insert(1, "250-PIPELINING")
        if self.options.no_auth:
            responses = [r for r in responses if not r.startswith("250-AUTH")]
        if self.options.only_mechanism:
            responses = [("250-AUTH " + self.options.only_mechanism) if r.startswith("250-AUTH")
                         else r for r in responses]
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


class OAuthCheck:
    """XOAUTH2 and OAUTHBEARER as Microsoft and Google answer them: the
    token checked with the authorization server; a refusal is a 334 with a
    JSON status, whose answer is read, then 535."""

    def __init__(self, auth_port, log_path):
        self.auth_port = auth_port
        self.log_path = log_path

    def user_of(self, token):
        url = f"http://127.0.0.1:{self.auth_port}/introspect?" + urllib.parse.urlencode(
            {"token": token})
        with urllib.request.urlopen(url) as answer:
            status = json.load(answer)
        return status["user"] if status["active"] else None

    async def check(self, server, args, mechanism, parse):
        initial = base64.b64decode(args[1]) if len(args) > 1 else await server.challenge_auth("")
        user, token = parse(initial)
        active = token is not None and self.user_of(token)
        entry = {"mechanism": mechanism, "user": user, "accepted": bool(active),
                 "line_length": len(args[1]) if len(args) > 1 else 0}
        if not active:
            status = json.dumps({"status": "401", "schemes": "bearer"}).encode()
            answer = await server.challenge_auth(base64.b64encode(status), encode_to_b64=False)
            entry["answer_to_refusal"] = None if not isinstance(answer, bytes) else answer.hex()
        with open(self.log_path, "a", encoding="utf-8") as f:
            f.write(json.dumps(entry) + "\n")
        if active:
            return AuthResult(success=True, auth_data=LoginPassword(user.encode(), b""))
        return AuthResult(success=False, handled=False,
                          message="535 5.7.3 Authentication unsuccessful")

    @staticmethod
    def fields(kvpairs):
        return dict(kv.split(b"=", 1) for kv in kvpairs.split(b"\x01") if b"=" in kv)

    async def auth_XOAUTH2(self, server, args):
        def parse(data):
            fields = self.fields(data)
            bearer = fields.get(b"auth", b"")
            token = bearer[7:].decode() if bearer.startswith(b"Bearer ") else None
            return fields.get(b"user", b"").decode(), token
        return await self.check(server, args, "XOAUTH2", parse)

    async def auth_OAUTHBEARER(self, server, args):
        def parse(data):
            gs2, _, kvpairs = data.partition(b"\x01")
            user = next((p[2:] for p in gs2.split(b",") if p.startswith(b"a=")), b"")
            fields = self.fields(kvpairs)
            bearer = fields.get(b"auth", b"")
            token = bearer[7:].decode() if bearer.startswith(b"Bearer ") else None
            return user.decode(), token
        return await self.check(server, args, "OAUTHBEARER", parse)


class LongLines(SMTP):
    """An AUTH line may be 12,288 octets (RFC 4954), and one carrying a
    token is long: servers that take tokens take such lines."""

    line_length_limit = 12290
    command_size_limit = 12288
    command_size_limits = collections.defaultdict(lambda: 12288)


class LongLineController(Controller):
    def factory(self):
        return LongLines(self.handler, **self.SMTP_kwargs)


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
    parser.add_argument("--oauth", type=int)
    parser.add_argument("--only-mechanism")
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
    if options.oauth:
        # Tokens only, as Microsoft 365 has it once passwords are off.
        kwargs.update(auth_required=True, auth_require_tls=not options.tls,
                      auth_exclude_mechanism=["PLAIN", "LOGIN"])
    controller = (LongLineController if options.oauth else Controller)(
        Capture(options.mail_file, options), hostname="127.0.0.1", port=port, **kwargs
    )
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
