#!/usr/bin/env python3
"""Writes the small .pptx presentations the slide exporter and importer tests read.

Usage: make-test-deck.py <output folder>

The decks are laid out as presentation programs write them: a theme, a master with its text styles, layouts
whose placeholders the slides inherit position and format from, notes pages and embedded PNG pictures.
"""
import os
import struct
import sys
import zipfile
import zlib

NS = ('xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" '
      'xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"')
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
EMU = 12700


def png(width, height, rgb):
    raw = b''.join(b'\x00' + bytes(rgb) * width for _ in range(height))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def rels(items):
    body = ''.join('<Relationship Id="%s" Type="%s%s" Target="%s"/>' % (i, REL, t, target) for i, t, target in items)
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>'
            % body)


def xfrm(x, y, w, h):
    return '<a:xfrm><a:off x="%d" y="%d"/><a:ext cx="%d" cy="%d"/></a:xfrm>' % (x * EMU, y * EMU, w * EMU, h * EMU)


def esc(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')


def run(text, **props):
    attrs = ''.join(' %s="%s"' % (k, v) for k, v in props.items() if k != 'color')
    fill = '<a:solidFill><a:srgbClr val="%s"/></a:solidFill>' % props['color'] if 'color' in props else ''
    if text == '\v':
        return '<a:br><a:rPr lang="en-US"%s/></a:br>' % attrs
    return '<a:r><a:rPr lang="en-US"%s>%s</a:rPr><a:t>%s</a:t></a:r>' % (attrs, fill, esc(text))


def para(runs, lvl=0, algn=None, num=False):
    ppr = ''
    if lvl or algn or num:
        ppr = '<a:pPr%s%s>%s</a:pPr>' % (' lvl="%d"' % lvl if lvl else '', ' algn="%s"' % algn if algn else '',
                                        '<a:buFont typeface="+mj-lt"/><a:buAutoNum type="arabicPeriod"/>' if num else '')
    if isinstance(runs, str):
        runs = [run(runs)]
    return '<a:p>%s%s</a:p>' % (ppr, ''.join(runs))


def sp(sid, name, paras, ph=None, box=None, textbox=False, geom='rect', lst=''):
    nvpr = '<p:nvPr>%s</p:nvPr>' % (ph or '')
    cnv = '<p:cNvSpPr txBox="1"/>' if textbox else '<p:cNvSpPr/>'
    sppr = '<p:spPr>%s%s</p:spPr>' % (xfrm(*box) if box else '',
                                      '' if ph and not box else '<a:prstGeom prst="%s"><a:avLst/></a:prstGeom>' % geom)
    body = ('<p:txBody><a:bodyPr/><a:lstStyle>%s</a:lstStyle>%s</p:txBody>' % (lst, ''.join(paras))) if paras is not None else ''
    return ('<p:sp><p:nvSpPr><p:cNvPr id="%d" name="%s"/>%s%s</p:nvSpPr>%s%s</p:sp>'
            % (sid, name, cnv, nvpr, sppr, body))


def pic(sid, name, rid, box):
    return ('<p:pic><p:nvPicPr><p:cNvPr id="%d" name="%s"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>'
            '<p:blipFill><a:blip r:embed="%s"/><a:stretch><a:fillRect/></a:stretch></p:blipFill>'
            '<p:spPr>%s<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr></p:pic>' % (sid, name, rid, xfrm(*box)))


def tree(shapes):
    return ('<p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>'
            '<p:grpSpPr/>%s</p:spTree></p:cSld>' % ''.join(shapes))


def level(n, size, bullet, extra=''):
    bu = '<a:buFont typeface="Arial"/><a:buChar char="%s"/>' % bullet if bullet else '<a:buNone/>'
    return ('<a:lvl%dpPr marL="%d" indent="-228600"%s>%s<a:defRPr sz="%d"><a:solidFill><a:schemeClr val="tx1"/>'
            '</a:solidFill><a:latin typeface="+mn-lt"/></a:defRPr></a:lvl%dpPr>'
            % (n, 228600 * n, extra, bu, size, n))


THEME = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
         '<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="Test"><a:themeElements>'
         '<a:clrScheme name="Test"><a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1>'
         '<a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1><a:dk2><a:srgbClr val="1F497D"/></a:dk2>'
         '<a:lt2><a:srgbClr val="EEECE1"/></a:lt2><a:accent1><a:srgbClr val="4F81BD"/></a:accent1>'
         '<a:accent2><a:srgbClr val="C0504D"/></a:accent2><a:accent3><a:srgbClr val="9BBB59"/></a:accent3>'
         '<a:accent4><a:srgbClr val="8064A2"/></a:accent4><a:accent5><a:srgbClr val="4BACC6"/></a:accent5>'
         '<a:accent6><a:srgbClr val="F79646"/></a:accent6><a:hlink><a:srgbClr val="0000FF"/></a:hlink>'
         '<a:folHlink><a:srgbClr val="800080"/></a:folHlink></a:clrScheme>'
         '<a:fontScheme name="Test"><a:majorFont><a:latin typeface="Liberation Serif"/><a:ea typeface=""/>'
         '<a:cs typeface=""/></a:majorFont><a:minorFont><a:latin typeface="Liberation Sans"/><a:ea typeface=""/>'
         '<a:cs typeface=""/></a:minorFont></a:fontScheme><a:fmtScheme name="Test"/></a:themeElements></a:theme>')

