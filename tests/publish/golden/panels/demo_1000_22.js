kvx.updatePage({
"nonordinary": false,
"currentpage": "1000_22",
"pagename": "A popup",
"scriptstorun": [],
"contents":	""
});
