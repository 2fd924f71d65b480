'use strict';
// Runs a course's international texts script, its glossary script and the script of its outline page
// against stand-ins of what the course gives them, and prints as JSON what each one defined:
//
//   node course_scripts_check.js <internationalisation.js> <glossary_items.js> <outline.htm>
//
// Each script is compiled on its own first, so that a syntax error names its file.
const fs = require('fs');
const vm = require('vm');

function source(file) {
  let text = fs.readFileSync(file, 'utf8');
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  return text;
}

function run(file, text, context) {
  const result = { file };
  try {
    new vm.Script(text, { filename: file });
    vm.runInNewContext(text, context, { filename: file, timeout: 2000 });
    result.ok = true;
  } catch (e) {
    result.ok = false;
    result.error = String(e);
  }
  return result;
}

function international(file) {
  // The options script defines kvxPrefs before this one runs.
  const context = { kvxPrefs: {} };
  const result = run(file, source(file), context);
  const objects = {};
  for (const name of Object.keys(context))
    if (name !== 'kvxPrefs') objects[name] = context[name];
  objects['kvxPrefs.str'] = context.kvxPrefs.str;
  result.objects = objects;
  return result;
}

function glossary(file) {
  const context = { kvxGlossary: [] };
  const result = run(file, source(file), context);
  result.fontsize = context.fontsize;
  result.fontfamily = context.fontfamily;
  result.entries = context.kvxGlossary.map((entry) => {
    const at = entry.indexOf(':::');
    return { term: entry.slice(0, at), text: entry.slice(at + 3) };
  });
  return result;
}

function outline(file) {
  const page = source(file);
  // The page runs no inline script: its own script is the file it names beside it (outline.js).
  const scripts = [...page.matchAll(/<script type="text\/javascript">([\s\S]*?)<\/script>/g)].map((m) => m[1])
    .concat([...page.matchAll(/<script type="text\/javascript" src="(outline\.js)"><\/script>/g)]
      .map((m) => source(require('path').join(require('path').dirname(file), m[1]))));
  const nodes = [];
  const document = { title: '', getElementById: () => ({ setAttribute() {} }) };
  function dTree() {}
  dTree.prototype.add = function (id, pid, name, url, title, target, icon, iconOpen) {
    nodes.push({ id, pid, name, url: url || '', icon: icon || '', iconOpen: iconOpen || '' });
  };
  dTree.prototype.render = function () {};
  const context = { document, dTree };
  const result = run(file, scripts.join('\n'), context);
  result.scripts = scripts.length;
  result.title = document.title;
  result.pg = context.pg;
  result.nodes = nodes;
  return result;
}

const [intl, gloss, page] = process.argv.slice(2);
process.stdout.write(JSON.stringify({ international: international(intl), glossary: glossary(gloss), outline: outline(page) }));