CLRMAP = ('<p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3" '
          'accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/>')


def master():
    title_style = ('<p:titleStyle><a:lvl1pPr algn="ctr"><a:buNone/><a:defRPr sz="4400"><a:solidFill>'
                   '<a:schemeClr val="tx2"/></a:solidFill><a:latin typeface="+mj-lt"/></a:defRPr></a:lvl1pPr>'
                   '</p:titleStyle>')
    body_style = '<p:bodyStyle>%s%s%s</p:bodyStyle>' % (level(1, 3200, '\u2022'), level(2, 2800, '\u2013'),
                                                        level(3, 2400, '\u2022'))
    other_style = '<p:otherStyle>%s</p:otherStyle>' % level(1, 1800, None)
    shapes = [sp(2, 'Title Placeholder 1', [para('Click to edit the title')], '<p:ph type="title"/>',
                 (36, 21, 648, 90)),
              sp(3, 'Text Placeholder 2', [para('Click to edit the text')], '<p:ph type="body" idx="1"/>',
                 (36, 126, 648, 356))]
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:sldMaster %s>%s%s'
            '<p:sldLayoutIdLst>%s</p:sldLayoutIdLst><p:txStyles>%s%s%s</p:txStyles></p:sldMaster>'
            % (NS, tree(shapes), CLRMAP,
               ''.join('<p:sldLayoutId id="%d" r:id="rId%d"/>' % (2147483649 + i, i + 1) for i in range(4)),
               title_style, body_style, other_style))


def layout(kind, shapes):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:sldLayout %s type="%s">%s'
            '<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>' % (NS, kind, tree(shapes)))


LAYOUTS = [
    layout('title', [sp(2, 'Title 1', [para('Title')], '<p:ph type="ctrTitle"/>', (54, 168, 612, 116)),
                     sp(3, 'Subtitle 2', [para('Subtitle')], '<p:ph type="subTitle" idx="1"/>', (108, 306, 504, 138),
                        lst='<a:lvl1pPr marL="0" indent="0" algn="ctr"><a:buNone/></a:lvl1pPr>')]),
    layout('obj', [sp(2, 'Title 1', [para('Title')], '<p:ph type="title"/>'),
                   sp(3, 'Content Placeholder 2', [para('Text')], '<p:ph idx="1"/>')]),
    layout('twoObj', [sp(2, 'Title 1', [para('Title')], '<p:ph type="title"/>'),
                      sp(3, 'Content Placeholder 2', [para('Text')], '<p:ph sz="half" idx="1"/>', (36, 126, 318, 356)),
                      sp(4, 'Content Placeholder 3', [para('Text')], '<p:ph sz="half" idx="2"/>', (366, 126, 318, 356))]),
    layout('titleOnly', [sp(2, 'Title 1', [para('Title')], '<p:ph type="title"/>')]),
]

NOTES_MASTER = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:notesMaster %s>%s%s'
                '<p:notesStyle>%s</p:notesStyle></p:notesMaster>'
                % (NS, tree([sp(2, 'Slide Image Placeholder 1', None, '<p:ph type="sldImg" idx="2"/>', (90, 54, 540, 405)),
                             sp(3, 'Notes Placeholder 2', [para('Notes')], '<p:ph type="body" idx="1"/>',
                                (72, 513, 576, 486))]),
                   CLRMAP, level(1, 1200, None)))


def notes_slide(text):
    paras = [para(line) for line in text.split('\n')]
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:notes %s>%s</p:notes>'
            % (NS, tree([sp(2, 'Slide Image Placeholder 1', None, '<p:ph type="sldImg"/>'),
                         sp(3, 'Notes Placeholder 2', paras, '<p:ph type="body" idx="1"/>')])))


def slide(shapes):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:sld %s>%s'
            '<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>' % (NS, tree(shapes)))


