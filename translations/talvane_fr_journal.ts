<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AutostartEntry</name>
    <message>
        <source>The autostart entry %1 cannot be written: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The autostart entry %1 cannot be removed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CareCalendarExport</name>
    <message>
        <source>Export care calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CareCalendarKeeper</name>
    <message>
        <source>The collection was saved. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CareDueDlg</name>
    <message>
        <source>Overdue by 1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue by %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Care due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue tasks and those due in the next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mark done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me at &amp;login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you log in, a notification tells which trees of this collection need care that day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep a care &amp;calendar beside the collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every save also writes %1 in the collection&apos;s folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CareDueNotice</name>
    <message>
        <source>Show care due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no care task due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 care task due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 care tasks due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> in </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 more task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 more tasks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CareEventDlg</name>
    <message>
        <source>Care event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next step due &amp;by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Picture:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeat every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;only from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2027-03-15 or %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event&apos;s date is not a day of the calendar: type it as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next step&apos;s date is not a day of the calendar: type it as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next step cannot be due before the event&apos;s day.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>YYYY-MM-DD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick from a calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JournalPage</name>
    <message>
        <source>Journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add photos…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeline…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ↻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due %1, then %2 once done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This line cannot be read by this version: it is kept as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 line of this journal cannot be read: it is kept as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lines of this journal cannot be read: they are kept as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the %1 of %2 from the journal?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoginReminders</name>
    <message>
        <source>Talvane care reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tells at login which trees of your bonsai collections need care</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
