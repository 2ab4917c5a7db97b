#!/usr/bin/env python3
# Writes the fixture plants of the golden runs (Windows-1252, CRLF) below the given directory:
#   python3 anlagen_machen.py tests/data/golden
import os
import struct
import sys

ziel = sys.argv[1]

def schreiben(pfad, text, nl="\r\n"):
    os.makedirs(os.path.dirname(pfad), exist_ok=True)
    if isinstance(text, str):
        daten = text.replace("\n", nl).encode("cp1252")
    else:
        daten = text
    with open(pfad, "wb") as f:
        f.write(daten)

def kopf(par, intervall_ms):
    z = [str(len(par))]
    z += ["SPS1|" + p[0] for p in par]
    z += ["frei", str(intervall_ms), "frei"]
    z += ["0"] * (2 * len(par))
    z += ["frei"]
    for name, typ, ref, einheit in [p[1:] for p in par]:
        z += [name, typ, ref, einheit]
    return "\n".join(z) + "\n"

def gruppe(laenge, mitglieder, name, drucken):
    off = 720 if laenge == 756 else 240
    b = bytearray(laenge)
    for i, m in enumerate(mitglieder):
        struct.pack_into("<i", b, 4 * i, m)
    n = name.encode("cp1252")
    b[off] = len(n)
    b[off + 1:off + 1 + len(n)] = n
    struct.pack_into("<i", b, off + 31, len(mitglieder))
    b[off + 35] = 1 if drucken else 0
    return bytes(b)

# ---- klaerwerk: a plant in use, with the hostile bits a real one has -------------------
k = os.path.join(ziel, "klaerwerk")
schreiben(os.path.join(k, "PEGELDDE.INI"), """; Sammler PEGELDDE, Kl\u00e4rwerk
[DDE]
Itemcount=5
Intervall=10
Einheit=0
Drucker=-1
Sicherung=D:\\Sicherung\\
[Items]
Item1=SPS1|Pegel
Item2=SPS1|Zulauf
Item3=SPS1|Pumpe1
Item4=SPS1|Temp
Item5=SPS1|Druck
[Itemnames]
Item1=F\u00fcllstand Nord
Item2=Zulauf
Item3=Pumpe 1
Item4=Temperatur
Item5=Druck S\u00fcd
[Einheiten]
Item1=m
Item2=m\u00b3/h
Item3=-
Item4=\u00b0C
[GrafikEinheit]
Item4=Grad C
[GrafikSumEinheit]
Item2=m\u00b3
Item3=h
[GrafikSumTeiler]
Item2=1000
Item3=abc
[Grafiktyp]
Item3=2
Item5=7
[GrafikRef]
Item1=1
Item4=2
[UpLimit]
Item1=12,5
Item2=500.0
Item4=80
[LoLimit]
Item1=-2.5
Item4=-20
[UpWarn]
Item1=10.0
Item2=400
[LoWarn]
Item1=0,5
[ColorNorm]
Item1=16711680
Item2=32768
[ColorWarn]
Item1=255
[Grafikanzeige]
Item5=0
[Item_1]
MinSkal=0
MaxSkal=12,5
[Item_2]
MinForUser=0
MaxForUser=600
[Item_4]
MinSkal=-10
MaxSkal=abc
[Grafik]
Intervall=5
Einheit=0
Puffer=20
Auswahl=3
AndereZeit=5
AutoStart=1
FehlerLog=1
AlteDaten=1
[PegelWart]
Textrand=12
Querformat=1
Druckbreite=297
Druckhoehe=210
[Formate]
PR=10
NK=2
""")
schreiben(os.path.join(k, "PEGELWART.GRP"),
           gruppe(756, [1, 2, 3], "Becken Nord", True) + gruppe(756, [4, 5], "S\u00fcd", False))
par = [("Pegel", "F\u00fcllstand Nord", "1", "1", "m"),
       ("Zulauf", "Zulauf", "1", "0", "m\u00b3/h"),
       ("Pumpe1", "Pumpe 1", "2", "0", "-"),
       ("Temp", "Temperatur", "1", "2", "\u00b0C"),
       ("Druck", "Druck S\u00fcd", "7", "0", "bar")]

def zeile(t, werte):
    return "x;" + t + ";" + ";".join(werte)

