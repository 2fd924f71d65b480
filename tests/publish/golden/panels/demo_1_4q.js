kvx.updatePage({
"nonordinary": false,
"currentpage": "1_4q",
"pagename": "Choices",
"scriptstorun": ["mcObj.question(false)"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>Which of these are sea birds?<br>Gulls nest on cliffs</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='mcBtn' id='img0'></div>" +
"<div class='mcBtn' id='img1'></div>" +
"<div class='mcBtn' id='img2'></div>" +
"<div class='mcBtn' id='img3'></div>" +
"<a id='option0' class='questionMC' title=''>" +
"<span id='mc0' class='mc'>Gull</span>" +
"</a>" +
"<a id='option1' class='questionMC' title=''>" +
"<span id='mc1' class='mc'>  </span>" +
"</a>" +
"<a id='option2' class='questionMC' title=''>" +
"<span id='mc2' class='mc'>Go to the quiz</span>" +
"</a>" +
"<a id='option3' class='questionMC' title=''>" +
"<span id='mc3' class='mc'>Puffin</span>" +
"</a>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
