"""An independent calendar client for the tests (python3-caldav).

caldav_client.py CALENDAR_URL USER find UID   prints the item with that UID
caldav_client.py CALENDAR_URL USER save FILE  saves the event or task in FILE, prints its URL
caldav_client.py CALENDAR_URL USER list -     one line per item: VEVENT|VTODO, tab, its SUMMARY
caldav_client.py CALENDAR_URL USER rename OLD=NEW  gives the item titled OLD the title NEW
"""
import sys

import caldav


def main():
    url, user, action, argument = sys.argv[1:5]
    client = caldav.DAVClient(url=url, username=user, password="any")
    calendar = caldav.Calendar(client=client, url=url)
    if action == "find":
        print(calendar.object_by_uid(argument).data)
    elif action == "save":
        with open(argument, encoding="utf-8") as f:
            data = f.read()
        saved = calendar.save_todo(data) if "BEGIN:VTODO" in data else calendar.save_event(data)
        print(saved.url)
    elif action == "list":
        for item in calendar.objects(load_objects=True):
            component = item.icalendar_component
            print("%s\t%s" % (component.name, component.get("SUMMARY")))
    elif action == "rename":
        old, new = argument.split("=", 1)
        for item in calendar.objects(load_objects=True):
            component = item.icalendar_component
            if str(component.get("SUMMARY")) == old:
                component["SUMMARY"] = new
                item.save()
                return
        sys.exit("no item titled " + old)
    else:
        sys.exit("unknown action " + action)


if __name__ == "__main__":
    main()