# Yesterday: a whole stored day, one line short of fields, in minutes.
schreiben(os.path.join(k, "20261205.PGH"), kopf(par, 60000))
z = []
for i in range(30):
    t = "%02d:%02d:00" % (10 + i // 60, i % 60)
    werte = ["%d,%d" % (i % 12, i % 10), str(100 + 3 * i), str(i % 2), "%d,5" % (15 + i % 4), "1,2"]
    if i == 7:
        werte = werte[:3]
    z.append(zeile(t, werte))
schreiben(os.path.join(k, "20261205.DAT"), "\n".join(z) + "\n")
# The day before: a line with 183 fields spoils the file.
schreiben(os.path.join(k, "20261204.PGH"), kopf(par, 10000))
z = [zeile("08:00:%02d" % (10 * i), ["1", "2", "0", "3", "4"]) for i in range(5)]
z.insert(3, zeile("08:00:25", ["7"] * 181))
schreiben(os.path.join(k, "20261204.DAT"), "\n".join(z) + "\n")
# Two days before: data without a header, and a last line that ends with ";".
schreiben(os.path.join(k, "20261203.DAT"), "x;07:00:00;1;2;3;4;5\nx;07:00:10;1;2;3;4;5;\n")
schreiben(os.path.join(k, "20261202.PGH"), kopf(par, 10000))
schreiben(os.path.join(k, "20261202.DAT"), "x;07:00:00;1;2;3;4;5\nx;07:00:10;1;2;3;4;5;\n")

# Today: the day so far (more lines than the buffer, one without a valid time), the
# sample file with a line of seven values, and the collector's current texts.
schreiben(os.path.join(k, "20261206.PGH"), kopf(par, 10000))
z = []
for i in range(26):
    s = 10 * i
    t = "11:%02d:%02d" % (s // 60, s % 60)
    werte = ["%d,%02d" % (3 + i % 5, (7 * i) % 100), str(200 + 11 * i), str((i // 3) % 2),
             "%d,5" % (10 + i), "%d" % (i % 3)]
    if i == 4:
        werte[1] = "abc"
    if i == 5:
        werte[0] = ""
    if i == 9:
        werte[1] = "650"    # above UpLimit: buffer yes, statistics no
    if i == 12:
        t = "1x:02:00"      # no time: the line is skipped
    if i == 20:
        werte[0] = "-3,75"  # below LoLimit
    z.append(zeile(t, werte))
schreiben(os.path.join(k, "20261206.DAT"), "\n".join(z) + "\n")
schreiben(os.path.join(k, "20261206.SMP"), "\n".join([
    zeile("11:59:40", ["4,25", "310", "1", "21,5", "2"]),
    zeile("11:59:50", ["4,5", "", "1", "22", "1"]),
    zeile("12:00:00", ["4,75", "320", "0", "22,5", "0", "9", "9"]),
]) + "\n")
schreiben(os.path.join(k, "AKTDAT.PGV"), "\n".join([
    "3,91;3,1;4,75;0;1234,5;n.v.;3,2;4,8;",
    "255,0;200;320;0;n.v.;n.v.;n.v.;n.v.;",
    "0;0;1;7,25;7,25;n.v.;n.v.;n.v.;Rest",
    "20,1;10,5;35,5;0;-4;20,2;10,4;35,6;",
    "1;0;2;0;abc;",
    "6;6;6;6;6;6;6;6;",
]) + "\n")

# ---- zuviele: more items than the viewer takes, an old group file, a span too long ------
z = os.path.join(ziel, "zuviele")
namen = "".join("Item%d=Becken %d\n" % (i, i) for i in range(1, 4))
schreiben(os.path.join(z, "PEGELDDE.INI"), """[DDE]
Itemcount=200
Intervall=1
Einheit=1
Drucker=2
Druckername=B\u00fcro-Laser
[Itemnames]
""" + namen + """[Grafik]
Intervall=0
Einheit=5
Auswahl=7
Puffer=100
AndereZeit=90
""")
schreiben(os.path.join(z, "PEGELWART.GRP"),
           gruppe(276, [1, 2], "Becken", True) + gruppe(276, [3], "Ablauf \u00d6st", False))

# ---- v5: the collector names no items, the viewer's own file does, with a bad limit ----
v = os.path.join(ziel, "v5")
schreiben(os.path.join(v, "PEGELDDE.INI"), """[DDE]
Itemcount=0
Intervall=30
[Sammler]
Port=COM1
""")
schreiben(os.path.join(v, "PegelWart_V5.ini"), """[DDE]
Itemcount=2
Intervall=30
[Itemnames]
Item1=Niveau
Item2=Tr\u00fcbung
[Einheiten]
Item2=NTU
[UpWarn]
Item2=zw\u00f6lf
[Grafik]
AlteDaten=0
""")

# ---- pumpwerk: the polling proper, without the day so far ------------------------------
p = os.path.join(ziel, "pumpwerk")
schreiben(os.path.join(p, "PEGELDDE.INI"), """[DDE]
Itemcount=3
Intervall=1
Einheit=1
[Itemnames]
Item1=Schacht
Item2=Pumpe
Item3=Ablauf
[Einheiten]
Item1=cm
Item3=l/s
[Grafiktyp]
Item2=2
[UpLimit]
Item1=100
[LoLimit]
Item3=0
[Item_1]
MinSkal=0
MaxSkal=100
[Item_2]
MinSkal=0
MaxSkal=1
[Item_3]
MinSkal=0
MaxSkal=20
[Grafik]
Intervall=2
Puffer=8
Auswahl=0
AutoStart=0
AlteDaten=0
""")
ppar = [("Schacht", "Schacht", "1", "0", "cm"), ("Pumpe", "Pumpe", "2", "0", "-"),
        ("Ablauf", "Ablauf", "1", "0", "l/s")]
schreiben(os.path.join(p, "20261206.PGH"), kopf(ppar, 60000))
z = []
for i in range(10):
    t = "11:%02d:00" % (50 + i)
    werte = ["%d,5" % (40 + 5 * i), str(i % 2), str(5 + i)]
    if i == 2:
        werte = ["", "abc", "7,25"]
    if i == 3:
        werte[0] = "150"   # above UpLimit
    if i == 4:
        werte[2] = "-1"    # below LoLimit
    z.append(zeile(t, werte))
z.insert(5, zeile("zw\u00f6lf", ["9", "9", "9"]))
z.append(zeile("12:00:00", ["55", "1", "6", "4", "4"]))
schreiben(os.path.join(p, "20261206.SMP"), "\n".join(z) + "\n")
schreiben(os.path.join(p, "AKTDAT.PGV"), "\n".join([
    "44,1;40;95,5;0;1234,5;n.v.;40,5;95;",
    "0;0;1;7,25;7,25;n.v.;n.v.;n.v.;Rest",
    "6;5;12;0;abc;",
    "4;4;4;4;4;4;4;4;",
]) + "\n")
