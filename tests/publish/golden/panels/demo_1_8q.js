kvx.updatePage({
"nonordinary": false,
"currentpage": "1_8q",
"pagename": "Slider",
"argues": {
	"start": 1,
	"end" : 4,
	"range" : 0,
	"labels" : ["Never", "Four"],
	"words" : [],
	"numMarkers" : 10
},
"scriptstorun": ["kvxObj.sliderQ = new srObj(true,true,true,true,true,0)","kvxObj.sliderQ.start = o.argues.start","kvxObj.sliderQ.end = o.argues.end","kvxObj.sliderQ.range = o.argues.range","kvxObj.sliderQ.labels = o.argues.labels","kvxObj.sliderQ.words = o.argues.words","kvxObj.sliderQ.numMarkers = o.argues.numMarkers","kvxObj.sliderQ.init()"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
"<p class='stem'>How many eggs does a gull lay?</p>" +
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
