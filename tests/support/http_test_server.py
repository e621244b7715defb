#!/usr/bin/env python3
"""A small HTTP(S) server for the fetch tests: it prints its port, then answers until killed.

Paths:
  /pic/NAME          a picture (a PNG signature and a body naming the path), Last-Modified fixed;
                     If-Modified-Since at or after it gives 304
  /text/NAME         plain text (no picture)
  /redirect/N/CODE/REST  N redirects with status CODE, then /REST
  /status/CODE       that status with a short body
  /stall             headers, a few bytes, then nothing
  /endless           a body without end and without a length
  /liar              announces 1000 bytes, sends 10 and closes
  /to/URL-ENCODED    a 302 to that URL (file:///etc/passwd, say)
  /count             how many requests each path had, as "path count" lines
  /file/NAME         the file NAME of the --root folder, Last-Modified fixed as for /pic
Every request waits --delay milliseconds first.
"""
import argparse
import collections
import email.utils
import os
import http.server
import ssl
import sys
import threading
import time
import urllib.parse

LAST_MODIFIED = 1700000000
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
counts = collections.Counter()
lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out in two writes: without this, Nagle's algorithm holds the body back until the
    # client's delayed acknowledgement (some 40 ms), and every answer on a kept connection waits for it.
    disable_nagle_algorithm = True
    delay = 0.0
    root = None

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        time.sleep(self.delay)
        path = self.path
        with lock:
            counts[path] += 1
        parts = urllib.parse.urlsplit(path).path.lstrip("/").split("/", 3)
        kind = parts[0]
        if kind == "pic":
            since = self.headers.get("If-Modified-Since")
            if since and email.utils.parsedate_to_datetime(since).timestamp() >= LAST_MODIFIED:
                self.send_response(304)
                self.end_headers()
                return
            body = PNG_SIGNATURE + path.encode() + b"\x00" * 64
            self.answer(200, body, [("Content-Type", "image/png"),
                                    ("Last-Modified", email.utils.formatdate(LAST_MODIFIED, usegmt=True))])
        elif kind == "file" and Handler.root and "/" not in parts[1] and not parts[1].startswith("."):
            try:
                with open(os.path.join(Handler.root, parts[1]), "rb") as f:
                    body = f.read()
            except OSError:
                self.answer(404, b"not here\n")
                return
            self.answer(200, body, [("Last-Modified", email.utils.formatdate(LAST_MODIFIED, usegmt=True))])
        elif kind == "text":
            self.answer(200, b"just text\n", [("Content-Type", "text/plain")])
        elif kind == "redirect":
            left, code = int(parts[1]), int(parts[2])
            rest = parts[3] if len(parts) > 3 else ""
            target = "/redirect/%d/%d/%s" % (left - 1, code, rest) if left > 1 else "/" + rest
            self.answer(code, b"", [("Location", target)])
        elif kind == "status":
            self.answer(int(parts[1]), b"status body\n")
        elif kind == "stall":
            self.send_response(200)
            self.send_header("Content-Length", "100")
            self.end_headers()
            self.wfile.write(PNG_SIGNATURE)
            self.wfile.flush()
            time.sleep(30)
        elif kind == "endless":
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            chunk = PNG_SIGNATURE + b"\x00" * 65528
            try:
                while True:
                    self.wfile.write(chunk)
            except OSError:
                pass
            self.close_connection = True
        elif kind == "liar":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(PNG_SIGNATURE + b"xx")
            self.wfile.flush()
            self.close_connection = True
        elif kind == "to":
            self.answer(302, b"", [("Location", urllib.parse.unquote(path[len("/to/"):]))])
        elif kind == "count":
            with lock:
                body = "".join("%s %d\n" % item for item in sorted(counts.items())).encode()
            self.answer(200, body)
        else:
            self.answer(404, b"not here\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--delay", type=float, default=0, help="milliseconds before every answer")
    parser.add_argument("--cert", help="certificate file: serve HTTPS")
    parser.add_argument("--key", help="key file of the certificate")
    parser.add_argument("--root", help="folder whose files /file/NAME serves")
    args = parser.parse_args()
    Handler.delay = args.delay / 1000
    Handler.root = args.root
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
