#!/usr/bin/env python3
"""Local HTTP server for the browser's tests, on 127.0.0.1 and a free port.

    html_test_server.py --start STATE   serve in the background; STATE gets "PORT PID"
    html_test_server.py --stop STATE    end the server named in STATE

Pages: /page.htm; /redirect/N (N redirects, then /page.htm); /loop (redirects
to itself); /long (a Location of 5,000 characters); /pictures/N (a page of N
pictures /pic/K.png, each served after 300 ms); /slow.png (a picture that
trickles for 30 s); POST /echo (a page naming the body and headers). Every
request is recorded: /requests gives one line per request (method, path,
user agent, referer, body) and /stats the most pictures served at once.
"""
import http.server
import os
import signal
import socketserver
import sys
import threading
import time
import zlib
import struct

lock = threading.Lock()
requests = []
serving = 0
most = 0


def png(width=16, height=8):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + b"\xff\x80\x00" * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def record(self, body=b""):
        with lock:
            requests.append("\t".join([self.command, self.path, self.headers.get("User-Agent", ""),
                                       self.headers.get("Referer", ""), body.decode("latin-1")]))

    def reply(self, code, body=b"", kind="text/html", headers=()):
        self.send_response(code)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        global serving, most
        self.record()
        path = self.path
        if path == "/page.htm":
            self.reply(200, b"<title>Served page</title>Served <b>text</b>")
        elif path.startswith("/redirect/"):
            left = int(path.split("/")[2] or 0)
            self.reply(302, headers=[("Location", "/redirect/%d" % (left - 1) if left > 1 else "/page.htm")])
        elif path == "/loop":
            self.reply(302, headers=[("Location", "/loop")])
        elif path == "/long":
            self.reply(302, headers=[("Location", "/" + "x" * 5000)])
        elif path.startswith("/pictures/"):
            count = int(path.split("/")[2])
            self.reply(200, "".join('<img src="/pic/%d.png">' % k for k in range(count)).encode())
        elif path.startswith("/pic/"):
            with lock:
                serving += 1
                most = max(most, serving)
            time.sleep(0.3)
            with lock:
                serving -= 1
            self.reply(200, png(), "image/png")
        elif path == "/slow.png":
            self.send_response(200)
            self.send_header("Content-Type", "image/png")
            self.send_header("Content-Length", "100000")
            self.end_headers()
            try:
                for _ in range(300):
                    self.wfile.write(b"\0" * 10)
                    self.wfile.flush()
                    time.sleep(0.1)
            except OSError:
                pass
        elif path == "/requests":
            with lock:
                text = "\n".join(requests)
            self.reply(200, text.encode("latin-1"), "text/plain")
        elif path == "/stats":
            with lock:
                text = "most=%d" % most
            self.reply(200, text.encode(), "text/plain")
        else:
            self.reply(404, b"missing")

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        self.record(body)
        if self.path.startswith("/echo"):
            self.reply(200, b"<title>Echo</title>Posted " + body.replace(b"&", b" ") + b" as "
                       + self.headers.get("Content-Type", "").encode())
        else:
            self.reply(404, b"missing")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("--start", "--stop"):
        sys.exit("usage: html_test_server.py --start|--stop STATE")
    state = sys.argv[2]
    if sys.argv[1] == "--stop":
        try:
            pid = int(open(state).read().split()[1])
            os.kill(pid, signal.SIGTERM)
        except (OSError, ValueError, IndexError):
            pass
        return
    server = Server(("127.0.0.1", 0), Handler)
    read, write = os.pipe()
    if os.fork() > 0:
        os.close(write)
        os.read(read, 1)  # the child is listening
        return
    os.setsid()
    os.close(read)
    for stream in (0, 1, 2):
        os.dup2(os.open(os.devnull, os.O_RDWR), stream)
    with open(state, "w") as out:
        out.write("%d %d\n" % (server.server_address[1], os.getpid()))
    os.write(write, b"x")
    os.close(write)
    server.serve_forever()


if __name__ == "__main__":
    main()
