"""What Quillon's first catch-up does, done with Python's imaplib: sign in
over TLS, examine the inbox, search it for a gateway's mail since a day,
fetch each match's structure and header, then its first text part. Prints
the seconds it took, the interpreter's start left out.

Usage: imaplib_reports.py PORT USER PASSWORD CAFILE SINCE SENDER"""

import imaplib
import re
import ssl
import sys
import time


def main():
    port, user, password, cafile, since, sender = sys.argv[1:7]
    context = ssl.create_default_context(cafile=cafile)
    start = time.perf_counter()
    imap = imaplib.IMAP4_SSL("127.0.0.1", int(port), ssl_context=context)
    imap.login(user, password)
    imap.select("INBOX", readonly=True)
    _, found = imap.uid("SEARCH", "SINCE", since, "FROM", '"%s"' % sender)
    uids = found[0].split()
    if uids:
        _, heads = imap.uid("FETCH", b",".join(uids), "(UID BODYSTRUCTURE BODY.PEEK[HEADER])")
        for uid in uids:
            _, text = imap.uid("FETCH", uid, "(BODY.PEEK[1]<0.262144>)")
    imap.logout()
    print("%.6f %d" % (time.perf_counter() - start, len(uids)), flush=True)


if __name__ == "__main__":
    main()
