kvx.updatePage({
"nonordinary": false,
"currentpage": "1_7q",
"pagename": "Pictures",
"scriptstorun": ["mpObj.question(true)", "piObj.question(2, '#00FF00')"],
"contents":	""
});
