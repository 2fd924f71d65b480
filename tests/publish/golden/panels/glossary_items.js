var fontsize = "11pt";
var fontfamily = "Verdana, sans-serif";
kvxGlossary.push("Fledgling:::Alpha Beta, see the cliffsand Gulls nest on cliffs ");
kvxGlossary.push("Egg:::");
