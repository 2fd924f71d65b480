'use strict';
// Runs each screen file given on the command line against a stand-in of the course run-time and prints,
// as JSON, what the file handed to kvx.updatePage, whether every start-up entry compiles as the run-time
// compiles it, and any error.
const fs = require('fs');
const vm = require('vm');

function check(file) {
  const result = { file };
  try {
    let text = fs.readFileSync(file, 'utf8');
    if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
    new vm.Script(text, { filename: file });
    const pages = [];
    const runtime = { kvx: { updatePage: (o) => pages.push(o) } };
    vm.runInNewContext(text, runtime, { filename: file, timeout: 2000 });
    if (pages.length !== 1) throw new Error(`kvx.updatePage called ${pages.length} times`);
    const page = pages[0];
    result.badEntries = [];
    for (const entry of page.scriptstorun || []) {
      if (typeof entry !== 'string') { result.badEntries.push(String(entry)); continue; }
      try { new Function('o', entry); } catch (e) { result.badEntries.push(`${entry}: ${e.message}`); }
    }
    result.page = page;
    result.ok = result.badEntries.length === 0 && typeof page.contents === 'string';
  } catch (e) {
    result.ok = false;
    result.error = String(e);
  }
  return result;
}

process.stdout.write(JSON.stringify(process.argv.slice(2).map(check)));
