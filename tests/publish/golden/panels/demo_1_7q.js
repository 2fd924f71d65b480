kvx.updatePage({
"nonordinary": false,
"currentpage": "1_7q",
"pagename": "Parts",
"scriptstorun": ["piObj.question(2, '#00FF00')"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>Find the engine's two valves.</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div id='partsBg' style='text-align:center; position:relative; margin-left:auto; margin-right:auto; margin-top:8px; width:750px; height:301px; overflow:auto;'>" +
"<div id='container' style='position:relative; margin-left:auto; margin-right:auto; width:300px; height:200px;'>" +
"<img id='partsImg' src='images/questions/engine.png' style='width:300px; height:200px; cursor:pointer; vertical-align:text-bottom;' alt='Part ID image'>" +
"<div id='option0' class='piOption' style='left:20px; top:30px; width:40px; height:40px;'></div>" +
"<div id='option1' class='piOption' style='left:100px; top:120px; width:40px; height:70px;'></div>" +
"</div>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
