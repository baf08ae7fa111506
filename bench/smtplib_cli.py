"""The baseline for `quillon --send`: a command that sends the same message
with Python's smtplib, started anew for each fax as a script would start
quillon. Usage: smtplib_cli.py PORT MESSAGE_FILE"""

import smtplib
import sys

port, path = int(sys.argv[1]), sys.argv[2]
with open(path, "rb") as f:
    message = f.read()
with smtplib.SMTP("127.0.0.1", port, local_hostname="client.example") as smtp:
    smtp.sendmail("joe@example.org", ["5551234@fax1.example"], message)
