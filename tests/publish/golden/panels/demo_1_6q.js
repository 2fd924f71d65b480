kvx.updatePage({
"nonordinary": false,
"currentpage": "1_6q",
"pagename": "Pairs",
"scriptstorun": ["mpObj.question(true)"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>" +
"Match each bird to its egg. Gulls nest on cliffs</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div id='conOptions'>" +
"<a id='option0' class='mpOption'>" +
"Gull" +
"<img src='images/questions/1_1_5l0.png' style='width:40px; height:40px;' alt=''>" +
"</a>" +
"<a id='option1' class='mpOption'>" +
"Go to the quiz" +
"</a>" +
"<a id='option2' class='mpOption'>" +
"<img src='images/questions/1_1_5l3.png' style='width:40px; height:40px;' alt=''>" +
"</a>" +
"<a id='option3' class='mpOption'>" +
"Tern" +
"</a>" +
"</div>" +
"<div id='conTargets'>" +
"<a id='target0' class='mpTarget'>" +
"Speckled" +
"</a>" +
"<a id='target1' class='mpTarget'>" +
"<img src='images/questions/1_1_5r2.png' style='width:40px; height:40px;' alt=''>" +
"</a>" +
"<a id='target2' class='mpTarget'>" +
"<img src='images/questions/1_1_5r3.png' style='width:40px; height:40px;' alt=''>" +
"White" +
"</a>" +
"<a id='target3' class='mpTarget'>" +
"Blue" +
"</a>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" +
"<div id='mpZoom'></div>"
});
