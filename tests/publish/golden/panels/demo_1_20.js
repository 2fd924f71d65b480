kvx.updatePage({
"nonordinary": false,
"currentpage": "1_20",
"pagename": "Revise the birds",
"scriptstorun": [],
"contents":	""
});
