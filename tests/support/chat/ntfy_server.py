#!/usr/bin/python3
"""An ntfy-style push server on 127.0.0.1 for the demo: every POST or PUT to /<topic> is kept as
DIR/message-N.txt (the request line, the headers and the body) and answered as ntfy answers.
Prints "port N" once it listens; ends on SIGTERM or SIGINT."""
import argparse
import http.server
import json
import os
import signal
import sys
import threading
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--dir", required=True)
    args = parser.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    count = [0]
    lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        def receive(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0") or "0"))
            with lock:
                count[0] += 1
                path = os.path.join(args.dir, "message-%d.txt" % count[0])
            with open(path, "wb") as kept:
                kept.write(("%s %s\n" % (self.command, self.path)).encode())
                kept.write(str(self.headers).encode())
                kept.write(body + b"\n")
            answer = json.dumps({"id": str(count[0]), "time": int(time.time()), "event": "message",
                                 "topic": self.path.strip("/"), "message": body.decode("utf-8", "replace")})
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(len(answer)))
            self.end_headers()
            self.wfile.write(answer.encode())

        do_POST = receive
        do_PUT = receive

        def log_message(self, format, *values):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    print("port %d" % server.server_address[1], flush=True)
    signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
