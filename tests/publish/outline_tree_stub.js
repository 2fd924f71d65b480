// A small stand-in for the course run-time's tree script, for builds whose program folder does not hold
// it: the outline page's d.add(id, parent id, name, link, ...) nodes drawn as nested lists under node 0,
// screens as links and folders as buttons followed by their branch.
function dTree(name) {
  "use strict";
  this.name = name;
  this.nodes = [];
}

dTree.prototype.add = function (id, pid, name, url) {
  "use strict";
  this.nodes.push({ id: Number(id), pid: Number(pid), name: String(name), url: url ? String(url) : "" });
};

dTree.prototype.render = function (container) {
  "use strict";
  const doc = container.ownerDocument;
  const item = (node) => {
    const li = doc.createElement("li");
    const children = this.nodes.filter((n) => n.pid === node.id && n !== node);
    const label = doc.createElement(children.length && !node.url ? "button" : "a");
    label.textContent = node.name;
    li.append(label);
    if (children.length) {
      const list = doc.createElement("ul");
      for (const child of children)
        list.append(item(child));
      li.append(list);
    }
    return li;
  };
  const root = this.nodes.find((n) => n.id === 0 && n.pid === -1);
  const heading = doc.createElement("p");
  heading.textContent = root ? root.name : "";
  const top = doc.createElement("ul");
  for (const node of this.nodes.filter((n) => n.pid === 0 && n.id !== 0))
    top.append(item(node));
  container.append(heading, top);
};
