"""Writes the seed corpus of each fuzz target into corpus/<target>/: the
replies, settings, records and messages the test suites already use, in the
input format each target reads. Run it again after changing a format."""

import hashlib
import pathlib

HERE = pathlib.Path(__file__).parent


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for seed in seeds:
        (folder / hashlib.sha1(seed).hexdigest()).write_bytes(seed)


# fuzz_session: a setup byte, then operations (see fuzz_session.cpp).
CONNECTED, ENCRYPTED, ANSWER = b"\x04", b"\x05", b"\x07"
# fuzz_imap: the session opened again, as the watch reconnects.
REOPEN = b"\x1e"


def arrive(text):
    out = b""
    for i in range(0, len(text), 32):
        chunk = text[i : i + 32]
        out += bytes([(len(chunk) - 1) << 3]) + chunk
    return out


def session(setup, *steps):
    return bytes([setup]) + b"".join(s if s in (CONNECTED, ENCRYPTED, ANSWER, REOPEN) else arrive(s)
                                     for s in steps)


ok = b"250 ok\r\n"
tail = [ok, ok, b"354 go ahead\r\n", b"250 queued\r\n", b"221 bye\r\n"]
write(
    "fuzz_session",
    [
        session(0, CONNECTED, b"220 mail.example ESMTP\r\n",
                b"250-mail.example\r\n250-PIPELINING\r\n250-SIZE 10240000\r\n250 8BITMIME\r\n",
                ok + ok + b"354 go\r\n", b"250 queued\r\n", b"221 bye\r\n"),
        session(16, CONNECTED, b"220-postscreen\r\n220 ready\r\n", b"502 5.5.2 no\r\n", b"250 hello\r\n", *tail),
        session(1, CONNECTED, b"220 hi\r\n", b"250-mail.example\r\n250-STARTTLS\r\n250 AUTH PLAIN LOGIN\r\n",
                b"220 2.0.0 go ahead\r\n", ENCRYPTED, b"250-mail.example\r\n250 AUTH PLAIN LOGIN\r\n",
                b"235 2.7.0 ok\r\n", *tail),
        session(2, CONNECTED, ENCRYPTED, b"220 hi\r\n", b"250-mail.example\r\n250 AUTH LOGIN\r\n",
                b"334 VXNlcm5hbWU6\r\n", b"334 UGFzc3dvcmQ6\r\n", b"535 5.7.8 bad\r\n"),
        session(1, CONNECTED, b"220 hi\r\n", b"250-x\r\n250 STARTTLS\r\n", b"220 go\r\n250 injected\r\n"),
        session(9, ANSWER, CONNECTED, b"220 hi\r\n", b"250-x\r\n250 STARTTLS\r\n", b"454 no TLS\r\n"),
        session(0, CONNECTED, b"220 hi\r\n", b"250-x\r\n250 SIZE 10\r\n"),
        session(0, CONNECTED, b"554 no service\r\n", ANSWER, b"220 hi\r\n", b"550 5.7.1 no\r\n"),
        bytes([0, 4, 0, 3 | (17 << 3), 0x78]),  # a reply of 70,000 bytes
    ],
)

write(
    "fuzz_serversetting",
    [s.encode() for s in [
        "mail.example", "mail.example:25", "mail.example:2525", "mail.example:587", "mail.example:465",
        "starttls://mail.example", "starttls://mail.example:25", "smtps://mail.example:4650",
        "SMTP://mail.example:587", "[::1]:587", "::1", "smtps://[2001:db8::25]", "192.0.2.25:465",
        "mail.example:70000", "http://mail.example", "[::1", "fe80::1%eth0", "smtp://smtps://x",
    ]],
)


def record(to, fax=b"", subject=b"", message=b"", tag=b"\0\0"):
    def field(s, width):
        return s[:width].ljust(width, b" ")
    return tag + field(to, 50) + field(fax, 15) + field(subject, 100) + field(message, 10000)


