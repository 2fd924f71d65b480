"use strict";
// The courses of the browser tests: published by the program (publish), or put together from a fixture's
// files, the run-time as the program installs it (scripts and style sheets of
// source/publish/content/scripts) and the pictures and sounds that the test makes (assemble).
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");
const media = require("./media");

const repo = path.resolve(__dirname, "..", "..", "..");

function programFolder() {
    return process.env.CORV_PROGRAM_DIR || path.join(repo, "data");
}

function runtimeScripts() {
    return path.join(programFolder(), "source", "publish", "content", "scripts");
}

function copyTree(from, to) {
    fs.mkdirSync(to, { recursive: true });
    for (const entry of fs.readdirSync(from, { withFileTypes: true })) {
        const a = path.join(from, entry.name), b = path.join(to, entry.name);
        if (entry.isDirectory())
            copyTree(a, b);
        else if (entry.isFile())
            fs.copyFileSync(a, b);
    }
}

function write(file, bytes) {
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, bytes);
}

// The pictures a theme gives the navigation and question buttons, and the outline's tree pictures.
function themePictures(scripts) {
    const pics = path.join(scripts, "pics");
    const buttons = { nav_next: [0, 110, 0], nav_back: [110, 0, 0], nav_menu: [0, 0, 110], nav_quit: [90, 90, 90] };
    for (const [name, rgb] of Object.entries(buttons))
        write(path.join(pics, name + ".png"), media.solid(100, 36, rgb));
    for (const name of ["btn_done", "btn_play", "btn_stop"])
        write(path.join(pics, name + ".png"), media.solid(110, 47, [60, 60, 140]));
    write(path.join(pics, "btn_popup.png"), media.solid(24, 24, [160, 0, 0]));
    for (const name of ["root", "folder", "folderopen", "page", "question", "expand", "collapse", "blank",
                        "remediation", "remediationopen"])
        write(path.join(pics, "tree", name + ".gif"), media.gif);
}

// A new folder holding the course: fixtures/<name> plus the run-time and the made files.
function assemble(name) {
    const root = fs.mkdtempSync(path.join(os.tmpdir(), "corv-course-"));
    copyTree(path.join(__dirname, "..", "fixtures", name), root);
    const content = path.join(root, "content");
    const scripts = path.join(content, "scripts");
    for (const file of fs.readdirSync(runtimeScripts()))
        if (/\.(js|css|jse)$/.test(file))
            fs.copyFileSync(path.join(runtimeScripts(), file), path.join(scripts, file));
    themePictures(scripts);
    const sun = (x, y) => ((x - 240) ** 2 + (y - 60) ** 2 < 900 ? [250, 220, 40] : [40, 90, 200]);
    write(path.join(content, "images", "photo.png"), media.png(320, 240, sun));
    write(path.join(content, "images", "mm0.png"), media.solid(200, 145, [200, 120, 40]));
    write(path.join(content, "images", "mm1.png"), media.solid(200, 145, [40, 160, 120]));
    write(path.join(content, "media", "tone.wav"), media.wav());
    // The video request must succeed; what the file holds does not matter to the run-time.
    write(path.join(content, "media", "clip.mpg"), Buffer.alloc(2048));
    return root;
}

// Publishes a course with the program (publish_runtime_course): kind "tour" or "quiz", target "standalone",
// "web", "scorm12" or "scorm2004". Returns the work folder; the course is in its "out" folder.
function publish(kind, target) {
    const tool = process.env.CORV_PUBLISH_COURSE;
    if (!tool)
        throw new Error("CORV_PUBLISH_COURSE names no publisher (the runtime_browser test sets it)");
    const work = fs.mkdtempSync(path.join(os.tmpdir(), "corv-" + kind + "-"));
    const run = spawnSync(tool, [programFolder(), work, kind, target], { encoding: "utf8" });
    if (run.status !== 0) {
        remove(work);
        throw new Error("the publish of the " + kind + " for " + target + " failed:\n" + run.stdout + run.stderr);
    }
    return work;
}

function remove(root) {
    fs.rmSync(root, { recursive: true, force: true });
}

// The end of a test file: the browser, the server and the course folder go.
async function closeAll({ browser, server, root }) {
    if (browser)
        await browser.close();
    if (server)
        await server.close();
    if (root)
        remove(root);
}

module.exports = { assemble, publish, remove, closeAll, runtimeScripts, programFolder, repo };
