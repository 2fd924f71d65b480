kvx.updatePage({
"fps": true,
"currentpage": "1_18",
"pagename": "Well done",
"scriptstorun": [],
"contents":	""
});
