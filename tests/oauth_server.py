"""A test OAuth 2.0 authorization server on a free loopback port, built on
Authlib's AuthorizationServer: the authorization code grant with PKCE
(RFC 7636, S256 only), refresh with rotation, and switches for the tests.
Prints its port, then serves until its standard input closes.

  GET  /authorize     checks the request and redirects to redirect_uri with
                      a code and the state, or, while denying, an error
  POST /token         authorization_code or refresh_token (a new refresh
                      token each time)
  GET  /introspect    ?token=T: {"active": bool, "user": ...}, for the SMTP
                      server
  POST /control       a JSON object: {"deny": bool}, {"expire": true} (every
                      access token ends), {"revoke": true} (every refresh
                      token ends), {"lifetime": seconds} (of tokens to come),
                      {"silent": bool} (token requests are taken and never
                      answered), {"id_email": address} (tokens come with an
                      OpenID Connect id_token naming that account)
  GET  /log           what was asked of it (authorizations, token grants) and
                      every token it gave

Two clients are registered: "quillon-test-client", public as Microsoft's
desktop clients are, and "quillon-secret-client" with the secret
"not-so-secret", as Google gives desktop clients.
"""

import base64
import json
import os
import secrets
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

# Plain http is for loopback only, where this server lives.
os.environ["AUTHLIB_INSECURE_TRANSPORT"] = "1"

from authlib.oauth2.rfc6749 import (AuthorizationCodeMixin,  # noqa: E402
                                    AuthorizationServer, ClientMixin,
                                    OAuth2Request, TokenMixin, grants)
from authlib.oauth2.rfc7636 import CodeChallenge  # noqa: E402

SCOPES = ["smtp.send", "offline_access"]

lock = threading.Lock()
codes = {}  # code -> Code
access = {}  # token -> user, while active
refresh = {}  # token -> Renewal, while active
deny = False
lifetime = 3600
silent = False  # the token endpoint takes requests and never answers
id_email = None  # the account an id_token names, if one is given
log = {"authorize": [], "token": [], "issued": []}


class Client(ClientMixin):
    def __init__(self, client_id, secret=None):
        self.client_id = client_id
        self.secret = secret

    def get_client_id(self):
        return self.client_id

    def get_default_redirect_uri(self):
        return None

    def get_allowed_scope(self, scope):
        return " ".join(s for s in scope.split() if s in SCOPES)

    def check_redirect_uri(self, redirect_uri):
        # RFC 8252 7.3: a loopback address with any port the client picks.
        url = urllib.parse.urlsplit(redirect_uri)
        return url.scheme == "http" and url.hostname == "127.0.0.1" and url.port is not None

    def check_client_secret(self, client_secret):
        return self.secret is not None and secrets.compare_digest(self.secret, client_secret)

    def check_endpoint_auth_method(self, method, endpoint):
        if self.secret is None:
            return method == "none"
        return method in ("client_secret_post", "client_secret_basic")

    def check_response_type(self, response_type):
        return response_type == "code"

    def check_grant_type(self, grant_type):
        return grant_type in ("authorization_code", "refresh_token")


CLIENTS = {c.client_id: c for c in (Client("quillon-test-client"),
                                     Client("quillon-secret-client", "not-so-secret"))}


class Code(AuthorizationCodeMixin):
    def __init__(self, code, request):
        self.code = code
        self.client_id = request.client.get_client_id()
        self.redirect_uri = request.redirect_uri
        self.scope = request.scope
        self.user = request.user
        self.code_challenge = request.data.get("code_challenge")
        self.code_challenge_method = request.data.get("code_challenge_method")

    def get_redirect_uri(self):
        return self.redirect_uri

    def get_scope(self):
        return self.scope


class Renewal(TokenMixin):
    def __init__(self, token, client_id, user):
        self.token = token
        self.client_id = client_id
        self.user = user

    def check_client(self, client):
        return client.get_client_id() == self.client_id

    def get_scope(self):
        return self.token.get("scope")

    def get_expires_in(self):
        return lifetime

    def is_expired(self):
        return False

    def is_revoked(self):
        return False


methods = ["none", "client_secret_post", "client_secret_basic"]


class CodeGrant(grants.AuthorizationCodeGrant):
    TOKEN_ENDPOINT_AUTH_METHODS = methods

    def save_authorization_code(self, code, request):
        with lock:
            codes[code] = Code(code, request)

    def query_authorization_code(self, code, client):
        with lock:
            item = codes.get(code)
        return item if item and item.client_id == client.get_client_id() else None

    def delete_authorization_code(self, item):
        with lock:
            codes.pop(item.code, None)

    def authenticate_user(self, item):
        return item.user


