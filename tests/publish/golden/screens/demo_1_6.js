kvx.updatePage({
"nonordinary": false,
"currentpage": "1_6",
"pagename": "Shapes only",
"scriptstorun": ["kvx.drawShapes([['rect','#000000',1,10,10,90,90]])"],
"contents":	""
});
