#!/usr/bin/env python3
"""Writes the test fixtures of the entry data: event-definition files
(".JTFO") and data-file sets (".SDA", ".MDA", ".STF") from the readable
descriptions below.

Usage: make_fixtures.py OUTPUT_FOLDER

Layout of the output:
  A/treiber/KREIS2010.JTFO   12 classes, Modus 0 and 1, the default tables
  A/veranst/KREIS2010.*      a few teams of class 0 and 1 (reserved bytes set)
  B/treiber/CUP2010.JTFO     Modus 2/3 classes, Index 3, 5, 9, 11
  C/treiber/PENDEL.JTFO      one Modus 4 class with a shuttle relay
  full/treiber/KREIS2010.JTFO, full/veranst/KREIS2010.*
                             profile A with every place filled
  hostile/*.JTFO             broken event files
All numbers are little-endian; every offset is written out by hand.
"""
import os
import struct
import sys

ENC = "cp1252"

# --- event-definition file -------------------------------------------------
HEADER_SIZE = 310          # kind at 108 (int16), title at 210 (char[100])
BLOCK_SIZE = 7606          # class count at 84, level names at 86 (10 x 30),
                           # classes at 406 (12 x 40), disciplines at 886 (12 x 7 x 80)

LEVEL_NAMES = ["Stadtentscheid", "Kreisentscheid", "Bezirksfinale",
               "Landesfinale", "Bundesfinale", "Bodenseeschulcup"]

DEFAULT_CLASS_NAMES = ["I Jungen", "II Jungen", "III Jungen", "HS 7/8 Jungen",
                       "IV Jungen", "HS 5/6 Jungen", "I Mädchen", "II Mädchen",
                       "III Mädchen", "HS 7/8 Mädchen", "IV Mädchen",
                       "HS 5/6 Mädchen"]
DEFAULT_SIZES = [(13, 7), (12, 7), (12, 7), (10, 7), (12, 6), (10, 6)] * 2

# name, input mask, type, short name, most starters, value
DEFAULT_DISCIPLINES = [
    ("100m", "99','99", 1, " 100m", 4, 2),
    ("1000m", "9':'99','99", 2, " 1000m", 4, 2),
    ("4x100m", "99','99", 4, "4x100m", 8, 1),
    ("Hochsprung", "9','99", 8, "Hoch", 4, 2),
    ("Weitsprung", "9','99", 7, "Weit", 4, 2),
    ("Kugel (6.25)", "99','99", 6, "Kugel", 4, 2),
    ("Speer (800g)", "99','99", 9, "Speer", 4, 2),
]


def cstr(text, width, terminate=True):
    raw = text.encode(ENC) if isinstance(text, str) else text
    if terminate:
        raw = raw[:width - 1]
    raw = raw[:width]
    return raw + b"\0" * (width - len(raw))


def put(buf, offset, data):
    buf[offset:offset + len(data)] = data


def event_file(kind, title, classes, class_count=None, name_terminated=True):
    """classes: list of dicts with name, modus, athletes, index, season,
    oldest, youngest, places and disciplines (tuples as DEFAULT_DISCIPLINES)."""
    header = bytearray(HEADER_SIZE)
    put(header, 108, struct.pack("<h", kind))
    put(header, 210, cstr(title, 100))
    block = bytearray(BLOCK_SIZE)
    put(block, 84, struct.pack("<h", len(classes) if class_count is None else class_count))
    for i, level in enumerate(LEVEL_NAMES):
        put(block, 86 + 30 * i, cstr(level, 30))
    for c, cl in enumerate(classes):
        base = 406 + 40 * c
        put(block, base + 0, cstr(cl["name"], 20, name_terminated))
        put(block, base + 20, struct.pack("<h", cl["modus"]))
        put(block, base + 22, struct.pack("<h", cl["athletes"]))
        put(block, base + 26, struct.pack("<h", cl["index"]))
        put(block, base + 28, struct.pack("<h", cl.get("discipline_count", len(cl["disciplines"]))))
        put(block, base + 30, struct.pack("<h", cl["season"]))
        put(block, base + 32, struct.pack("<h", cl["oldest"]))
        put(block, base + 34, struct.pack("<h", cl["youngest"]))
        put(block, base + 36, struct.pack("<h", cl["places"]))
        for k, (dname, mask, dtype, short, most, value) in enumerate(cl["disciplines"]):
            d = 886 + 560 * c + 80 * k
            put(block, d + 0, cstr(dname, 24))
            put(block, d + 24, cstr(mask, 20))
            put(block, d + 44, struct.pack("<i", dtype))
            put(block, d + 48, cstr(short, 20))
            put(block, d + 68, struct.pack("<i", most))
            put(block, d + 72, struct.pack("<i", value))
    return bytes(header + block)


