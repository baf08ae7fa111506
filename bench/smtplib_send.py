"""The baseline for the send benchmark: Python's smtplib sending the same
message to the same sink. Usage: smtplib_send.py PORT MESSAGE_FILE [CA_FILE]
With CA_FILE it starts TLS (trusting that CA) and signs in first.
Sends one message per line read from standard input and prints its latency
in milliseconds, so that the caller can interleave it with its own sends."""

import smtplib
import ssl
import sys
import time

port, path = int(sys.argv[1]), sys.argv[2]
tls = ssl.create_default_context(cafile=sys.argv[3]) if len(sys.argv) > 3 else None
with open(path, "rb") as f:
    message = f.read()
for _ in sys.stdin:
    start = time.perf_counter()
    with smtplib.SMTP("127.0.0.1", port, local_hostname="client.example") as smtp:
        if tls:
            smtp.starttls(context=tls)
            smtp.login("joe@example.org", "secret")
        smtp.sendmail("joe@example.org", ["5551234@fax1.example"], message)
    print(f"{(time.perf_counter() - start) * 1000:.3f}", flush=True)
