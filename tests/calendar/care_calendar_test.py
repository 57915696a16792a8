#!/usr/bin/python3
"""The care calendar `talvane-cli due --ics` writes, read by python3-icalendar, and its
repeating tasks' rules expanded by dateutil, as calendars other than libical's read them.

    care_calendar_test.py --cli build/bin/talvane-cli

Needs Debian's python3-icalendar (which brings python3-dateutil); their absence is a
failure, not a skip.
"""

import argparse
import csv
import datetime
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
    from dateutil import rrule
except ImportError as error:
    sys.exit(f"FAILED: {error}; install Debian's python3-icalendar and run this test with /usr/bin/python3.")

# Each task's text, due date and repeat as its journal line holds them, and its rule's parts.
TASKS = {
    "feed": ("2026-04-01", "\trepeat=2w@4-9", {"FREQ": ["WEEKLY"], "INTERVAL": [2], "BYMONTH": list(range(4, 10))}),
    "repot": ("2027-03-10", "\trepeat=1y", {"FREQ": ["YEARLY"]}),
    "spray": ("2026-01-20", "\trepeat=3m", {"FREQ": ["MONTHLY"], "INTERVAL": [3]}),
    "remove wire": ("2026-12-31", "", None),
}


def written_calendar(cli, folder):
    journal = "\r\n".join(["TVJ1"] + [f"2026-01-01\tNote\t{due}\t\t{text}{details}"
                                      for text, (due, details, _) in TASKS.items()])
    with open(os.path.join(folder, "trees.csv"), "w", encoding="utf-8", newline="") as out:
        csv.writer(out).writerows([["Name", "Spare114"], ["Momiji", journal]])
    for arguments in (["import", "trees.csv", "trees.tvn"], ["due", "trees.tvn", "--ics", "care.ics"]):
        subprocess.run([cli] + arguments, cwd=folder, check=True, capture_output=True)
    with open(os.path.join(folder, "care.ics"), "rb") as read:
        return icalendar.Calendar.from_ical(read.read())


def problems(event, due, parts):
    start = event.decoded("DTSTART")
    if start != datetime.date.fromisoformat(due):
        yield f"starts on {start}"
    rule = event.get("RRULE")
    if parts is None:
        if rule or "LAST-MODIFIED" in event:
            yield "does not repeat, yet has a rule or LAST-MODIFIED"
        return
    if not rule or "LAST-MODIFIED" not in event:
        yield "repeats, yet has no rule or no LAST-MODIFIED"
        return
    yield from (f"{name} is {rule.get(name)}, not {value}" for name, value in parts.items() if rule.get(name) != value)
    dates = [moment.date() for moment in rrule.rrulestr(rule.to_ical().decode(),
                                                       dtstart=datetime.datetime.combine(start, datetime.time()))[:30]]
    if dates[0] != start or any(date.month not in rule.get("BYMONTH", range(1, 13)) for date in dates):
        yield f"the rule gives {dates}"
    until = rule.get("UNTIL", [None])[0]
    until = until.date() if isinstance(until, datetime.datetime) else until
    if until and dates[-1] != until:
        yield f"the rule's dates end on {dates[-1]}, not on {until}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    cli = os.path.abspath(parser.parse_args().cli)
    with tempfile.TemporaryDirectory() as folder:
        events = {str(event["DESCRIPTION"]).split("\n")[0]: event for event in written_calendar(cli, folder).walk("VEVENT")}
    failures = [] if sorted(events) == sorted(TASKS) else [f"the tasks written are {sorted(events)}"]
    for text, (due, _, parts) in TASKS.items():
        if text in events:
            failures += [f"{text}: {problem}" for problem in problems(events[text], due, parts)]
    for failure in failures:
        print("FAILED:", failure)
    if failures:
        sys.exit(1)
    print(f"{len(events)} tasks read back; each repeating one's rule expands from its due date.")


if __name__ == "__main__":
    main()
