kvx.updatePage({
"nonordinary": false,
"currentpage": "1_7q",
"pagename": "Pictures",
"scriptstorun": ["mpObj.question(true)", "piObj.question(2, '#00FF00')"],
"contents":	"<div id='kb1' style='position:absolute; left:10px; top:10px; width:190px; height:140px;'><img id='kb1img' src='images/' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></div>" + 
"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>" +
"</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div id='conOptions'>" +
"</div>" +
"<div id='conTargets'>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" +
"<div id='mpZoom'></div>" + 
"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'></p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div id='partsBg' style='text-align:center; position:relative; margin-left:auto; margin-right:auto; margin-top:8px; width:750px; height:301px; overflow:auto;'>" +
"<div id='container' style='position:relative; margin-left:auto; margin-right:auto; width:0px; height:0px;'>" +
"<img id='partsImg' src='images/questions/' style='width:0px; height:0px; cursor:pointer; vertical-align:text-bottom;' alt='Part ID image'>" +
"<div id='option0' class='piOption' style='left:0px; top:0px; width:0px; height:0px;'></div>" +
"<div id='option1' class='piOption' style='left:0px; top:0px; width:0px; height:0px;'></div>" +
"<div id='option2' class='piOption' style='left:0px; top:0px; width:0px; height:0px;'></div>" +
"</div>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" + 
"<div id='kb2' style='position:absolute; left:800px; top:10px; width:200px; height:140px;'><img id='kb2img' src='images/' alt='' title='' style='position:absolute; left:0px; top:0px; width:100%; height:100%; margin:0;'></div>"
});
