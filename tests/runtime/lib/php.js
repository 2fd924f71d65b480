"use strict";
// PHP's own web server for the browser tests of the server pages: php -S on a free port of the loopback
// address, and why the tests cannot run when PHP or its SQLite driver is missing.
const net = require("net");
const { spawn, spawnSync } = require("child_process");

function phpSkipReason() {
    const php = spawnSync("php", ["-r", "echo extension_loaded('pdo_sqlite') ? 'yes' : 'no';"], { encoding: "utf8" });
    return php.status !== 0 ? "php is not installed (scripts/deps.sh installs php-cli)"
        : php.stdout !== "yes" ? "PHP has no SQLite driver (scripts/deps.sh installs php-sqlite3)" : false;
}

function freePort() {
    return new Promise((resolve, reject) => {
        const s = net.createServer();
        s.on("error", reject);
        s.listen(0, "127.0.0.1", () => {
            const port = s.address().port;
            s.close(() => resolve(port));
        });
    });
}

async function startPhp(root) {
    const port = await freePort();
    // No opcode cache: a test changes the configuration within the same second.
    const child = spawn("php", ["-d", "opcache.enable=0", "-S", "127.0.0.1:" + port, "-t", root], { stdio: ["ignore", "ignore", "pipe"] });
    let log = "";
    child.stderr.on("data", d => { log += d; });
    const url = "http://127.0.0.1:" + port + "/";
    for (let i = 0; i < 100; ++i) {
        try {
            await fetch(url + "index.htm");
            return { url, child, log: () => log };
        } catch (e) {
            await new Promise(r => setTimeout(r, 50));
        }
    }
    child.kill();
    throw new Error("php -S did not start: " + log);
}

module.exports = { phpSkipReason, startPhp };
