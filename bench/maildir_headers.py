"""The baseline for the Sent benchmark: Python's mailbox.Maildir reading the
header of every message in the folder, as a mail program lists a folder.
Usage: maildir_headers.py FOLDER. Prints the milliseconds."""

import email.parser
import mailbox
import sys
import time

start = time.perf_counter()
folder = mailbox.Maildir(sys.argv[1], create=False)
parser = email.parser.BytesHeaderParser()
subjects = []
for key in folder.iterkeys():
    with folder.get_file(key) as f:
        subjects.append(parser.parse(f)["Subject"])
print(f"{(time.perf_counter() - start) * 1000:.1f}", flush=True)
