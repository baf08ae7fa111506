"""A real SMTP server for the end-to-end tests: aiosmtpd on a free loopback
port. Prints the port, then appends one JSON line per message received to the
file named on the command line: the envelope, the raw content, and the
message as Python's email package reads it. Stops when its standard input
closes.

Options: --no-8bitmime (a server that takes 7-bit text only),
--pipelining (announce RFC 2920 pipelining)."""

import argparse
import email
import email.policy
import json
import socket
import sys

from aiosmtpd.controller import Controller


def parsed(content):
    """What a mail reader sees of the message."""
    msg = email.message_from_bytes(content, policy=email.policy.default)
    date = msg["Date"]
    return {
        "subject": str(msg["Subject"]) if msg["Subject"] is not None else None,
        "from": str(msg["From"]),
        "to": str(msg["To"]),
        "date": date.datetime.timestamp() if date is not None and date.datetime else None,
        "message_id": str(msg["Message-ID"]),
        "content_type": msg.get_content_type(),
        "charset": msg.get_content_charset(),
        "cte": str(msg["Content-Transfer-Encoding"]),
        "body": msg.get_content(),
        "defects": [str(d) for d in msg.defects]
        + [str(d) for h in msg.values() for d in getattr(h, "defects", ())],
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
        return responses

    async def handle_DATA(self, server, session, envelope):
        record = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "mail_options": envelope.mail_options,
            "rcpt_tos": envelope.rcpt_tos,
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mail_file")
    parser.add_argument("--no-8bitmime", action="store_true")
    parser.add_argument("--pipelining", action="store_true")
    options = parser.parse_args()
    port = free_port()
    controller = Controller(
        Capture(options.mail_file, options), hostname="127.0.0.1", port=port
    )
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
