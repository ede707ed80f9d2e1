#!/usr/bin/python3
"""Makes the workbook fixtures of the import tests. Run once with Debian's
python3-openpyxl and python3-xlwt (not needed for building or testing):

    /usr/bin/python3 tests/data/import/make_fixtures.py

Writes, next to this script:
  openpyxl_gap.xlsx   written by openpyxl: two sheets; sheet 1 stops at a gap
                      of 21 empty rows, sheet 2 reads on over a gap of 20
  handmade.xlsx       written by hand: "x:" prefixed elements, inline strings,
                      cached formula values, booleans, errors, no cell references
  legacy.xls          BIFF8 written by xlwt: two sheets
  bomb.xlsx           a worksheet part that inflates to 70 MiB of blanks
"""
import os
import zipfile

import openpyxl
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def openpyxl_gap():
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Stock list"
    ws.append(["Label", "Type", "Length", "Qty", "Cost", "Priority", "Comment"])
    ws.append(["A1", "steel", 6000, 10, 12.5, 1, " spaced "])
    ws.append(["B2", "alu", 0.1, 3, 1e20, 0, "x,y"])
    # row 4 is empty, row 5 holds data again (a gap inside the table)
    ws.cell(row=5, column=1, value="C3")
    ws.cell(row=5, column=3, value=-2.25)
    ws.cell(row=5, column=11, value="col K")
    ws.cell(row=5, column=12, value="col L is not read")
    ws.cell(row=5, column=4, value=True)
    # rows 6..26 are empty: the read stops after row 26
    ws.cell(row=27, column=1, value="after the gap")
    ws.cell(row=28, column=1, value="after the gap too")

    ws2 = wb.create_sheet("Pieces")
    ws2.append(["P1", "steel", 1500, 4])
    ws2.append(["   ", "", None, None])  # blanks only: a row without data
    # rows 2..21 are 20 rows without data in a row, so row 22 is still read
    ws2.cell(row=22, column=1, value="P2")
    ws2.cell(row=22, column=3, value=750)
    wb.save(os.path.join(HERE, "openpyxl_gap.xlsx"))


CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/book/main.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/book/data/first.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/book/data/second.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/book/strings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
</Types>"""

ROOT_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="/book/main.xml"/>
</Relationships>"""

# Sheets listed in an order that differs from the part names and ids.
WORKBOOK = """<?xml version="1.0" encoding="UTF-8"?>
<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"
 xmlns:rel="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<x:sheets>
<x:sheet name="Zweite &amp; Liste" sheetId="7" rel:id="R2"/>
<x:sheet name="First" sheetId="3" rel:id="R1"/>
</x:sheets>
</x:workbook>"""

WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="R1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="data/first.xml"/>
<Relationship Id="R2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="./data/../data/second.xml"/>
<Relationship Id="R3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/>
<Relationship Id="R9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="http://example.com/" TargetMode="External"/>
</Relationships>"""

STRINGS = """<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3">
<si><t xml:space="preserve">  two blanks</t></si>
<si><r><t>rich </t></r><r><rPr><b/></rPr><t>text</t></r><rPh><t>ignored</t></rPh></si>
<si><t>line_x000D_break</t></si>
</sst>"""

# Second sheet (listed first): cells without references, a gap of one cell.
SECOND = """<?xml version="1.0" encoding="UTF-8"?>
<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:sheetData>
<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c><x:c r="D1" t="s"><x:v>2</x:v></x:c></x:row>
<x:row><x:c t="inlineStr"><x:is><x:t>inline</x:t></x:is></x:c><x:c t="b"><x:v>1</x:v></x:c><x:c t="b"><x:v>0</x:v></x:c></x:row>
</x:sheetData>
</x:worksheet>"""

FIRST = """<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData>
<row r="2"><c r="B2"><f>1+1</f><v>2</v></c><c r="C2" t="str"><f>"a"&amp;"b"</f><v>ab</v></c><c r="D2" t="e"><v>#DIV/0!</v></c><c r="E2"><v>1.0E-7</v></c><c r="F2"><v>123456789012345678</v></c></row>
<row r="4"><c r="A4" t="s"><v>99</v></c><c r="K4"><v>11</v></c><c r="L4"><v>12</v></c></row>
</sheetData>
</worksheet>"""


def handmade():
    with zipfile.ZipFile(os.path.join(HERE, "handmade.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("book/main.xml", WORKBOOK)
        z.writestr("book/_rels/main.xml.rels", WORKBOOK_RELS)
        z.writestr("book/strings.xml", STRINGS)
        z.writestr("book/data/first.xml", FIRST)
        z.writestr("book/data/second.xml", SECOND)


def bomb():
    sheet = ('<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
             "<sheetData>" + " " * (70 << 20) + "</sheetData></worksheet>")
    with zipfile.ZipFile(os.path.join(HERE, "bomb.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("book/main.xml", WORKBOOK)
        z.writestr("book/_rels/main.xml.rels", WORKBOOK_RELS)
        z.writestr("book/strings.xml", STRINGS)
        z.writestr("book/data/first.xml", FIRST)
        z.writestr("book/data/second.xml", sheet, compresslevel=9)


def legacy():
    wb = xlwt.Workbook(encoding="utf-8")
    ws = wb.add_sheet("Stocks")
    for col, title in enumerate(["Label", "Type", "Length", "Qty"]):
        ws.write(0, col, title)
    ws.write(1, 0, "Stange")
    ws.write(1, 1, "Stahl \u00fc")
    ws.write(1, 2, 6000)
    ws.write(1, 3, 12.5)
    ws.write(2, 0, " 7 ")
    ws.write(2, 10, "col K")
    ws.write(2, 11, "col L")
    ws2 = wb.add_sheet("Second")
    ws2.write(0, 0, "second sheet")
    wb.save(os.path.join(HERE, "legacy.xls"))


if __name__ == "__main__":
    openpyxl_gap()
    handmade()
    bomb()
    legacy()