def profile_a_classes():
    out = []
    for c in range(12):
        athletes, count = DEFAULT_SIZES[c]
        out.append(dict(name=DEFAULT_CLASS_NAMES[c], modus=c % 2, athletes=athletes,
                        index=c + 1, season=2010,
                        oldest=95 if c % 3 == 0 else 50,
                        youngest=98 if c % 3 == 0 else 50,
                        places=20, disciplines=DEFAULT_DISCIPLINES[:count]))
    return out


# Modus 2/3: alternative disciplines (3/4 jumps, 5/6 throws), 1 = middle distance.
CUP_DISCIPLINES = [
    ("50m", "9','99", 1, " 50m", 13, 2),
    ("800m", "9':'99','99", 2, " 800m", 13, 2),
    ("4x50m", "99','99", 4, "4x50m", 8, 1),
    ("Hochsprung", "9','99", 8, "Hoch", 13, 2),
    ("Weitsprung", "9','99", 7, "Weit", 13, 2),
    ("Ball", "99','99", 5, "Ball", 13, 2),
    ("Kugel", "99','99", 6, "Kugel", 13, 2),
]


def profile_b_classes():
    classes = [("III Jungen", 2, 3), ("IV Jungen", 3, 5), ("III Mädchen", 2, 9), ("IV Mädchen", 3, 11)]
    return [dict(name=n, modus=m, athletes=13, index=i, season=2010, oldest=96, youngest=99,
                 places=20, disciplines=CUP_DISCIPLINES) for n, m, i in classes]


SHUTTLE_DISCIPLINES = [
    ("Sprint", "9','99", 1, "Sprint", 13, 2),
    ("Pendelstaffel", "99','99", 10, "Pendel", 8, 1),
    ("Weitsprung", "9','99", 7, "Weit", 13, 2),
    ("Ballwurf", "99','99", 5, "Ball", 13, 2),
]


def profile_c_classes():
    return [dict(name="WK V gemischt", modus=4, athletes=13, index=1, season=2010, oldest=0,
                 youngest=3, places=10, disciplines=SHUTTLE_DISCIPLINES)]


# --- data files --------------------------------------------------------------
BANNER = b"\r\nQUANTELOR Meldediskette\r\nBitte nicht von Hand veraendern\r\n\r\n"
assert len(BANNER) == 62
MAGIC = 12345678


def data_header():
    return BANNER + b"\0" * 38 + struct.pack("<ii", MAGIC, 300)


def team_record(team=None):
    """A 900-byte team record; team is a dict or None for a blank place."""
    r = bytearray(900)
    put(r, 352, struct.pack("<iiii", -1, -1, 1, 13))
    if team:
        for off, width, key in [(0, 42, "school"), (42, 32, "list"), (74, 16, "tab"),
                                (90, 36, "street"), (126, 34, "town"), (160, 4, "bez"),
                                (164, 4, "kre"), (168, 4, "bla"), (172, 60, "mail"),
                                (232, 60, "supervisor"), (292, 30, "tel1"), (322, 30, "tel2")]:
            put(r, off, cstr(team.get(key, ""), width))
        put(r, 356, struct.pack("<iii", team["mnr"], team["first"], team["first"] + 12))
        for i, t in enumerate(team.get("relay", [])):
            put(r, 368 + 4 * i, struct.pack("<i", t))
        if team.get("reserved"):
            # Fill the reserved areas with a pattern the store must keep.
            for off, width in [(400, 92), (492, 4), (496, 4), (500, 320), (820, 80)]:
                put(r, off, bytes((off + i) % 251 for i in range(width)))
    return bytes(r)


def athlete_record(athlete=None):
    r = bytearray(134)
    put(r, 36, struct.pack("<ii", -1, -1))
    if athlete:
        put(r, 0, cstr(athlete["name"], 26))
        put(r, 26, cstr(athlete["jg"], 3))
        put(r, 29, cstr(athlete.get("klasse", ""), 7))
        put(r, 36, struct.pack("<ii", athlete.get("number", -1), athlete.get("team", -1)))
        put(r, 44, struct.pack("<BB", athlete.get("mask", 0), athlete.get("flag", 0)))
        perf = athlete.get("perf", [0] * 7)
        put(r, 46, struct.pack("<7i", *perf))
        if athlete.get("reserved"):
            for off, width in [(74, 28), (102, 28), (130, 4)]:
                put(r, off, bytes((off + i) % 241 for i in range(width)))
    return bytes(r)


def write_data_set(folder, base, teams):
    """teams: {(class, team): (team dict, [athlete dicts])}."""
    sda = bytearray(data_header() + team_record() * 240)
    mda = bytearray(data_header() + athlete_record() * 3120)
    for (c, t), (team, athletes) in teams.items():
        put(sda, 108 + 18000 * c + 900 * t, team_record(team))
        for m, a in enumerate(athletes):
            put(mda, 108 + 34840 * c + 1742 * t + 134 * m, athlete_record(a))
    stf = data_header() + b"\0" * (4 * 1920)
    assert len(sda) == 216108 and len(mda) == 418188 and len(stf) == 7788
    for ext, data in (("SDA", sda), ("MDA", mda), ("STF", stf)):
        write(os.path.join(folder, base + "." + ext), data)


