"""The tardo command end to end, through the stand-in shell: exact bytes and
exit codes for every message, the scheduling forms, and error lines inside a
batch file. Runs natively (fixed clock through STANDIN_LOCALTIME) and under
Wine (fixed clock through faketime)."""
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
import expectations  # noqa: E402
import shellrun  # noqa: E402

# The usage text and the form of error and scheduled lines are shared
# (tests/support/expectations.h); the messages and moments are this table's.
USAGE = expectations.USAGE
NOW = "2016-03-01 10:30:05"


def error(message):
    return expectations.error_line(message)


def scheduled(moment, command):
    return expectations.scheduled_line(moment, command)


def cases(folder, missing):
    """(tail, stdout, stderr, exit code), with LocalNow at NOW; folder comes
    quoted for the command, missing as the messages name it."""
    return [
        ("", USAGE, b"", 0),
        ("   ", USAGE, b"", 0),
        ("/?", USAGE, b"", 0),
        ("/? 5 min echo", USAGE, b"", 0),
        ("/?x", b"", error('Syntax error:  invalid duration "/?x"; should be a number'), 1),
        ("out", b"Like totally, dude.\n", b"", 0),
        ("OUT", b"Like totally, dude.\n", b"", 0),
        ("out 5 min echo hi", scheduled("2016-03-01 10:35", "echo hi"), b"", 0),
        ("out until 17:30 echo hi", scheduled("2016-03-01 17:30", "echo hi"), b"", 0),
        ("out /?", b"", error('Syntax error:  invalid duration "/?"; should be a number'), 1),
        ("out out", b"", error('Syntax error:  invalid duration "out"; should be a number'), 1),
        ("for", b"", error("Syntax error:  expected a duration"), 1),
        ('""', b"", error("Syntax error:  expected a duration"), 1),
        ("then 5 min x", b"", error('Syntax error:  invalid duration "then"; should be a number'), 1),
        ("for for 5 min x", b"", error('Syntax error:  invalid duration "for"; should be a number'), 1),
        ("0 min echo", b"", error('Syntax error:  invalid duration "0"; should be a number'), 1),
        ("abc min echo", b"", error('Syntax error:  invalid duration "abc"; should be a number'), 1),
        ("-5 min echo", b"", error('Syntax error:  invalid duration "-5"; should be a number'), 1),
        ("0x10 minutes echo hi", scheduled("2016-03-01 10:46", "echo hi"), b"", 0),
        ("5", b"", error("Syntax error:  expected HOURS or MINUTES"), 1),
        ("5 sec echo", b"", error("Syntax error:  expected HOURS or MINUTES"), 1),
        ("5 m echo", b"", error("Syntax error:  expected HOURS or MINUTES"), 1),
        ("5 mi echo", b"", error("Syntax error:  expected HOURS or MINUTES"), 1),
        ("5 hr echo", b"", error("Syntax error:  expected HOURS or MINUTES"), 1),
        ("2 Days echo hi", scheduled("2016-03-03 10:30", "echo hi"), b"", 0),
        ("1 hourly echo hi", scheduled("2016-03-01 11:30", "echo hi"), b"", 0),
        ("for 3 HOURS echo hi", scheduled("2016-03-01 13:30", "echo hi"), b"", 0),
        ("90 mint echo hi", scheduled("2016-03-01 12:00", "echo hi"), b"", 0),
        ("5 min install.bat", scheduled("2016-03-01 10:35", "install.bat"), b"", 0),
        ("5 minutes", b"", error("Syntax error:  expected IN, THEN or a command"), 1),
        ("5 minutes then", b"", error("Syntax error:  expected IN or a command"), 1),
        ("5 minutes in", b"", error("Syntax error:  expected a directory name"), 1),
        (f"5 minutes in {folder}", b"", error("Syntax error:  expected a command"), 1),
        (f"5 minutes in {folder} then", b"", error("Syntax error:  expected a command"), 1),
        ("5 min then then echo hi", scheduled("2016-03-01 10:35", "then echo hi"), b"", 0),
        (f"5 min in {folder} then then x", scheduled("2016-03-01 10:35", "then x"), b"", 0),
        ("5 min echo in the morning", scheduled("2016-03-01 10:35", "echo in the morning"), b"", 0),
        (f"5 min in {folder} then in E:\\ x", scheduled("2016-03-01 10:35", "in E:\\ x"), b"", 0),
        ('5 min echo "a  b"   ', scheduled("2016-03-01 10:35", 'echo "a  b"'), b"", 0),
        ('5 min echo 100% "50%" \u00e9t\u00e9', scheduled("2016-03-01 10:35", 'echo 100% "50%" \u00e9t\u00e9'), b"", 0),
        (f'5 min in "{missing}" echo', b"", error(f"Directory does not exist:  {missing}"), 1),
        (f"FOR 5 MINUTES THEN IN {folder} echo", scheduled("2016-03-01 10:35", "echo"), b"", 0),
        ("until", b"", error("Syntax error:  expected a time"), 1),
        ("until 25:00 x", b"", error('Syntax error:  invalid time "25:00"; should be HH:MM'), 1),
        ("until 10:00Q x", b"", error('Syntax error:  invalid time "10:00Q"; should be HH:MM'), 1),
        ("until 10:31 x", scheduled("2016-03-01 10:31", "x"), b"", 0),
        ("untilx 10:31 x", b"", error('Syntax error:  invalid duration "untilx"; should be a number'), 1),
        ("until 10:30 x", scheduled("2016-03-02 10:30", "x"), b"", 0),
        ("until 5:30p then x", scheduled("2016-03-01 17:30", "x"), b"", 0),
        ("until 2016-03-01@10:30:05 x", b"", error("It's too late for that!"), 1),
        ("until 2016-02-29@9:00 x", b"", error("It's too late for that!"), 1),
        ("until 2016-03-01@10:30:06 x", scheduled("2016-03-01 10:30", "x"), b"", 0),
        ("until 4000-12-31@23:59 x", scheduled("4000-12-31 23:59", "x"), b"", 0),
        ("until 2015-02-29@9:00 x", b"", error('Syntax error:  invalid time "2015-02-29@9:00"; should be HH:MM'), 1),
        ("1491309 days x", b"", error("Date out of range"), 1),
        ("1491309 min x", scheduled("2019-01-01 01:39", "x"), b"", 0),  # past the days' bound, within its own
        ("35791395 hours x", b"", error("Date out of range"), 1),
        ("2147483647 min x", b"", error("Date out of range"), 1),
        ("2982617 days x", b"", error("Date out of range"), 1),  # 32-bit product wraps positive
        ("0xFFFFFFFF min x", b"", error("Date out of range"), 1),
        # /L and /D as the first word only; what they list and delete is job_sessions.py's.
        ("/D", b"", error("Syntax error:  expected a job name or *"), 1),
        ("/d Backup", b"", error("Not a Tardo job name:  Backup"), 1),
        ("/D Tardo-0318f73", b"", error("Not a Tardo job name:  Tardo-0318f73"), 1),
        ("/D Tardo-00000000", b"", error("No such Tardo job:  Tardo-00000000"), 1),
        ("/L now", b"", error('Syntax error:  unexpected "now"'), 1),
        ("/d * Tardo-00000000  ", b"", error('Syntax error:  unexpected "Tardo-00000000"'), 1),
        ("/list", b"", error('Syntax error:  invalid duration "/list"; should be a number'), 1),
        ("out /L", b"", error('Syntax error:  invalid duration "/L"; should be a number'), 1),
        ("5 min /L", scheduled("2016-03-01 10:35", "/L"), b"", 0),
        ("until 17:30 /d *", scheduled("2016-03-01 17:30", "/d *"), b"", 0),
    ]


