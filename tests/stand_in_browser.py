#!/usr/bin/python3
"""Stands in for the user's web browser when Quillon opens one for an OAuth
sign-in: Qt runs it with the address, as it runs $BROWSER. It asks the
authorization server, which approves or refuses, and follows the redirect
to Quillon's listener with a real GET, as a browser does. With
"wrong_state" in the file named by $STAND_IN_BROWSER it first comes back
with a state Quillon did not send. Appends what each request answered to
that file's "log"."""

import json
import os
import sys
import urllib.error
import urllib.parse
import urllib.request


class NoRedirect(urllib.request.HTTPRedirectHandler):
    def redirect_request(self, *args):
        return None


def get(url, follow=True):
    opener = urllib.request.build_opener() if follow else urllib.request.build_opener(NoRedirect)
    try:
        with opener.open(url, timeout=20) as answer:
            return answer.status, answer.headers, answer.read().decode()
    except urllib.error.HTTPError as answer:
        return answer.code, answer.headers, answer.read().decode()


def main():
    config_path = os.environ["STAND_IN_BROWSER"]
    with open(config_path) as f:
        config = json.load(f)
    status, headers, _ = get(sys.argv[1], follow=False)
    visits = []
    if status == 302:
        location = headers["Location"]
        if config.get("wrong_state"):
            forged = urllib.parse.urlsplit(location)
            query = dict(urllib.parse.parse_qsl(forged.query))
            query["state"] = "not-the-state"
            visits.append(get(forged._replace(query=urllib.parse.urlencode(query)).geturl())[::2])
        visits.append(get(location)[::2])
    else:
        visits.append((status, "the authorization server refused"))
    config.setdefault("log", []).append({"opened": sys.argv[1], "visits": visits})
    with open(config_path, "w") as f:
        json.dump(config, f)


if __name__ == "__main__":
    main()