class RefreshGrant(grants.RefreshTokenGrant):
    TOKEN_ENDPOINT_AUTH_METHODS = methods
    INCLUDE_NEW_REFRESH_TOKEN = True

    def authenticate_refresh_token(self, refresh_token):
        with lock:
            return refresh.get(refresh_token)

    def authenticate_user(self, renewal):
        return renewal.user

    def revoke_old_credential(self, renewal):
        with lock:
            refresh.pop(renewal.token["refresh_token"], None)


class S256Only(CodeChallenge):
    SUPPORTED_CODE_CHALLENGE_METHOD = ["S256"]


def bearer(grant_type, client, user=None, scope=None, expires_in=None,
           include_refresh_token=True):
    # Long as Microsoft's are: the AUTH line must carry it whole.
    token = {"access_token": "at-" + secrets.token_urlsafe(1200), "token_type": "Bearer",
             "expires_in": lifetime, "scope": scope}
    if include_refresh_token:
        token["refresh_token"] = "rt-" + secrets.token_urlsafe(24)
    if id_email:
        # OpenID Connect: who signed in, unsigned as a test may have it.
        claims = json.dumps({"iss": "http://127.0.0.1", "email": id_email}).encode()
        token["id_token"] = ".".join(base64.urlsafe_b64encode(part).decode().rstrip("=")
                                     for part in (b'{"alg":"none"}', claims, b"sig"))
    return token


class Server(AuthorizationServer):
    def query_client(self, client_id):
        return CLIENTS.get(client_id)

    def save_token(self, token, request):
        with lock:
            access[token["access_token"]] = request.user
            log["issued"].append(token["access_token"])
            if "refresh_token" in token:
                refresh[token["refresh_token"]] = Renewal(
                    token, request.client.get_client_id(), request.user)
                log["issued"].append(token["refresh_token"])

    def create_oauth2_request(self, request):
        return request

    def handle_response(self, status, body, headers):
        return status, body, headers

    def send_signal(self, name, *args, **kwargs):
        pass


server = Server(scopes_supported=SCOPES)
server.register_grant(CodeGrant, [S256Only(required=True)])
server.register_grant(RefreshGrant)
server.register_token_generator("default", bearer)


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        data = json.dumps(body).encode() if isinstance(body, (dict, list)) else body.encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        for name, value in headers:
            if name.lower() not in ("content-type", "content-length"):
                self.send_header(name, value)
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        if url.path == "/authorize":
            return self.authorize(query)
        if url.path == "/introspect":
            with lock:
                user = access.get(query.get("token", ""))
            return self.reply(200, {"active": user is not None, "user": user})
        if url.path == "/log":
            with lock:
                return self.reply(200, log)
        self.reply(404, {"error": "not_found"})

    def authorize(self, query):
        with lock:
            log["authorize"].append(query)
        # Like the big providers: no sign-in without a PKCE challenge.
        if not query.get("code_challenge"):
            return self.reply(400, {"error": "invalid_request"})
        request = OAuth2Request("GET", "http://127.0.0.1" + self.path, None, self.headers)
        user = None if deny else query.get("login_hint", "someone")
        self.reply(*server.create_authorization_response(request, grant_user=user))

    def do_POST(self):
        length = int(self.headers.get("Content-Length", 0))
        body = self.rfile.read(length)
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/control":
            return self.control(json.loads(body))
        if url.path != "/token":
            return self.reply(404, {"error": "not_found"})
        form = dict(urllib.parse.parse_qsl(body.decode()))
        with lock:
            log["token"].append({k: v for k, v in form.items()
                                 if k in ("grant_type", "client_id", "redirect_uri")})
            hold = silent
        if hold:  # takes the request and never answers
            time.sleep(3600)
            return
        request = OAuth2Request("POST", "http://127.0.0.1" + self.path, form, self.headers)
        self.reply(*server.create_token_response(request))

    def control(self, switches):
        global deny, lifetime, silent, id_email
        with lock:
            if "silent" in switches:
                silent = switches["silent"]
            if "id_email" in switches:
                id_email = switches["id_email"]
            if "deny" in switches:
                deny = switches["deny"]
            if "lifetime" in switches:
                lifetime = switches["lifetime"]
            if switches.get("expire"):
                access.clear()
            if switches.get("revoke"):
                refresh.clear()
        self.reply(200, {"ok": True})


def main():
    httpd = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    print(httpd.server_address[1], flush=True)
    sys.stdin.read()
    httpd.shutdown()


if __name__ == "__main__":
    main()
