#!/usr/bin/env python3
"""Stand-in for the notification service's crash-dump endpoint, for the end-to-end cases.

Listens on 127.0.0.1 (port 0: a free one, written to PORTFILE), accepts one web socket on
"/notifier", answers the client's crash-dump messages ("continue" to each, "done" after the end
message), writes every text message it receives to LOGFILE (one per line), and exits when the
client closes the connection or after 60 seconds.

    dumpserver.py PORTFILE LOGFILE
"""
import base64
import hashlib
import json
import os
import socket
import struct
import sys

GUID = b"258EAFA5-E914-47DA-95CA-C5AB0DC85B11"


def read_exactly(conn, size):
    data = b""
    while len(data) < size:
        chunk = conn.recv(size - len(data))
        if not chunk:
            raise ConnectionError("closed")
        data += chunk
    return data


def handshake(conn):
    request = b""
    while b"\r\n\r\n" not in request:
        chunk = conn.recv(4096)
        if not chunk:
            raise ConnectionError("closed during the handshake")
        request += chunk
    lines = request.split(b"\r\n")
    path = lines[0].split(b" ")[1]
    headers = {}
    for line in lines[1:]:
        if b":" in line:
            name, value = line.split(b":", 1)
            headers[name.strip().lower()] = value.strip()
    if path != b"/notifier":
        conn.sendall(b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n")
        raise ConnectionError("wrong path %r" % path)
    accept = base64.b64encode(hashlib.sha1(headers[b"sec-websocket-key"] + GUID).digest())
    conn.sendall(b"HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                 b"Sec-WebSocket-Accept: " + accept + b"\r\n\r\n")


def read_frame(conn):
    first, second = read_exactly(conn, 2)
    opcode = first & 0x0F
    length = second & 0x7F
    if length == 126:
        length = struct.unpack(">H", read_exactly(conn, 2))[0]
    elif length == 127:
        length = struct.unpack(">Q", read_exactly(conn, 8))[0]
    mask = read_exactly(conn, 4) if second & 0x80 else b"\0\0\0\0"
    payload = bytes(b ^ mask[i % 4] for i, b in enumerate(read_exactly(conn, length)))
    return first & 0x80, opcode, payload


def send_frame(conn, opcode, payload):
    header = bytes([0x80 | opcode])
    if len(payload) < 126:
        header += bytes([len(payload)])
    elif len(payload) < 65536:
        header += bytes([126]) + struct.pack(">H", len(payload))
    else:
        header += bytes([127]) + struct.pack(">Q", len(payload))
    conn.sendall(header + payload)


def text_messages(conn, send=None):
    """Yields each text message of a client until it closes; answers pings and the closing frame.
    `send(opcode, payload)` replaces sending straight to conn (when others write to it too)."""
    send = send or (lambda opcode, payload: send_frame(conn, opcode, payload))
    message = b""
    while True:
        final, opcode, payload = read_frame(conn)
        if opcode == 0x8:
            send(0x8, payload[:2])
            return
        if opcode == 0x9:
            send(0xA, payload)
            continue
        if opcode not in (0x0, 0x1):
            continue
        message += payload
        if final:
            yield message.decode("utf-8")
            message = b""


def main():
    port_file, log_file = sys.argv[1], sys.argv[2]
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    server.settimeout(60)
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)

    conn, _ = server.accept()
    conn.settimeout(60)
    handshake(conn)
    with open(log_file, "a") as log:
        for text in text_messages(conn):
            log.write(text + "\n")
            log.flush()
            operation = json.loads(text).get("operation")
            answer = "done" if operation == "crash-dump-end" else "continue"
            send_frame(conn, 0x1, json.dumps({"crashdump": answer}).encode())
    conn.close()


if __name__ == "__main__":
    main()
