#!/usr/bin/env bash
# Writes the committed .docx fixtures of the Word import tests with Debian's python3-docx.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if ! /usr/bin/python3 -c "import docx" 2>/dev/null; then
  apt-get install -y -q python3-docx
fi
/usr/bin/python3 - "$here/tests/fixtures/word" <<'PY'
import sys
from docx import Document
from docx.enum.style import WD_STYLE_TYPE
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
d.add_paragraph("Sécurité avant tout. Seguridad primero.")
for name in ("kv_glossary", "kv_description"):
    d.styles.add_style(name, WD_STYLE_TYPE.PARAGRAPH)
d.add_paragraph("Helmet", style="kv_glossary")
d.add_paragraph("A hard hat worn on site.", style="kv_description")
d.save(out + "/safety-python-docx.docx")
PY
