// Loaded at the end of a copy of a published outline page, after its tree was drawn and the course's
// glossary script ran: reads back from the page what a learner sees (the outline's entries with their
// nesting, and each glossary entry shown as the glossary shows it) and leaves it, as base64 JSON, in
// <pre id="result"> for the test to read from the dumped page.
(function () {
  "use strict";
  // The name of one entry of the drawn tree: its link, its folder button, or its own text.
  function nameOf(li) {
    for (const child of li.children) {
      if (child.tagName === "A")
        return child.textContent;
      if (child.tagName === "BUTTON")
        return child.getAttribute("aria-label") || child.textContent;
    }
    let text = "";
    for (const node of li.childNodes)
      if (node.nodeType === Node.TEXT_NODE)
        text += node.textContent;
    return text;
  }
  function entries(list) {
    const out = [];
    for (const li of list.children) {
      if (li.tagName !== "LI")
        continue;
      const sub = [...li.children].find((c) => c.tagName === "UL");
      out.push({ name: nameOf(li), children: sub ? entries(sub) : [] });
    }
    return out;
  }
  const tree = document.querySelector("#kvxTree ul");
  // What each node leads to: the screen of its pg entry, or the menu.
  const links = d.nodes.filter((n) => Number(n.pid) !== -1).map((n) => {
    const m = /^javascript:fPage\(pg\[(\d+)\]\);$/.exec(n.url || "");
    return { name: n.name, screen: m ? pg[Number(m[1])] : null, url: n.url || "" };
  });

  const shown = document.createElement("dl");
  shown.id = "glossaryShown";
  for (const entry of window.kvxGlossary || []) {
    const at = entry.indexOf(":::");
    const dt = document.createElement("dt");
    dt.textContent = entry.slice(0, at);
    const dd = document.createElement("dd");
    dd.textContent = entry.slice(at + 3);
    shown.append(dt, dd);
  }
  document.body.append(shown);
  const glossary = [...shown.querySelectorAll("dt")].map((dt) => ({ term: dt.textContent, text: dt.nextElementSibling.textContent }));

  const result = {
    title: document.title,
    lang: document.documentElement.lang,
    tree: tree ? entries(tree) : null,
    links,
    glossary,
    expanded: [...document.querySelectorAll("[aria-expanded]")].map((b) => b.getAttribute("aria-expanded")),
    fontfamily: window.fontfamily,
    fontsize: window.fontsize,
  };
  const pre = document.createElement("pre");
  pre.id = "result";
  pre.textContent = btoa(unescape(encodeURIComponent(JSON.stringify(result))));
  document.body.append(pre);
})();