def profile_a_teams():
    return {
        (0, 0): (dict(school="Goethe-Gymnasium", list="Goethe I", tab="Goethe", street="Hauptstraße 1",
                      town="Musterstadt", bez="01", kre="02", bla="BW", mail="sport@goethe.example",
                      supervisor="Frau Müller", tel1="0711 1234", tel2="0711 5678",
                      mnr=7, first=14, relay=[5312, 0, 0, 0, 0, 0, 0, 0], reserved=True),
                 [dict(name="Max Muster", jg="96", klasse="7a", mask=0b0000101, perf=[1234, 0, 1, 0, 0, 0, 0],
                       reserved=True),
                  dict(name="Erik Groß", jg="97", klasse="7b", mask=0b0000100, perf=[0, 0, 2, 0, 0, 0, 0]),
                  dict(name="Jonas Weiß", jg="96", klasse="8a", mask=0b0010100, perf=[0, 0, 3, 0, 512, 0, 0])]),
        (0, 1): (dict(school="Schiller-Realschule", list="Schiller", tab="Schiller", mnr=8, first=27),
                 [dict(name="Tom Klein", jg="95", klasse="8c", mask=1, perf=[1301, 0, 0, 0, 0, 0, 0])]),
        (1, 0): (dict(school="Kepler-Gymnasium", list="Kepler II", tab="Kepler", mnr=9, first=40),
                 [dict(name="Lena Roth", jg="94", klasse="9a", mask=2, perf=[0, 23456, 0, 0, 0, 0, 0])]),
    }


def full_teams():
    teams = {}
    for c in range(12):
        athletes, count = DEFAULT_SIZES[c]
        for t in range(20):
            team = dict(school=f"Schule {c:02d}-{t:02d}", list=f"Liste {c}-{t}", tab=f"S{t}",
                        mnr=1 + c * 20 + t, first=1 + 13 * t)
            members = [dict(name=f"Teilnehmer {c}-{t}-{m}", jg="96", klasse="7a",
                            mask=(1 << count) - 1,
                            perf=[1000 + m, 20000 + m, 1 + m % 8, 150, 450, 800, 2500])
                       for m in range(13)]
            teams[(c, t)] = (team, members)
    return teams


# --- hostile event files ---------------------------------------------------
def with_last_class(**changes):
    classes = profile_a_classes()
    classes[-1] = dict(classes[-1], **changes)
    return classes


def hostile_files():
    good = event_file(1, "Kreisentscheid 2010", profile_a_classes())
    out = {
        "TRUNC0.JTFO": b"",
        "TRUNC310.JTFO": good[:310],
        "TRUNC1000.JTFO": good[:1000],
        "COUNT13.JTFO": event_file(1, "Zu viele Klassen", profile_a_classes(), class_count=13),
        "COUNTNEG.JTFO": event_file(1, "Negative Klassenzahl", profile_a_classes(), class_count=-1),
        "KIND12.JTFO": event_file(12, "Falsche Art", profile_a_classes()),
        # One class of twelve beyond a per-class limit.
        "ATHL14.JTFO": event_file(1, "14 Teilnehmer", with_last_class(athletes=14)),
        "DISC8.JTFO": event_file(1, "8 Disziplinen", with_last_class(discipline_count=8)),
        "PLACES21.JTFO": event_file(1, "21 Mannschaften", with_last_class(places=21)),
        "ATHLNEG.JTFO": event_file(1, "Negative Teilnehmerzahl", with_last_class(athletes=-1)),
        "NOTERM.JTFO": event_file(1, "Ohne Endezeichen",
                                  [dict(c, name="ABCDEFGHIJKLMNOPQRSTUVWXYZ") for c in profile_a_classes()],
                                  name_terminated=False),
        # A fixed name: listed without being opened; loading it must fail cleanly.
        "jtfo.jtfo": bytes((i * 37 + 11) % 256 for i in range(1000)),
    }
    return out


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    a = event_file(1, "Kreisentscheid Musterstadt 2010", profile_a_classes())
    assert len(a) == 7916
    write(os.path.join(out, "A", "treiber", "KREIS2010.JTFO"), a)
    write_data_set(os.path.join(out, "A", "veranst"), "KREIS2010", profile_a_teams())
    write(os.path.join(out, "B", "treiber", "CUP2010.JTFO"),
          event_file(5, "Bodenseecup 2010", profile_b_classes()))
    write(os.path.join(out, "C", "treiber", "PENDEL.JTFO"),
          event_file(0, "Grundschulwettbewerb 2010", profile_c_classes()))
    write(os.path.join(out, "full", "treiber", "KREIS2010.JTFO"), a)
    write_data_set(os.path.join(out, "full", "veranst"), "KREIS2010", full_teams())
    for name, data in hostile_files().items():
        write(os.path.join(out, "hostile", name), data)


if __name__ == "__main__":
    main()
