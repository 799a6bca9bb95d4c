"""TARDO /L and /D end to end, through the stand-in shell: natively, and
under Wine against its own Task Scheduler. Three jobs scheduled with tardo
and two work items of other names; the list, earliest first; one job
deleted by its name and gone from the list and the Tasks folder; the rest
deleted with *, the other work items left alone; a job past its moment no
longer pending; a garbled job file and a read-only one making Activate and
Delete fail. The lines' form and messages are job_list_test's and the
command table's (tests/support/expectations.h)."""
import os
import shutil
import stat
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
from command_sessions import prepare  # noqa: E402
import expectations  # noqa: E402
import shellrun  # noqa: E402

NOW = "2016-03-01 10:30:05"
LATER = "2016-03-01 12:00:00"
# Work items of other names: one not Tardo's at all, one in Tardo's form but
# for its upper-case digits, which Tardo never writes.
OTHERS = ("Backup", "Tardo-ABCDEF01")


def main():
    args = shellrun.parse_arguments()
    _, folder, shell, tasks = prepare(args, "job-sessions")
    host_folder = shell.host_path(folder)
    jobs = shellrun.Jobs(shell, tasks)
    results = shellrun.Results()
    made = set()

    def path(name):
        return os.path.join(tasks, name + ".job")

    def tardo(line, clock=NOW):
        return shell.run_at(clock, ["/c", "tardo " + line])

    def schedule(line):
        before = jobs.names()
        code, out, err = tardo(line)
        new = jobs.names() - before
        made.update(new)
        results.check(f"one job for {line!r}", (0, 1, b""), (code, len(new), err))
        return min(new, default="")

    try:
        # The list is exact only over this session's jobs.
        if not results.check("no Tardo job in the Tasks folder before the session", set(), jobs.names()):
            return results.finish()
        late = schedule("until 2016-03-03@08:00 echo late")
        early = schedule("5 min echo early")
        away = schedule(f'until 17:30 in "{host_folder}" make')
        for other in OTHERS:
            shutil.copyfile(path(early), path(other))
            made.add(other)
        listed = {
            early: expectations.job_line(early, "2016-03-01 10:35", "echo early"),
            away: expectations.job_line(away, "2016-03-01 17:30", "make", host_folder),
            late: expectations.job_line(late, "2016-03-03 08:00", "echo late"),
        }
        results.check("the list, earliest first", (0, b"".join(listed.values()), b""), tardo("/L"))

        results.check("one deleted by its name", (0, expectations.deleted_line(away), b""),
                      tardo("/D " + away))
        results.check("its job file gone", False, os.path.exists(path(away)))
        del listed[away]
        results.check("the list without it", (0, b"".join(listed.values()), b""), tardo("/l"))

        results.check("the others deleted", (0, expectations.deleted_count_line(2), b""), tardo("/D *"))
        results.check("the work items of other names left, and no Tardo job", (True, {OTHERS[1]}),
                      (os.path.exists(path(OTHERS[0])), jobs.names()))
        results.check("an empty list", (0, expectations.NO_PENDING_JOBS, b""), tardo("/L"))
        code, out, _ = tardo("/D " + OTHERS[1])
        results.check("another's work item in Tardo's form not deleted by its name", (1, b"", True),
                      (code, out, os.path.exists(path(OTHERS[1]))))

        passed = schedule("5 min echo passed")
        results.check("a job past its moment not listed", (0, expectations.NO_PENDING_JOBS, b""),
                      tardo("/L", clock=LATER))

        # A job file that holds no job: Activate fails, and the list with it.
        garbled = "Tardo-0badf11e"
        with open(path(garbled), "wb") as f:
            f.write(b"garbage")
        made.add(garbled)
        results.check("a garbled job file", (2, b"", expectations.error_line("Activate() returned: 0x8004130e")),
                      tardo("/L"))
        os.remove(path(garbled))
        # A read-only job file: Delete fails, and the job stays.
        os.chmod(path(passed), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        code, out, err = tardo("/D *")
        results.check("a read-only job file", (2, b"", expectations.error_line("Delete() returned: 0x80070005"), True),
                      (code, out, err, os.path.exists(path(passed))))
    finally:
        # Each goes, whatever state the cases left it in.
        for name in made:
            if os.path.exists(path(name)):
                os.chmod(path(name), stat.S_IRUSR | stat.S_IWUSR)
                os.remove(path(name))
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
