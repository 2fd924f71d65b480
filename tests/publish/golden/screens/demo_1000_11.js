kvx.updatePage({
"nonordinary": false,
"currentpage": "1000_11",
"pagename": "A popup",
"scriptstorun": [],
"contents":	"<div style='position:absolute; left:10px; top:10px; width:290px; height:90px; overflow:auto;'><p style='text-align:left; margin-left:0px;'>Popup text</p></div>"
});
