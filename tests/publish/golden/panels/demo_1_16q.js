kvx.updatePage({
"nonordinary": false,
"currentpage": "1_16q",
"pagename": "Never listed",
"scriptstorun": [],
"contents":	""
});
