kvx.updatePage({
"nonordinary": false,
"currentpage": "1_4q",
"pagename": "Blanks",
"scriptstorun": ["mcObj.question(true)", "cpObj.question()", "fbObj.question()"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'></p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" + 
"<div id='panelsmall'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanelsmall'>" +
    "<p class='stem'>" +
"" +
"</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='question2'>" +
"Gulls <div id='target0' class='cpTarget'>&nbsp;</div>on cliffs." +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" + 
"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
    "<p class='stem'>" +
"</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='question3'>" +
"Terns <input class='in' type='text' name='option0' id='option0'></div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
