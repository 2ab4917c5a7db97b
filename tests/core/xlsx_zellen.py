"""Prints what a spreadsheet program reads from the first worksheet of an .xlsx file:
one line per cell "ref<TAB>type<TAB>value<TAB>number format<TAB>bold", then the pane."""
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
z = zipfile.ZipFile(sys.argv[1])
blatt = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
stile = ET.fromstring(z.read("xl/styles.xml"))
geteilt = []
if "xl/sharedStrings.xml" in z.namelist():
    for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
        geteilt.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
formate = {int(f.get("numFmtId")): f.get("formatCode")
           for f in stile.findall("m:numFmts/m:numFmt", NS)}
fett = [f.find("m:b", NS) is not None for f in stile.findall("m:fonts/m:font", NS)]
xfs = stile.findall("m:cellXfs/m:xf", NS)
for c in blatt.iter("{%s}c" % NS["m"]):
    typ = c.get("t", "n")
    if typ == "inlineStr":
        wert = "".join(t.text or "" for t in c.iter("{%s}t" % NS["m"]))
    elif typ == "s":
        wert = geteilt[int(c.find("m:v", NS).text)]
    else:
        wert = c.find("m:v", NS).text
    xf = xfs[int(c.get("s", "0"))]
    fmt = formate.get(int(xf.get("numFmtId", "0")), "General")
    b = fett[int(xf.get("fontId", "0"))]
    print("\t".join([c.get("r"), "s" if typ in ("s", "inlineStr") else typ, wert, fmt,
                     "fett" if b else "normal"]))
for p in blatt.iter("{%s}pane" % NS["m"]):
    print("pane", p.get("xSplit"), p.get("ySplit"), p.get("state"))
