"""A real SMTP server for the end-to-end tests: aiosmtpd on a free loopback
port. Prints the port, then appends one JSON line per message received to the
file named on the command line. Stops when its standard input closes."""

import json
import socket
import sys

from aiosmtpd.controller import Controller


class Capture:
    def __init__(self, path):
        self.path = path

    async def handle_DATA(self, server, session, envelope):
        record = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            # bytes as code points 0-255, so the test sees every byte
            "content": envelope.original_content.decode("latin-1"),
        }
        with open(self.path, "a", encoding="utf-8") as f:
            f.write(json.dumps(record) + "\n")
        return "250 Message accepted for delivery"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    port = free_port()
    controller = Controller(Capture(sys.argv[1]), hostname="127.0.0.1", port=port)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
