kvx.updatePage({
"fps": true,
"currentpage": "1_9",
"pagename": "Well done",
"scriptstorun": [],
"contents":	"<div id='print' style='position:absolute; right:24px; bottom:24px; overflow: visible; cursor:pointer;'>" + 
"<input class='print' style='cursor:pointer;' type='submit' value='{print}' data-kvx-click='window.print()'>" + 
"</div>"
});
