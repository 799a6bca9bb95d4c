"""The usage examples of README.md, read from the README itself, each typed
at the stand-in host at one fixed moment: each must schedule its job and
show the confirmation line below, and nothing else. The README's batch file
line that tests tardo's result runs as a batch file twice: before its
moment it schedules, after it the error line of that batch line and the
echo after || follow. The README's session of /L and /D runs line by line
in a Tasks folder of its own jobs only, each line's output exactly as the
README shows it (natively with D:\\work's true name in its place). The
folders these lines name are made first: natively under the suite's own
folder, which is the shell's current folder (a stand-in path C:\\x is the
relative path C:/x); under Wine on drive C: of the build's prefix and on a
drive D: of the suite's."""
import os
import re
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
import expectations  # noqa: E402
import shellrun  # noqa: E402

README = os.path.join(HERE, "..", "..", "..", "README.md")
NOW = "2026-12-08 17:10:00"
# Each example as typed, and the moment and command it confirms at NOW.
CONFIRMED = {
    "tardo 5 minutes echo hi": ("2026-12-08 17:15", "echo hi"),
    "tardo for 2 hours then backup.btm": ("2026-12-08 19:10", "backup.btm"),
    "tardo 3 days del C:\\temp\\*.tmp": ("2026-12-11 17:10", "del C:\\temp\\*.tmp"),
    "tardo 0x10 min echo sixteen": ("2026-12-08 17:26", "echo sixteen"),
    "tardo until 17:30 in D:\\work make": ("2026-12-08 17:30", "make"),
    "tardo until 5:30p echo tea": ("2026-12-08 17:30", "echo tea"),
    "tardo until 2027-01-05@09:07:30 echo x": ("2027-01-05 09:07", "echo x"),
    'tardo 5 min in "C:\\Program Files\\X" x': ("2026-12-08 17:15", "x"),
    "tardo 5 min `echo %path%`": ("2026-12-08 17:15", "echo %path%"),
    "tardo 1 hour `echo %_time >> %temp%\\t.log`": ("2026-12-08 18:10", "echo %_time >> %temp%\\t.log"),
}


# The batch file line's moment and command, and a moment after it.
IN_BATCH = ("2026-12-24 18:00", "party.btm")
AFTER = "2026-12-25 09:00:00"


def code_block(after):
    """The lines of the code block that follows the paragraph beginning with after."""
    with open(README, encoding="utf-8") as f:
        return re.search(r"\n" + re.escape(after) + r".*?\n\n```\n(.*?)\n```\n", f.read(),
                         re.S).group(1).splitlines()


def session(after):
    """The "> command" lines of the code block after the paragraph beginning
    with after, each with the output lines below it."""
    steps = []
    for line in code_block(after):
        if line.startswith("> "):
            steps.append((line[2:], []))
        else:
            steps[-1][1].append(line)
    return [(command, "".join(out + "\n" for out in lines).encode()) for command, lines in steps]


def examples():
    """The lines of the code block after "Examples:", without their comments."""
    return [re.split(r" {2,}", line)[0] for line in code_block("Examples:")]


def main():
    args = shellrun.parse_arguments()
    work = os.path.join(args.work, "readme-examples")
    shutil.rmtree(work, ignore_errors=True)
    system_root = os.path.join(work, "Windows")
    os.makedirs(os.path.join(system_root, "Tasks"))
    drive_d = None
    if args.emulator:
        drive_c = os.path.dirname(os.path.dirname(args.tasks))
        drive_d = os.path.join(os.path.dirname(drive_c), "dosdevices", "d:")
        if os.path.lexists(drive_d):
            os.remove(drive_d)
        os.symlink(work, drive_d)
        folders = [os.path.join(drive_c, "Program Files", "X"), os.path.join(work, "work")]
    else:
        folders = [os.path.join(work, "C:", "Program Files", "X"), os.path.join(work, "D:", "work")]
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator,
                           env={} if args.emulator else {"SystemRoot": system_root})
    jobs = shellrun.Jobs(shell, args.tasks or os.path.join(system_root, "Tasks"))
    kept = jobs.names()
    results = shellrun.Results()
    try:
        lines = examples()
        results.check("the README's examples are this table's", sorted(CONFIRMED), sorted(lines))
        confirmed = [line for line in lines if line in CONFIRMED]
        for line, actual in zip(confirmed, shell.run_each(confirmed, clock=NOW, cwd=work)):
            results.check(line, (0, expectations.scheduled_line(*CONFIRMED[line]), b""), actual)
        batch = code_block("In a batch file,")
        quiet = {"noloadmsg": "1"}  # a batch file's shell is not transient: no banner
        results.check(f"the batch file {batch} before its moment",
                      (0, expectations.scheduled_line(*IN_BATCH), b""),
                      shell.batch_at(NOW, batch, folder=work, cwd=work, env=quiet)[:3])
        code, out, err, path = shell.batch_at(AFTER, batch, folder=work, cwd=work, env=quiet)
        # The message is the command table's to assert; here, that it is one
        # error line of this batch file's first line.
        location = expectations.error_line(b"", expectations.batch_location(path, 1)).rstrip(b"\r\n")
        results.check(f"the batch file {batch} after its moment", (0, b"not scheduled: 1\n", True, 1),
                      (code, out, err.startswith(location), err.count(b"\n")))
        # The session's job names follow from NOW in a Tasks folder without
        # the examples' jobs.
        jobs.remove(jobs.names() - kept)
        work_folder = os.path.realpath(folders[1]).encode()
        steps = session("Jobs are named `Tardo-`")
        ran = shell.run_each([command for command, _ in steps], clock=NOW, cwd=work)
        for (command, out), actual in zip(steps, ran):
            if not args.emulator:
                out = out.replace(b'in "D:\\work"', b'in "' + work_folder + b'"')
            results.check(command, (0, out, b""), actual)
    finally:
        # Wine's scheduler would start these jobs at their minute.
        jobs.remove(jobs.names() - kept)
        if drive_d:
            os.remove(drive_d)
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
