kvx.updatePage({
"nonordinary": false,
"currentpage": "0_0m",
"pagename": "Course menu",
"scriptstorun": ["kvx.createMenu()"],
"contents":	"<div style='position:absolute; left:36px; top:32px; width:464px; height:68px; overflow:auto;'><p style='text-align:left; margin-left:0px;'>Welcome</p></div>"
});
