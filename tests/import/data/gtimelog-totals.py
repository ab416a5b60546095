# Prints gtimelog's own totals of a timelog.txt per virtual day (virtual midnight 02:00):
# the work total, the slacking total, and each work entry's total, as its report groups them.
import datetime, sys
sys.path.insert(0, '/usr/lib/python3/dist-packages')
from gtimelog.timelog import TimeLog
log = TimeLog(sys.argv[1], datetime.time(2, 0))
days = sorted({e.start.date() - datetime.timedelta(1) if e.start.time() < datetime.time(2, 0)
               else e.start.date() for e in log.all_entries()})
for day in days:
    window = log.window_for_day(day)
    work, slacking = window.totals()
    print(day, 'work', work, 'slacking', slacking)
    for start, entry, duration in window.grouped_entries()[0]:
        print('   ', entry, duration)
