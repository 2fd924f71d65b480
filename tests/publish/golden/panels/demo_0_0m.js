kvx.updatePage({
"nonordinary": false,
"currentpage": "0_0m",
"pagename": "Sea birds",
"scriptstorun": ["kvx.createMenu()"],
"contents":	""
});
