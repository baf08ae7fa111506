"""The baseline for the attach benchmark: Python's smtplib sending a fax
with a document, the message built by the email package as mail programs
written in Python build it. Usage: smtplib_attach.py PORT DOCUMENT
Sends one message per line read from standard input, building it anew
(reading and encoding the file included), and prints the milliseconds."""

import pathlib
import smtplib
import sys
import time
from email.message import EmailMessage

port, document = int(sys.argv[1]), pathlib.Path(sys.argv[2])
for _ in sys.stdin:
    start = time.perf_counter()
    message = EmailMessage()
    message["Subject"] = "Benchmark"
    message["From"] = "joe@example.org"
    message["To"] = "5551234@fax1.example"
    message.set_content("The contract, signed.")
    message.add_attachment(document.read_bytes(), maintype="application", subtype="pdf",
                           filename=document.name)
    with smtplib.SMTP("127.0.0.1", port, local_hostname="client.example") as smtp:
        smtp.send_message(message)
    print(f"{(time.perf_counter() - start) * 1000:.3f}", flush=True)