# Delays that cross the ends of days, months and years: (clock, tail, moment).
CROSSINGS = [
    ("2015-12-31 23:59:00", "1 min x", "2016-01-01 00:00"),
    ("2016-02-28 23:30:00", "60 min x", "2016-02-29 00:30"),
    ("2015-02-28 23:30:00", "1 hour x", "2015-03-01 00:30"),
    ("2100-02-28 10:00:00", "1 day x", "2100-03-01 10:00"),
    ("2016-03-01 10:15:31", "5 min x", "2016-03-01 10:21"),
    ("2016-03-01 10:15:30", "5 min x", "2016-03-01 10:20"),
    ("2016-12-31 22:00:00", "until 1:00 x", "2017-01-01 01:00"),
    ("4000-12-31 23:00:00", "59 min x", "4000-12-31 23:59"),
]


def prepare(args, name):
    """The suite's own folder name under args.work, emptied, with a job
    folder in it; the shell, whose %SystemRoot% natively is a folder of the
    suite's; and the scheduler's Tasks folder: (work, folder, shell, tasks)."""
    work = os.path.join(args.work, name)
    shutil.rmtree(work, ignore_errors=True)
    folder = os.path.join(work, "job folder")
    os.makedirs(folder)
    system_root = os.path.join(work, "Windows")
    os.makedirs(os.path.join(system_root, "Tasks"))
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator,
                           env={} if args.emulator else {"SystemRoot": system_root})
    return work, folder, shell, args.tasks or os.path.join(system_root, "Tasks")


