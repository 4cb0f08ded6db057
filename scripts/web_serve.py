#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 as a web server would send a game's page: each file
compressed with gzip when the browser accepts it, and .wasm with its own type so
that the browser compiles it while it downloads.

Usage: web_serve.py FOLDER PORT
"""
import functools
import gzip
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".wav": "audio/wav", ".html": "text/html; charset=utf-8",
                      ".webmanifest": "application/manifest+json"}

    def send_head(self):
        path = self.translate_path(self.path)
        if "gzip" not in self.headers.get("Accept-Encoding", "") or path.endswith("/"):
            return super().send_head()
        try:
            body = _compressed(path, os.stat(path).st_mtime_ns)
        except OSError:
            body = None
        if body is None:
            return super().send_head()
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return _Body(body)

    def log_message(self, *args):
        pass


@functools.lru_cache(maxsize=64)
def _compressed(path, modified):
    """The file compressed once per version (`modified`, its time of change), when first
    asked for: a site rebuilt while served is sent as it is now."""
    with open(path, "rb") as source:
        return gzip.compress(source.read(), 9)


class _Body:
    """The compressed file, handed to copyfile as if it were the open file."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        chunk, self.data = (self.data, b"") if size < 0 else (self.data[:size], self.data[size:])
        return chunk

    def close(self):
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=folder))
    print(f"Frothwick is served on http://127.0.0.1:{server.server_address[1]}/", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