def group(sid, box):
    inner = sp(sid + 1, 'Rectangle', [para('in a group')], box=(box[0], box[1], box[2] // 2, box[3]))
    return ('<p:grpSp><p:nvGrpSpPr><p:cNvPr id="%d" name="Group"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>'
            '<p:grpSpPr><a:xfrm><a:off x="%d" y="%d"/><a:ext cx="%d" cy="%d"/><a:chOff x="%d" y="%d"/>'
            '<a:chExt cx="%d" cy="%d"/></a:xfrm></p:grpSpPr>%s</p:grpSp>'
            % ((sid,) + tuple(v * EMU for v in box) + tuple(v * EMU for v in box) + (inner,)))


def line(sid, box):
    return ('<p:cxnSp><p:nvCxnSpPr><p:cNvPr id="%d" name="Straight Connector"/><p:cNvCxnSpPr/><p:nvPr/>'
            '</p:nvCxnSpPr><p:spPr>%s<a:prstGeom prst="line"><a:avLst/></a:prstGeom></p:spPr></p:cxnSp>'
            % (sid, xfrm(*box)))


# The ten slides of the main deck: (layout number, shapes, pictures (rid, colour, size), notes text).
DECK = [
    (1, [sp(2, 'Title 1', [para('Safety at work')], '<p:ph type="ctrTitle"/>'),
         sp(3, 'Subtitle 2', [para('A short course')], '<p:ph type="subTitle" idx="1"/>')], [],
     'Welcome the learners.'),
    (2, [sp(2, 'Title 1', [para('Three rules')], '<p:ph type="title"/>'),
         sp(3, 'Content Placeholder 2', [para('Look before you lift'), para('Bend the knees', lvl=1),
                                         para('Keep the back straight', lvl=1), para('Ask for help')],
            '<p:ph idx="1"/>')], [], None),
    (4, [sp(2, 'Title 1', [para('A picture')], '<p:ph type="title"/>'),
         pic(3, 'Picture 2', 'rId2', (180, 144, 360, 270))], [('rId2', (200, 40, 40), (48, 36))], None),
    (3, [sp(2, 'Title 1', [para('Two columns')], '<p:ph type="title"/>'),
         sp(3, 'Content Placeholder 2', [para('Left side'), para('More on the left')], '<p:ph sz="half" idx="1"/>'),
         sp(4, 'Content Placeholder 3', [para('Right side')], '<p:ph sz="half" idx="2"/>')], [],
     'Compare both sides.\nThen move on.'),
    (4, [sp(2, 'Title 1', [para('Formats')], '<p:ph type="title"/>'),
         sp(3, 'TextBox 2', [para([run('one '), run('two', b='1')])], box=(72, 180, 288, 40), textbox=True),
         sp(4, 'TextBox 3', [para([run('small', sz='1050'), run('large', sz='1150', color='FF0000')], algn='r')],
            box=(72, 260, 288, 40), textbox=True)], [], None),
    (4, [sp(2, 'Title 1', [para('Shapes')], '<p:ph type="title"/>'), line(3, (72, 200, 300, 0)),
         group(4, (72, 260, 300, 100)), sp(6, 'Oval', [para('Round')], box=(420, 260, 200, 100), geom='ellipse')],
     [], None),
    (4, [sp(2, 'Title 1', [para('Two pictures')], '<p:ph type="title"/>'),
         pic(3, 'Picture 2', 'rId2', (36, 144, 300, 225)), pic(4, 'Picture 3', 'rId3', (384, 144, 300, 225))],
     [('rId2', (40, 160, 40), (40, 30)), ('rId3', (40, 40, 200), (40, 30))], None),
    (4, [sp(2, 'Title 1', [para('Caf\u00e9 \u2013 it\u2019s open')], '<p:ph type="title"/>'),
         sp(3, 'TextBox 2', [para([run('line one'), run('\v'), run('line two ]]> & <tag>')])],
            box=(72, 200, 400, 80), textbox=True)], [], 'Say \u201cwelcome\u201d ]]> twice.'),
    (2, [sp(2, 'Title 1', [para('Numbered')], '<p:ph type="title"/>'),
         sp(3, 'Content Placeholder 2', [para('First', num=True), para('Second', num=True)], '<p:ph idx="1"/>')], [], None),
    (4, [sp(2, 'Title 1', [para('The end')], '<p:ph type="title"/>')], [], 'Thank everyone.'),
]


def write_deck(path, deck):
    parts = {}
    overrides = []
    def add(name, content, ctype=None):
        parts[name] = content
        if ctype:
            overrides.append((name, ctype))
    CT = 'application/vnd.openxmlformats-officedocument.presentationml.'
    add('_rels/.rels', rels([('rId1', 'officeDocument', 'ppt/presentation.xml')]))
    add('ppt/theme/theme1.xml', THEME, 'application/vnd.openxmlformats-officedocument.theme+xml')
    add('ppt/slideMasters/slideMaster1.xml', master(), CT + 'slideMaster+xml')
    add('ppt/slideMasters/_rels/slideMaster1.xml.rels',
        rels([('rId%d' % (i + 1), 'slideLayout', '../slideLayouts/slideLayout%d.xml' % (i + 1)) for i in range(4)]
             + [('rId9', 'theme', '../theme/theme1.xml')]))
    for i, content in enumerate(LAYOUTS):
        add('ppt/slideLayouts/slideLayout%d.xml' % (i + 1), content, CT + 'slideLayout+xml')
        add('ppt/slideLayouts/_rels/slideLayout%d.xml.rels' % (i + 1),
            rels([('rId1', 'slideMaster', '../slideMasters/slideMaster1.xml')]))
    add('ppt/notesMasters/notesMaster1.xml', NOTES_MASTER, CT + 'notesMaster+xml')
    add('ppt/notesMasters/_rels/notesMaster1.xml.rels', rels([('rId1', 'theme', '../theme/theme1.xml')]))
    image = 0
    for n, (lay, shapes, pictures, notes) in enumerate(deck, 1):
        add('ppt/slides/slide%d.xml' % n, slide(shapes), CT + 'slide+xml')
        srels = [('rId1', 'slideLayout', '../slideLayouts/slideLayout%d.xml' % lay)]
        for rid, colour, (w, h) in pictures:
            image += 1
            add('ppt/media/image%d.png' % image, png(w, h, colour))
            srels.append((rid, 'image', '../media/image%d.png' % image))
        if notes is not None:
            add('ppt/notesSlides/notesSlide%d.xml' % n, notes_slide(notes), CT + 'notesSlide+xml')
            add('ppt/notesSlides/_rels/notesSlide%d.xml.rels' % n,
                rels([('rId1', 'notesMaster', '../notesMasters/notesMaster1.xml'),
                      ('rId2', 'slide', '../slides/slide%d.xml' % n)]))
            srels.append(('rId9', 'notesSlide', '../notesSlides/notesSlide%d.xml' % n))
        add('ppt/slides/_rels/slide%d.xml.rels' % n, rels(srels))
    prels = [('rId1', 'slideMaster', 'slideMasters/slideMaster1.xml'), ('rId2', 'theme', 'theme/theme1.xml'),
             ('rId3', 'notesMaster', 'notesMasters/notesMaster1.xml')]
    prels += [('rId%d' % (10 + n), 'slide', 'slides/slide%d.xml' % n) for n in range(1, len(deck) + 1)]
    add('ppt/_rels/presentation.xml.rels', rels(prels))
    add('ppt/presentation.xml',
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?><p:presentation %s>'
        '<p:sldMasterIdLst><p:sldMasterId id="2147483648" r:id="rId1"/></p:sldMasterIdLst>'
        '<p:notesMasterIdLst><p:notesMasterId r:id="rId3"/></p:notesMasterIdLst><p:sldIdLst>%s</p:sldIdLst>'
        '<p:sldSz cx="9144000" cy="6858000" type="screen4x3"/><p:notesSz cx="6858000" cy="9144000"/>'
        '<p:defaultTextStyle>%s</p:defaultTextStyle></p:presentation>'
        % (NS, ''.join('<p:sldId id="%d" r:id="rId%d"/>' % (255 + n, 10 + n) for n in range(1, len(deck) + 1)),
           level(1, 1800, None)),
        CT + 'presentation.main+xml')
    types = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
             '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
             '<Default Extension="xml" ContentType="application/xml"/><Default Extension="png" ContentType="image/png"/>'
             + ''.join('<Override PartName="/%s" ContentType="%s"/>' % o for o in overrides) + '</Types>')
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo('[Content_Types].xml', (2024, 1, 1, 0, 0, 0)), types, zipfile.ZIP_DEFLATED)
        for name in sorted(parts):
            data = parts[name]
            if isinstance(data, str):
                data = data.encode('utf-8')
            z.writestr(zipfile.ZipInfo(name, (2024, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_deck(os.path.join(out, 'ten slides.pptx'), DECK)
    # The author's session test imports a short deck: the title, the list and the picture slides.
    write_deck(os.path.join(out, 'three slides.pptx'), DECK[:3])


if __name__ == '__main__':
    main()
