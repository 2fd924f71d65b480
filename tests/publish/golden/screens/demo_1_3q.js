kvx.updatePage({
"nonordinary": false,
"currentpage": "1_3q",
"pagename": "Quiz",
"argues": {
	"start": 1.00,
	"end" : 5.00,
	"range" : 0.50,
	"labels" : ["Never", "Daily"],
	"words" : [],
	"numMarkers" : 10
},
"scriptstorun": ["mcObj.question(true, true)", "o.argues.obj = document.getElementById('optionFT')","kvxObj.ftQ = new ftObj(o.argues.obj,o.argues.num,o.argues.rec,o.argues.lim,o.argues.ev,o.argues.whole,o.argues.caseSen,o.argues.mem,o.argues.prnt,o.argues.qnum);","kvxObj.ftQ.email = o.argues.eml || false","kvxObj.ftQ.tableName = kvxPrefs.table2 || 'Table2'", "kvxObj.sliderQ = new srObj(true,true,true,true,false,2)","kvxObj.sliderQ.start = o.argues.start","kvxObj.sliderQ.end = o.argues.end","kvxObj.sliderQ.range = o.argues.range","kvxObj.sliderQ.labels = o.argues.labels","kvxObj.sliderQ.words = o.argues.words","kvxObj.sliderQ.numMarkers = o.argues.numMarkers","kvxObj.sliderQ.init()"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'></p>" +
"<p class='stem'>Gulls are birds.</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>" + 
"<div id='kvxFreeFormAB' class='kvxFreeForm'>" +
"<p class='kvxInstruction'>Please type your response below.</p>" +
"<textarea id='optionFT' name='demo_AB' maxlength='250' rows='8'" +
" data-evaluate='true' data-store='true' data-email='false' data-remember='false'" +
" data-print='false' data-case='false' data-match='2' data-whole='true'></textarea>" +
"</div>" + 
"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>How often do you see gulls?</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel' style='overflow:hidden;'>" +
"<div class='question3'>" +
"<p id='SRslidervalue'>&nbsp;</p>" +
"<div id='SRmarker'>&nbsp;</div>" +
"<div id='SRsliderbg'>" +
"<div id='SRfill'>&nbsp;</div>" +
"</div>" +
"<p id='SRlabelstart'>&nbsp;</p>" +
"<p id='SRlabelend'>&nbsp;</p>" +
"<img id='SRdrag' alt='slider' src=''>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
