#!/usr/bin/env python3
"""Prints the text of each slide of a .pptx, one line per slide, read straight from its XML.

Only the shapes directly on a slide count (the text of grouped shapes is not imported); within a shape the
text of every a:t element is joined without separators. Used by the importer tests as an independent reader.
"""
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

P = '{http://schemas.openxmlformats.org/presentationml/2006/main}'
A = '{http://schemas.openxmlformats.org/drawingml/2006/main}'
R = '{http://schemas.openxmlformats.org/officeDocument/2006/relationships}'

with zipfile.ZipFile(sys.argv[1]) as z:
    pres = ET.fromstring(z.read('ppt/presentation.xml'))
    rels = ET.fromstring(z.read('ppt/_rels/presentation.xml.rels'))
    targets = {r.get('Id'): r.get('Target') for r in rels}
    for sld in pres.find(P + 'sldIdLst'):
        slide = ET.fromstring(z.read('ppt/' + targets[sld.get(R + 'id')]))
        tree = slide.find(P + 'cSld').find(P + 'spTree')
        texts = []
        for shape in tree:
            if shape.tag != P + 'sp':
                continue
            texts.append(''.join(t.text or '' for t in shape.iter(A + 't')))
        print('|'.join(texts))
