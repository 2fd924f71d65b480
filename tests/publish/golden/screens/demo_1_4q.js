kvx.updatePage({
"nonordinary": false,
"currentpage": "1_4q",
"pagename": "Blanks",
"scriptstorun": ["mcObj.question(true)", "cpObj.question()", "fbObj.question()"],
"contents":	""
});
