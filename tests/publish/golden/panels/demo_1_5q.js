kvx.updatePage({
"nonordinary": false,
"currentpage": "1_5q",
"pagename": "True or false",
"scriptstorun": ["mcObj.question(true, true)"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>True or false?</p>" +
"<p class='stem'>Terns fly south in winter.</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='mcBtn' id='img0'></div>" +
"<div class='mcBtn' id='img1'></div>" +
"<a id='option0' class='questionMC' title=''>" +
"<span id='mc0' class='mc'>True</span>" +
"</a>" +
"<a id='option1' class='questionMC' title=''>" +
"<span id='mc1' class='mc'>False</span>" +
"</a>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
