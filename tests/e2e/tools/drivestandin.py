#!/usr/bin/env python3
"""Stand-in for Google Drive's files interface, Google's token endpoint and the notification
service, on one port of 127.0.0.1, for the end-to-end cases.

    drivestandin.py PORTFILE LOGFILE

Drive: files live in memory; the listing comes in pages of at most 2 files (so that clients must
follow "nextPageToken"), downloads with "alt=media", multipart uploads, deletes. Every Drive request
needs a bearer token starting with "e2e-"; others get 401. POST /o/oauth2/token hands out a new one.

Notification service: a web socket on "/notifier". A "notify" from one connection goes to the other
connections registered for the same user; "request-client-list" is answered with those computers.

Each request line and each web-socket message goes to LOGFILE, one per line ("HTTP ..." and
"WS <peer> <text>"). The port is written to PORTFILE once the server listens. Runs until stopped.
"""
import base64
import hashlib
import json
import os
import sys
import threading
from datetime import datetime, timedelta, timezone
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, unquote, urlsplit

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dumpserver import GUID, send_frame, text_messages  # noqa: E402

PAGE_SIZE = 2
LOCK = threading.Lock()
FILES = []          # {"id", "name", "createdTime", "content"} in creation order
CLIENTS = {}        # connection -> {"user", "name", "type", "time", "lock"}
COUNTER = [0]
START = datetime(2024, 3, 5, 10, 0, 0, tzinfo=timezone.utc)
LOG = None


def log(line):
    with LOCK:
        LOG.write(line + "\n")
        LOG.flush()


def compact(value):
    return json.dumps(value, separators=(",", ":"))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def answer(self, status, body=b"", content_type="application/json"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def body(self):
        return self.rfile.read(int(self.headers.get("Content-Length", "0")))

    def authorised(self):
        if self.headers.get("Authorization", "").startswith("Bearer e2e-"):
            return True
        self.answer(401, b'{"error":{"code":401,"message":"Invalid Credentials"}}')
        return False

    def do_GET(self):
        url = urlsplit(self.path)
        log("HTTP GET " + self.path)
        if url.path == "/notifier" and self.headers.get("Upgrade", "").lower() == "websocket":
            self.websocket()
            return
        if not self.authorised():
            return
        query = parse_qs(url.query)
        if url.path == "/drive/v3/files":
            start = int(query.get("pageToken", ["page:0"])[0].split(":")[1])
            with LOCK:
                page = FILES[start:start + PAGE_SIZE]
                more = start + PAGE_SIZE < len(FILES)
            answer = {"files": [{k: f[k] for k in ("id", "name", "createdTime")} for f in page]}
            if more and "nextPageToken" in query.get("fields", [""])[0]:
                answer["nextPageToken"] = "page:%d" % (start + PAGE_SIZE)
            self.answer(200, compact(answer).encode())
        elif url.path.startswith("/drive/v3/files/") and query.get("alt") == ["media"]:
            wanted = unquote(url.path[len("/drive/v3/files/"):])
            with LOCK:
                found = [f for f in FILES if f["id"] == wanted]
            if found:
                self.answer(200, found[0]["content"], "application/octet-stream")
            else:
                self.answer(404, b"{}")
        else:
            self.answer(400, b"{}")

    def do_POST(self):
        url = urlsplit(self.path)
        log("HTTP POST " + self.path)
        body = self.body()
        if url.path == "/o/oauth2/token":
            COUNTER[0] += 1
            self.answer(200, compact({"access_token": "e2e-access-%d" % COUNTER[0], "expires_in": 3600}).encode())
            return
        if not self.authorised():
            return
        if url.path != "/upload/drive/v3/files":
            self.answer(400, b"{}")
            return
        content_type = self.headers.get("Content-Type", "")
        prefix = "multipart/related; boundary="
        if not content_type.startswith(prefix):
            self.answer(400, b"{}")
            return
        boundary = content_type[len(prefix):].encode()
        head = b"--" + boundary + b"\nContent-Type: application/json; charset=UTF-8\n\n"
        middle = b"\n--" + boundary + b"\nContent-Type: application/octet-stream\n\n"
        tail = b"\n--" + boundary + b"--\n"
        if not body.startswith(head) or middle not in body or not body.endswith(tail):
            self.answer(400, b'{"error":{"code":400,"message":"Malformed multipart body"}}')
            return
        metadata, payload = body[len(head):-len(tail)].split(middle, 1)
        name = json.loads(metadata)["name"]
        with LOCK:
            COUNTER[0] += 1
            entry = {"id": "e2e-file-%d" % COUNTER[0], "name": name, "content": payload,
                     "createdTime": (START + timedelta(seconds=COUNTER[0])).strftime("%Y-%m-%dT%H:%M:%S.000Z")}
            FILES.append(entry)
        log("HTTP stored %s as %s (%d bytes)" % (name, entry["id"], len(payload)))
        self.answer(200, compact({"id": entry["id"], "name": name}).encode())

    def do_DELETE(self):
        url = urlsplit(self.path)
        log("HTTP DELETE " + self.path)
        if not self.authorised():
            return
        wanted = unquote(url.path[len("/drive/v3/files/"):])
        with LOCK:
            before = len(FILES)
            FILES[:] = [f for f in FILES if f["id"] != wanted]
            removed = len(FILES) < before
        self.answer(204 if removed else 404, b"" if removed else b"{}")

    def websocket(self):
        key = self.headers["Sec-WebSocket-Key"].encode()
        self.send_response(101)
        self.send_header("Upgrade", "websocket")
        self.send_header("Connection", "Upgrade")
        self.send_header("Sec-WebSocket-Accept", base64.b64encode(hashlib.sha1(key + GUID).digest()).decode())
        self.end_headers()
        self.wfile.flush()
        conn = self.connection
        conn.settimeout(None)
        peer = "%s:%d" % self.client_address
        me = {"lock": threading.Lock(), "user": None}
        with LOCK:
            CLIENTS[conn] = me
        def send(opcode, payload):
            with me["lock"]:
                send_frame(conn, opcode, payload)

        try:
            for text in text_messages(conn, send):
                log("WS %s %s" % (peer, text))
                self.handle_message(conn, me, json.loads(text))
        except (ConnectionError, OSError, ValueError):
            pass
        finally:
            with LOCK:
                CLIENTS.pop(conn, None)
            self.close_connection = True

    def handle_message(self, conn, me, message):
        operation = message.get("operation")
        if operation == "register":
            me.update(user=message.get("user"), name=message.get("name"), type=message.get("type"),
                      time=datetime.now(timezone.utc).strftime("%Y-%m-%dT%H:%M:%S"))
        elif operation == "notify":
            notice = compact({"operation": "notify", "content": message.get("content")}).encode()
            with LOCK:
                others = [(c, m) for c, m in CLIENTS.items() if c is not conn and m["user"] == me["user"]]
            for other, state in others:
                with state["lock"]:
                    send_frame(other, 0x1, notice)
                log("WS sent to another computer " + notice.decode())
        elif operation == "request-client-list":
            with LOCK:
                clients = [{k: m[k] for k in ("name", "type", "time")} for m in CLIENTS.values()
                           if m["user"] == me["user"]]
            with me["lock"]:
                send_frame(conn, 0x1, compact({"operation": "clientList", "clients": clients}).encode())


def main():
    global LOG
    port_file, log_file = sys.argv[1], sys.argv[2]
    LOG = open(log_file, "a")
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
