kvx.updatePage({
"nonordinary": false,
"currentpage": "1_11",
"pagename": "Linked pictures",
"scriptstorun": [],
"contents":	"<div id='kb1' style='position:absolute; left:10px; top:10px; width:150px; height:100px;'><a href='#' data-kvx-click='kvx.gotoNewPage(\"1_13\")'><img id='kb1img' src='images/link10.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></a></div>" + 
"<div id='kb2' style='position:absolute; left:170px; top:10px; width:150px; height:100px;'><a href='#' data-kvx-click='kvx.popup(\"1000_22\",400,300)'><img id='kb2img' src='images/link170.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></a></div>" + 
"<div id='kb3' style='position:absolute; left:330px; top:10px; width:150px; height:100px;'><a href='#' data-kvx-click='kvx.popup(\"1000_22\",1008,560)'><img id='kb3img' src='images/link330.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></a></div>" + 
"<div id='kb4' style='position:absolute; left:490px; top:10px; width:150px; height:100px;'><a href='#' data-kvx-script='f8ece7857542b783488c'><img id='kb4img' src='images/link490.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></a></div>" + 
"<div id='kb5' style='position:absolute; left:650px; top:10px; width:150px; height:100px;'><a href='https://example.org/birds' target='_blank'><img id='kb5img' src='images/link650.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></a></div>" + 
"<div id='kb6' style='position:absolute; left:810px; top:10px; width:150px; height:100px;'><img id='kb6img' src='images/link810.png' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></div>"
});
