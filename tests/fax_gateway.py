"""A scripted e-mail-to-fax gateway for the delivery report tests: aiosmtpd
on a free loopback port (printed first) takes each fax, and after a pause
puts the gateway's report on it into a Dovecot inbox with doveadm, as a
real gateway's mail would arrive there. Stops when standard input closes.

Usage: fax_gateway.py DOVECOT_CONF USER PAUSE SHAPES_JSON
SHAPES_JSON maps a fax number (the address's local part) to a list of
report shapes sent for it, in order; a number not listed gets
["delivered"]. The shapes are the kinds gateways send:
  delivered      English, number in the subject, pages and time in the text
  failed         "Fax transmission report" with Status/Reason/Pages lines
  german         German, ISO-8859-1, quoted-printable, number with a space
  spanish        "No se pudo entregar", UTF-8, base64
  japanese       ISO-2022-JP, pages in 枚
  html           HTML only, the number in the text
  queued         an interim receipt: queued for delivery
  reply          names nothing but the fax's Message-ID (In-Reply-To)
  unrelated      the gateway's newsletter, which is no report
  forged         a stranger's "delivered" report: the gateway's From, and an
                 Authentication-Results of its own making
Every shape but "reply" and "forged" arrives as the receiving server would
pass it on: with its Authentication-Results saying the gateway's DKIM
signature holds, written under the name the tests reach Dovecot by."""

import asyncio
import email.message
import email.policy
import email.utils
import json
import socket
import subprocess
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP

GATEWAY = "reports@fax1.example"
RECEIVER = "127.0.0.1"


def report(shape, number, subject, message_id):
    msg = email.message.EmailMessage(policy=email.policy.SMTP)
    if shape == "forged":
        msg["Authentication-Results"] = "mx.evil.test; dkim=pass header.d=fax1.example"
    elif shape != "reply":
        msg["Authentication-Results"] = "%s; dkim=pass header.d=fax1.example" % RECEIVER
    msg["From"] = "Fax1 Reports <%s>" % GATEWAY
    msg["To"] = "joe@example.org"
    msg["Date"] = email.utils.formatdate(localtime=True)
    msg["Message-ID"] = email.utils.make_msgid(domain="fax1.example")
    spaced = number[:3] + " " + number[3:]
    if shape == "delivered":
        msg["Subject"] = "Successfully sent fax to Jane Doe (+1%s)" % number
        msg.set_content("Your fax of 3 pages was delivered at 2026-12-08 14:05:11.\n")
    elif shape == "failed":
        msg["Subject"] = "Fax transmission report"
        msg.set_content("Status: Failed\nReason: Busy\nPages sent: 0 of 3\n"
                        "Destination: %s\nOriginal subject: %s\n" % (number, subject))
    elif shape == "german":
        msg["Subject"] = "Fax-Sendebericht: erfolgreich an %s" % number
        msg.set_content("Ihr Fax an %s wurde erfolgreich übertragen. Seiten: 2\n" % spaced,
                        charset="iso-8859-1", cte="quoted-printable")
    elif shape == "spanish":
        msg["Subject"] = "Informe de fax"
        msg.set_content("No se pudo entregar el fax a %s: línea ocupada.\n" % number,
                        cte="base64")
    elif shape == "japanese":
        msg["Subject"] = "FAX送信結果"
        body = "宛先 %s へのFAX送信が完了しました。送信枚数 4枚\n" % number
        msg.set_payload(body.encode("iso-2022-jp"))
        msg["Content-Type"] = 'text/plain; charset="iso-2022-jp"'
        msg["Content-Transfer-Encoding"] = "7bit"
    elif shape == "html":
        msg["Subject"] = "Fax status"
        msg.set_content("<html><body><p>Your fax to <b>%s</b> was <i>delivered</i>.</p>"
                        "<p>Pages: 5</p></body></html>" % number, subtype="html")
    elif shape == "queued":
        msg["Subject"] = "Fax received"
        msg.set_content("Your fax to %s has been queued for delivery.\n" % number)
    elif shape == "reply":
        msg["Subject"] = "Re: your fax"
        msg["In-Reply-To"] = message_id
        msg.set_content("Delivered.\n")
    elif shape == "forged":
        msg["Subject"] = "Successfully sent fax to (+1%s)" % number
        msg.set_content("Your fax of 9 pages was delivered at 2026-12-08 09:00:00.\n")
    elif shape == "unrelated":
        msg["Subject"] = "Our prices for 2027"
        msg.set_content("Dear customer, from January a page costs 5 cents.\n")
    return msg.as_bytes()


class Gateway:
    def __init__(self, conf, user, pause, shapes):
        self.conf, self.user, self.pause, self.shapes = conf, user, pause, shapes

    def save(self, data):
        subprocess.run(["/usr/bin/doveadm", "-c", self.conf, "save", "-u", self.user],
                       input=data, check=True)

    async def handle_DATA(self, server, session, envelope):
        fax = email.message_from_bytes(envelope.content, policy=email.policy.default)
        number = envelope.rcpt_tos[0].split("@")[0]
        for shape in self.shapes.get(number, ["delivered"]):
            data = report(shape, number, str(fax["Subject"] or ""), str(fax["Message-ID"] or ""))
            loop = asyncio.get_running_loop()
            loop.call_later(self.pause, self.save, data)
        return "250 OK queued for faxing"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main():
    conf, user, pause, shapes = sys.argv[1], sys.argv[2], float(sys.argv[3]), json.loads(sys.argv[4])
    port = free_port()
    controller = Controller(Gateway(conf, user, pause, shapes), hostname="127.0.0.1", port=port)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