write(
    "fuzz_faxrecord",
    [
        record(b"Alice", b"111"),
        record(b"Jane Doe", b"0123 456 789", b"Quotation 2027", b"Dear Jane,\r\n\r\nprice: 100 \x80\r\n"),
        record(b"", tag=b"\xff\x7f"),
        bytes(range(256)),
        b"\x81\x8d\x8f\x90\x9d",
    ],
)

write(
    "fuzz_message",
    [
        b"\x01" + b"\0".join(parts)
        for parts in [
            [b"Quotation 2027", b"555@fax1.example", b"joe@example.org", b"Dear Jane,\r\n.\r\n..two dots"],
            ["für Müller".encode(), b"555@fax1.example", b"joe@example.org", "100 €\r\nfür".encode()],
            [b"Re: =?utf-8?B?x?= what? a_b", b"a@b.example\r\nBcc: x@evil", b" joe ", b"a = b \r\n\t"],
            [b"Quotation " * 30, b"x", b"", b"word " * 300],
            [b"", b"", b"", b""],
        ]
    ]
    + [b"\x00" + "ü".encode() * 40 + b"\0r\0s\0" + "é".encode() * 100],
)

# fuzz_message with files: after the body, a count byte, then per file its
# name, a length byte (times 7) and that many bytes.
def with_files(*files):
    out = b"".join(name + b"\0" + bytes([len(content) // 7]) + content for name, content in files)
    return bytes([len(files)]) + out


write(
    "fuzz_message",
    [
        b"\x01Contract\0" + b"555@fax1.example\0joe@example.org\0Signed.\0"
        + with_files((b"contract.pdf", b"%PDF-1.4" + b"x" * 48)),
        b"\x00\0" + b"555@fax1.example\0joe@example.org\0\0"
        + with_files(("Łódź \"x\"\r\n.pdf".encode(), b"%PDF" * 7), (b"a" * 120, b"\x89PNG" * 14)),
    ],
)

# fuzz_document: a small file of each kind, and a torn one.
MINIMAL_PDF = (
    b"%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
    b"2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
    b"3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 280]>>endobj\n"
    b"trailer<</Root 1 0 R>>\n%%EOF\n"
)


def image(fmt, *args):
    """A picture made by Debian's ImageMagick."""
    import subprocess
    return subprocess.run(["/usr/bin/convert", *args, "-strip", "-define", "png:exclude-chunks=date,time",
                           fmt + ":-"], check=True,
                          capture_output=True).stdout


write(
    "fuzz_document",
    [
        MINIMAL_PDF,
        MINIMAL_PDF[:90],
        image("tiff", "-size", "20x28", "xc:white", "xc:gray"),
        image("png", "-size", "20x28", "xc:red"),
        image("jpeg", "-size", "28x20", "xc:blue"),
        b"Dear Sir,\n",
    ],
)

# fuzz_sent: copies as Quillon keeps them, one with a document.
TRACE = (b"X-Quillon-Sent: Tue, 08 Dec 2026 10:31:07 +0100\r\n"
         b"X-Quillon-Server: smtp.example.org:587, TLS 1.3\r\n"
         b"X-Quillon-Reply: 250-first line\r\n 250 2.0.0 Ok: queued as 4F2A1C\r\n"
         b"X-Quillon-Name: =?utf-8?Q?Zo=C3=AB_M=C3=BCller?=\r\n"
         b"X-Quillon-Fax: +1 (555) 123-4567\r\nX-Quillon-Provider: ClickFax\r\nX-Quillon-Pages: 3\r\n")
HEAD = (b"Subject: =?windows-1252?Q?Angebot_f=FCr_M=FCller?=\r\nTo: 15551234567@clickfax.example\r\n"
        b"From: joe@example.org\r\nDate: Tue, 08 Dec 2026 10:31:07 +0100\r\n"
        b"Message-ID: <20261208093107.0123456789ABCDEF@example.org>\r\nMIME-Version: 1.0\r\n")
write(
    "fuzz_sent",
    [
        TRACE + HEAD + b"Content-Type: text/plain; charset=us-ascii\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
        b"{nocover=0}\r\n{compcode=42}\r\n{to=Jane}\r\n{body=Dear Jane,}\r\n",
        TRACE + HEAD + b'Content-Type: multipart/mixed; boundary="=_x"\r\n\r\n--=_x\r\n'
        b"Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
        b"Za=C5=BC=C3=B3=C5=82=C4=87\r\n--=_x\r\nContent-Type: application/pdf;\r\n name=\"a.pdf\"\r\n"
        b"Content-Disposition: attachment;\r\n filename*0*=utf-8''%C5%81%C3%B3d%C5%BA;\r\n filename*1*=.pdf\r\n"
        b"Content-Transfer-Encoding: base64\r\n\r\nJVBERi0xLjQ=\r\n--=_x--\r\n",
        b"\x00\xff no header here",
        b"Subject: " + b"=?a?Q?x" * 10000 + b"\r\n\r\ntext\r\n",
    ],
)

# fuzz_mime: header fields, parameters and bodies as servers and gateways
# send them, and texts to write and read back.
write(
    "fuzz_mime",
    [
        HEAD + b'Content-Type: multipart/mixed; boundary="=_b"\r\n\r\n--=_b\r\n'
        b"Content-Type: text/plain; charset=windows-1252\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
        b"Pr=E9sentation =80 5=\r\n soft\r\n--=_b\r\nContent-Transfer-Encoding: base64\r\n\r\nJVBERi0xLjQ=\r\n--=_b--\r\n",
        b"Subject: =?utf-8?B?6KaL56mN5pu4?= =?ISO-8859-1?q?caf=E9?=\r\n\r\n",
        b"Content-Disposition: attachment; filename*0*=utf-8''%E6%97%A5; filename*1*=%E6%9C%AC.pdf\r\n",
        b"=?a?Q?x" * 64,
        "Za\u017c\u00f3\u0142\u0107 \u65e5\u672c\u8a9e =?no?= \r\n\tline".encode() + b"\0",
    ],
)

# fuzz_oauth: the browser's redirects, token answers, oauth.ini files.
write(
    "fuzz_oauth",
    [
        b"GET /?code=abc&state=xyz HTTP/1.1\r\nHost: 127.0.0.1:40000\r\n\r\n",
        b"GET /?error=access_denied&error_description=The+user+did+not&state=xyz HTTP/1.1\r\n\r\n",
        b"GET /favicon.ico HTTP/1.1\r\n\r\n",
        b'{"access_token":"at-1","token_type":"Bearer","expires_in":3600,"refresh_token":"rt-1"}',
        b'{"error":"invalid_grant","error_description":"The refresh token was revoked"}',
        b'{"access_token":"at-2","token_type":"Bearer","id_token":"eyJhbGciOiJub25lIn0.'
        b'eyJlbWFpbCI6ImpvZUBleGFtcGxlLm9yZyJ9.c2ln"}',
        b"[Contoso]\nhosts=smtp.contoso.example, smtp2.contoso.example\n"
        b"authorization=https://login.contoso.example/authorize\n"
        b"token=https://login.contoso.example/token\nclient_id=abc\nscope=smtp offline_access\n"
        b"[Local]\nhosts=127.0.0.1\nauthorization=http://127.0.0.1:8080/a\n"
        b"token=http://evil.example/t\nclient_id=x\nscope=s\n",
    ],
)


# fuzz_imap: a setup byte (1: STARTTLS, 4: the sign-in later, 8: a token),
# then operations as fuzz_session has them.
write(
    "fuzz_imap",
    [
        session(0, CONNECTED, ENCRYPTED,
                b"* OK [CAPABILITY IMAP4rev1 SASL-IR AUTH=PLAIN IDLE] hi\r\n",
                b"q1 OK done\r\n* CAPABILITY IMAP4rev1 IDLE\r\nq2 OK\r\n",
                b"* OK [UIDVALIDITY 7] v\r\n* OK [UIDNEXT 40] n\r\nq3 OK [READ-ONLY] ok\r\n",
                b"* SEARCH 12 30\r\nq4 OK\r\n",
                b"* 1 FETCH (UID 12 BODYSTRUCTURE ((\"text\" \"plain\" (\"charset\" \"utf-8\") NIL NIL "
                b"\"7bit\" 9 1)(\"image\" \"tiff\" NIL NIL NIL \"base64\" 90) \"mixed\") BODY[HEADER] {17}\r\n"
                b"Subject: Fax OK\r\n)\r\nq5 OK\r\n",
                b"* 1 FETCH (UID 12 BODY[1.1]<0> {9}\r\nDelivered)\r\nq6 OK\r\n+ idling\r\n* 31 EXISTS\r\n"),
        session(1, CONNECTED, b"* OK hi\r\n", b"* CAPABILITY IMAP4rev1 STARTTLS\r\nq1 OK\r\n",
                b"q2 OK begin\r\n", ENCRYPTED, b"* CAPABILITY IMAP4rev1 AUTH=PLAIN\r\nq3 OK\r\n",
                b"+ \r\n", b"q4 NO [AUTHENTICATIONFAILED] no\r\n"),
        session(12, CONNECTED, ENCRYPTED, b"* OK [CAPABILITY IMAP4rev1 AUTH=XOAUTH2] hi\r\n", ANSWER,
                b"+ eyJzdGF0dXMiOiI0MDEifQ==\r\n", b"q1 NO bad token\r\n"),
        # Dropped during IDLE, then an answer to the old IDLE before any
        # greeting on the new connection.
        session(1, CONNECTED, b"* OK hi\r\n", b"* CAPABILITY IMAP4rev1 STARTTLS\r\nq1 OK\r\n",
                b"q2 OK begin\r\n", ENCRYPTED, b"* CAPABILITY IMAP4rev1 IDLE SASL-IR AUTH=PLAIN\r\nq3 OK\r\n",
                b"q4 OK in\r\n", b"q5 OK\r\n* SEARCH\r\nq6 OK\r\n", REOPEN, CONNECTED, b"q7 OK\r\n"),
    ],
)

# fuzz_report: a setup byte, then a message.
write(
    "fuzz_report",
    [
        b"\x10From: r@fax1.example\r\nSubject: Successfully sent fax to Jane (+15551234567)\r\n\r\n"
        b"Your fax of 3 pages was delivered at 2026-12-08 14:05:11.\r\n",
        b"\x21From: r@fax1.example\r\nSubject: Fax transmission report\r\n"
        b"Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\n"
        b"Status: Failed\r\nReason: Busy\r\n--b\r\nContent-Type: text/html\r\n\r\n<p>x&amp;y&#x41;</p>\r\n--b--\r\n",
        b"\x02From: r@fax1.example\r\nContent-Type: text/plain; charset=iso-2022-jp\r\n"
        b"Content-Transfer-Encoding: base64\r\n\r\nGyRCQXc/LjQwTjsbKEI=\r\n",
        # Forged senders, and a stranger's Authentication-Results beside the
        # receiving server's.
        b"\x10From: \"<reports@fax1.example>\" <mallory@evil.test>\r\nSubject: Delivered 5551234567\r\n\r\nok\r\n",
        b"\x10From: =?utf-8?q?=3Creports=40fax1.example=3E?= <mallory@evil.test>\r\n\r\ndelivered\r\n",
        b"\x10Authentication-Results: mx.evil.test; dkim=pass header.d=fax1.example\r\n"
        b"Authentication-Results: imap.example.org; dkim=pass (ok) header.d=fax1.example;\r\n"
        b" dmarc=pass header.from=fax1.example\r\nAuthentication-Results: spf=pass smtp.mailfrom=x;"
        b"dkim=pass header.d=fax1.example;fax1.example\r\nFrom: Fax (x) <reports@fax1.example>\r\n"
        b"In-Reply-To: <m0@example.org>\r\n\r\nDelivered\r\n",
        b"\x01From: r@fax1.example\r\nContent-Type: text/html\r\n\r\n" + b"<script></scrip>" * 64
        + b"<!-- x --><head>&#x1F600;&#99999999;&bogus;<p>",
    ],
)
