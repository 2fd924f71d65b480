"use strict";
// A static file server on the loopback address for the browser tests: a published course is served as
// a web server would serve it, never through file:// only.
const http = require("http");
const fs = require("fs");
const path = require("path");

const types = {
    ".htm": "text/html; charset=utf-8", ".html": "text/html; charset=utf-8", ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8", ".png": "image/png", ".gif": "image/gif", ".jpg": "image/jpeg",
    ".ico": "image/x-icon", ".wav": "audio/wav", ".mp3": "audio/mpeg", ".mpg": "video/mpeg",
    ".webm": "video/webm", ".swf": "application/x-shockwave-flash", ".xml": "text/xml", ".jse": "text/plain"
};

function serve(root) {
    const server = http.createServer((req, res) => {
        const url = new URL(req.url, "http://127.0.0.1");
        const rel = decodeURIComponent(url.pathname);
        // The browser asks every server for its icon; a course has none at the server's root.
        if (rel === "/favicon.ico") {
            res.writeHead(204);
            res.end();
            return;
        }
        const file = path.resolve(root, "." + rel);
        if (!file.startsWith(path.resolve(root) + path.sep)) {
            res.writeHead(403);
            res.end();
            return;
        }
        fs.stat(file, (err, st) => {
            if (err || !st.isFile()) {
                res.writeHead(404, { "Content-Type": "text/plain" });
                res.end("not found");
                return;
            }
            res.writeHead(200, {
                "Content-Type": types[path.extname(file).toLowerCase()] || "application/octet-stream",
                "Content-Length": st.size, "Cache-Control": "no-store"
            });
            if (req.method === "HEAD")
                res.end();
            else
                fs.createReadStream(file).pipe(res);
        });
    });
    return new Promise(resolve => {
        server.listen(0, "127.0.0.1", () => {
            const base = "http://127.0.0.1:" + server.address().port + "/";
            resolve({ base, close: () => new Promise(r => server.close(r)) });
        });
    });
}

module.exports = { serve };
