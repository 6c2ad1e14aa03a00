"""Reads every .ics file of a folder with two independent iCalendar readers and prints, per
file and reader, one line of the fields the calendar side's tests compare:
reader|file|kind|summary|start|end-or-due|rrule|rdates|x-ploven-id|status|categories|alarms
Times are printed as ISO text in local wall time ("2026-12-09T09:05") or as dates."""
import glob
import os
import sys

import icalendar
import vobject


def when(value):
    if value is None:
        return ""
    if hasattr(value, "dt"):
        value = value.dt
    if hasattr(value, "hour"):
        return value.strftime("%Y-%m-%dT%H:%M")
    return value.isoformat()


def with_icalendar(path):
    cal = icalendar.Calendar.from_ical(open(path, "rb").read())
    for comp in cal.walk():
        if comp.name not in ("VEVENT", "VTODO"):
            continue
        end = comp.get("DUE") if comp.name == "VTODO" else comp.get("DTEND")
        rrule = comp.get("RRULE")
        rdates = comp.get("RDATE")
        n_rdates = 0
        if rdates is not None:
            for r in rdates if isinstance(rdates, list) else [rdates]:
                n_rdates += len(r.dts)
        cats = comp.get("CATEGORIES")
        names = []
        for c in cats if isinstance(cats, list) else ([cats] if cats else []):
            names.extend(str(x) for x in c.cats)
        alarms = len([a for a in comp.walk() if a.name == "VALARM"])
        return [comp.name, str(comp.get("SUMMARY", "")), when(comp.get("DTSTART")), when(end),
                rrule.to_ical().decode() if rrule else "", str(n_rdates),
                str(comp.get("X-PLOVEN-ID", "")), str(comp.get("STATUS", "")),
                ",".join(names), str(alarms)]


def with_vobject(path):
    cal = vobject.readOne(open(path, encoding="utf-8").read())
    comps = list(getattr(cal, "vevent_list", [])) + list(getattr(cal, "vtodo_list", []))
    comp = comps[0]
    kind = comp.name.upper()
    c = comp.contents
    end = c.get("due") if kind == "VTODO" else c.get("dtend")
    names = []
    for cat in c.get("categories", []):
        names.extend(cat.value)
    n_rdates = sum(len(r.value) for r in c.get("rdate", []))
    return [kind, c["summary"][0].value if "summary" in c else "",
            when(c["dtstart"][0].value) if "dtstart" in c else "",
            when(end[0].value) if end else "",
            c["rrule"][0].value if "rrule" in c else "", str(n_rdates),
            c["x-ploven-id"][0].value if "x-ploven-id" in c else "",
            c["status"][0].value if "status" in c else "", ",".join(names),
            str(len(c.get("valarm", [])))]


def main():
    for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.ics"))):
        name = os.path.basename(path)
        for reader, read in (("icalendar", with_icalendar), ("vobject", with_vobject)):
            print("|".join([reader, name] + read(path)))


main()
