"""Checks that every library includes only from itself and the libraries
below it, so that the folders stay layered as the top CMakeLists.txt says:
app, ui, outbox and print, reports, imap and sent, smtp and mail, then
account, documents, store and mime. Prints each include that reaches up or
sideways, and fails if any does."""

import pathlib
import re
import sys

BELOW = {
    "store": set(),
    "translations": set(),
    "mime": {"store"},
    "account": {"store"},
    "documents": {"translations", "store"},
    "mail": {"mime", "store"},
    "smtp": {"mail", "account", "mime", "store"},
    "sent": {"mail", "mime", "store"},
    "imap": {"smtp", "account", "store"},
    "reports": {"imap", "sent", "smtp", "mail", "account", "mime", "store"},
    "outbox": {"reports", "imap", "smtp", "sent", "mail", "account", "documents", "mime", "store"},
    "print": {"store"},
    "ui": {"outbox", "reports", "imap", "print", "sent", "smtp", "mail", "account", "documents", "mime", "store",
           "translations"},
    "app": {"ui", "outbox", "reports", "imap", "print", "sent", "smtp", "mail", "account", "documents", "mime", "store",
            "translations"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)

root = pathlib.Path(sys.argv[1])
wrong = []
for library, allowed in BELOW.items():
    for source in sorted((root / library).rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        for name in INCLUDE.findall(source.read_text(encoding="utf-8")):
            owner = name.split("/")[0] if "/" in name else None
            if owner != library and owner not in allowed:
                wrong.append(f"{source.relative_to(root)}: {name}")
for line in wrong:
    print(line)
print(f"{len(BELOW)} libraries, {len(wrong)} includes out of place")
sys.exit(1 if wrong else 0)
