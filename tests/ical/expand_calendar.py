"""Expands every repeating component of an iCalendar file as an independent reader sees it.

Usage: /usr/bin/python3 expand_calendar.py FILE FROM TO ZONE
Prints "SUMMARY<TAB>YYYY-MM-DD" for each occurrence from FROM through TO (ISO dates), the
date taken in ZONE. Components are read with python3-icalendar; RRULE, RDATE and EXDATE are
expanded with python3-dateutil's rrulestr and rruleset. Exits non-zero when the file cannot
be read.
"""
import datetime
import sys
import zoneinfo

import icalendar
from dateutil.rrule import rrulestr, rruleset


def as_datetime(value):
    if isinstance(value, datetime.datetime):
        return value
    return datetime.datetime.combine(value, datetime.time())


def local_date(value, zone):
    value = as_datetime(value)
    if value.tzinfo is not None:
        value = value.astimezone(zone)
    return value.date()


def main():
    path, first, last, zone_name = sys.argv[1:5]
    zone = zoneinfo.ZoneInfo(zone_name)
    first = datetime.date.fromisoformat(first)
    last = datetime.date.fromisoformat(last)
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    for component in calendar.walk():
        if component.name not in ("VEVENT", "VTODO") or "RECURRENCE-ID" in component:
            continue
        summary = str(component.get("SUMMARY"))
        start = as_datetime(component.decoded("DTSTART"))
        dates = rruleset()
        if "RRULE" in component:
            rule = component["RRULE"].to_ical().decode()
            dates.rrule(rrulestr(rule, dtstart=start))
        else:
            dates.rdate(start)
        rdates = component.get("RDATE", [])
        for prop in rdates if isinstance(rdates, list) else [rdates]:
            for value in prop.dts:
                dates.rdate(as_datetime(value.dt))
        exdates = component.get("EXDATE", [])
        for prop in exdates if isinstance(exdates, list) else [exdates]:
            for value in prop.dts:
                dates.exdate(as_datetime(value.dt))
        end = datetime.datetime.combine(last + datetime.timedelta(days=2), datetime.time())
        if start.tzinfo is not None:
            end = end.replace(tzinfo=start.tzinfo)
        for occurrence in dates:
            if occurrence > end:
                break
            day = local_date(occurrence, zone)
            if first <= day <= last:
                print(f"{summary}\t{day.isoformat()}")


if __name__ == "__main__":
    main()
