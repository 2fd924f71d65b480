#!/usr/bin/env bash
# Writes the committed .docx fixtures of the Word import tests: one document with Debian's python3-docx,
# and the same document as LibreOffice writes it (opened as .docx, kept as its own .odt, written back as
# .docx), so that both writers' manners of XML are read.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$here/tests/fixtures/word"
if ! /usr/bin/python3 -c "import docx" 2>/dev/null; then
  apt-get install -y -q python3-docx
fi
if ! command -v soffice >/dev/null; then
  apt-get install -y -q --no-install-recommends libreoffice-writer-nogui
fi
/usr/bin/python3 - "$out" <<'PY'
import sys
from docx import Document
from docx.enum.style import WD_STYLE_TYPE
from docx.opc.constants import RELATIONSHIP_TYPE
from docx.oxml import OxmlElement
from docx.oxml.ns import qn

def add_hyperlink(paragraph, text, address):
    rel = paragraph.part.relate_to(address, RELATIONSHIP_TYPE.HYPERLINK, is_external=True)
    link = OxmlElement("w:hyperlink")
    link.set(qn("r:id"), rel)
    run = OxmlElement("w:r")
    t = OxmlElement("w:t")
    t.text = text
    run.append(t)
    link.append(run)
    paragraph._p.append(link)

out = sys.argv[1]
d = Document()
d.add_heading("Workplace safety", level=1)
p = d.add_paragraph("Every worker checks the equipment. ")
p.add_run("Bold rule").bold = True
p.add_run(" and ")
p.add_run("italic note").italic = True
d.add_heading("Protective equipment", level=2)
d.add_paragraph("Helmets", style="List Bullet")
d.add_paragraph("Gloves", style="List Bullet")
d.add_paragraph("Check the straps", style="List Number")
d.add_heading("Details", level=3)
p = d.add_paragraph("Sécurité avant tout. Seguridad primero. Read the ")
add_hyperlink(p, "safety rules", "https://example.org/safety")
p.add_run(".")
for name in ("kv_glossary", "kv_description"):
    d.styles.add_style(name, WD_STYLE_TYPE.PARAGRAPH)
d.add_paragraph("Helmet", style="kv_glossary")
d.add_paragraph("A hard hat worn on site.", style="kv_description")
d.save(out + "/safety-python-docx.docx")

# A short course as an author writes one: headings, a list, a table and a picture.
import io, struct, zlib
def png(width, height, rgb):
    raw = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
from docx.shared import Pt
c = Document()
c.add_heading("Fire safety", level=1)
c.add_paragraph("Fire spreads quickly. Every worker knows the way out.")
c.add_heading("Before a fire", level=2)
c.add_paragraph("Keep the exits clear", style="List Bullet")
c.add_paragraph("Know where the extinguishers are", style="List Bullet")
c.add_paragraph("Test the alarm every week", style="List Bullet")
c.add_heading("Extinguishers", level=2)
c.add_paragraph("Each kind of fire has its own extinguisher.")
t = c.add_table(rows=3, cols=2)
t.style = "Table Grid"
for r, (a, b) in enumerate([("Kind", "Extinguisher"), ("Paper and wood", "Water"), ("Electrical", "Carbon dioxide")]):
    t.cell(r, 0).text = a
    t.cell(r, 1).text = b
c.add_heading("The assembly point", level=2)
c.add_paragraph("Meet at the green sign outside the main gate.")
c.add_picture(io.BytesIO(png(120, 80, (20, 140, 60))), width=Pt(90))
c.save(out + "/fire-course-python-docx.docx")
PY

# LibreOffice gets a profile and a folder of its own for each run.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
soffice=(soffice --headless --norestore "-env:UserInstallation=file://$work/profile")
cp "$out/safety-python-docx.docx" "$work/safety.docx"
"${soffice[@]}" --convert-to odt --outdir "$work/odt" "$work/safety.docx" >/dev/null
"${soffice[@]}" --convert-to 'docx:MS Word 2007 XML' --outdir "$work/docx" "$work/odt/safety.odt" >/dev/null
test -s "$work/docx/safety.docx"
cp "$work/docx/safety.docx" "$out/safety-libreoffice.docx"