def main():
    args = shellrun.parse_arguments()
    work, folder, shell, tasks = prepare(args, "command-sessions")
    host_folder = shell.host_path(folder)
    quoted = f'"{host_folder}"'
    missing = shell.host_path(os.path.join(work, "no such dir"))
    results = shellrun.Results()
    jobs = shellrun.Jobs(shell, tasks, args.job_reader)
    kept = jobs.names()
    try:

        def at(clock, line):
            return shell.run_at(clock, ["/c", "tardo " + line] if line else ["/c", "tardo"])

        rows = cases(quoted, missing)
        ran = shell.run_each([f"tardo {tail}" for tail, *_ in rows], clock=NOW)
        for (tail, out, err, code), actual in zip(rows, ran):
            results.check(f"tardo {tail!r}", (code, out, err), actual)
        for clock, tail, moment in CROSSINGS:
            results.check(f"{clock} tardo {tail}", (0, scheduled(moment, "x"), b""), at(clock, tail))

        if not shell.windows:
            # Under Wine the service cannot be stopped once running; its own suite covers that.
            results.check("scheduler stopped",
                          (2, b"", error("Task Scheduler service not running!")),
                          shell.run_at(NOW, ["/c", "tardo 5 min echo hi"], env={"STANDIN_SCHEDULE": "stopped"}))
            results.check("over-long line", (1, b"", error("Command line too long: at most 16383 characters")),
                          shell.run_at(NOW, ["/c", "tardo 5 min echo " + "x" * 16400]))
            # The longest tail is one word, read whole: a cut one would read as the count 0.
            results.check("longest one-word tail", (1, b"", error("Syntax error:  expected HOURS or MINUTES")),
                          shell.run_at(NOW, ["/c", "tardo " + "0" * 16382 + "5"]))

        # The job as the scheduler keeps it: "/c " and the command as the host
        # hands it over (back quotes gone, nothing inside them expanded).
        shell_folder = shell.host_path(os.path.dirname(os.path.abspath(args.shell)))
        separator = "\\" if shell.windows else "/"
        for tail, command, directory in [
                ('5 min echo "a  b"   ', 'echo "a  b"', shell_folder + separator),
                ('5 min `echo 100% "50%s" > x` \u00e9t\u00e9 \u4e2d', 'echo 100% "50%s" > x \u00e9t\u00e9 \u4e2d',
                 shell_folder + separator),
                (f"until 23:59 in {quoted} then echo 'x' then", "echo 'x' then", host_folder)]:
            before = jobs.names()
            code, out, err = at(NOW, tail)
            made = sorted(jobs.names() - before)
            results.check(f"one job for {tail!r}", (0, 1, b""), (code, len(made), err))
            if len(made) != 1:
                continue
            job = jobs.read(made[0])
            results.check(f"job of {tail!r}", {
                "Parameters": "/c " + command, "WorkingDirectory": directory, "Flags": "0x00002002",
                "TriggerCount": "1", "Trigger0.TriggerType": "0", "Trigger0.wBeginYear": "2016",
                "Trigger0.wBeginMonth": "3", "Trigger0.wBeginDay": "1",
                "Trigger0.wStartHour": "23" if tail.startswith("until") else "10",
                "Trigger0.wStartMinute": "59" if tail.startswith("until") else "35",
            }, {key: job.get(key) for key in ("Parameters", "WorkingDirectory", "Flags", "TriggerCount",
                                             "Trigger0.TriggerType", "Trigger0.wBeginYear",
                                             "Trigger0.wBeginMonth", "Trigger0.wBeginDay",
                                             "Trigger0.wStartHour", "Trigger0.wStartMinute")})
            results.check(f"application of {tail!r}", True,
                          job.get("Application", "").lower().endswith(
                              ("hostshell.exe" if shell.windows else "hostshell")))

        # Inside a batch file, error lines name the file and the line.
        lines = ["rem first line", "tardo 5", "tardo until", "tardo 5 min echo ok"]
        code, out, err, path = shell.batch_at(NOW, lines, folder=work)
        # Neither transient nor in a pipe: the load banner comes first.
        results.check("batch output", f"Tardo v{shellrun.VERSION} loaded.\n".encode() + scheduled("2016-03-01 10:35", "echo ok"), out)
        results.check("batch errors",
                      expectations.error_line("Syntax error:  expected HOURS or MINUTES",
                                              expectations.batch_location(path, 2)) +
                      expectations.error_line("Syntax error:  expected a time",
                                              expectations.batch_location(path, 3)), err)
    finally:
        # Wine's scheduler would start these jobs daily at their hour and
        # minute, so they go however the cases ended.
        jobs.remove(jobs.names() - kept)
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
