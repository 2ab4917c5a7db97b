"""Reads a workbook the way a strict reader would and prints what it finds.

  xlsx_zellen.py FILE          the cells of the first worksheet, one line per cell
                               "ref<TAB>type<TAB>value<TAB>number format<TAB>bold",
                               then the pane
  xlsx_zellen.py --zip FILE    per entry "name<TAB>size<TAB>version needed"
  xlsx_zellen.py --inhalt FILE NAME    the bytes of one entry

Every mode first checks the archive: each entry's checksum (testzip) and, for a workbook,
that every XML part parses and that the content types name every part. A damaged file
exits with status 1 and the reason."""
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def fehler(text):
    print("FEHLER:", text)
    sys.exit(1)


def oeffnen(pfad):
    try:
        z = zipfile.ZipFile(pfad)
        kaputt = z.testzip()
    except (zipfile.BadZipFile, OSError, EOFError) as e:
        fehler("kein lesbares ZIP-Archiv: %s" % e)
    if kaputt is not None:
        fehler("Eintrag %s ist beschaedigt" % kaputt)
    return z


def mappe_pruefen(z):
    teile = {}
    for name in z.namelist():
        if name.endswith(".xml") or name.endswith(".rels"):
            try:
                teile[name] = ET.fromstring(z.read(name))
            except ET.ParseError as e:
                fehler("%s ist kein wohlgeformtes XML: %s" % (name, e))
    typen = teile.get("[Content_Types].xml")
    if typen is None:
        fehler("[Content_Types].xml fehlt")
    genannt = {o.get("PartName") for o in typen}
    for name in ("xl/workbook.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml"):
        if "/" + name not in genannt:
            fehler("%s fehlt in [Content_Types].xml" % name)
    return teile


def zellen(z, teile):
    blatt = teile["xl/worksheets/sheet1.xml"]
    stile = teile["xl/styles.xml"]
    geteilt = []
    if "xl/sharedStrings.xml" in teile:
        for si in teile["xl/sharedStrings.xml"].findall("m:si", NS):
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
            float(wert)  # a number cell must hold a number
        xf = xfs[int(c.get("s", "0"))]
        fmt = formate.get(int(xf.get("numFmtId", "0")), "General")
        b = fett[int(xf.get("fontId", "0"))]
        print("\t".join([c.get("r"), "s" if typ in ("s", "inlineStr") else typ, wert, fmt,
                         "fett" if b else "normal"]))
    for p in blatt.iter("{%s}pane" % NS["m"]):
        print("pane", p.get("xSplit"), p.get("ySplit"), p.get("state"))


if sys.argv[1] == "--zip":
    for i in oeffnen(sys.argv[2]).infolist():
        print("%s\t%d\t%d" % (i.filename, i.file_size, i.extract_version))
elif sys.argv[1] == "--inhalt":
    sys.stdout.buffer.write(oeffnen(sys.argv[2]).read(sys.argv[3]))
else:
    archiv = oeffnen(sys.argv[1])
    zellen(archiv, mappe_pruefen(archiv))
