"""The usage examples of README.md, read from the README itself, each typed
at the stand-in host at one fixed moment: each must schedule its job and
show the confirmation line below, and nothing else. The folders they name
are made first: natively under the suite's own folder, which is the shell's
current folder (a stand-in path C:\\x is the relative path C:/x); under
Wine on drive C: of the build's prefix and on a drive D: of the suite's."""
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


def examples():
    """The lines of the code block after "Examples:", without their comments."""
    with open(README, encoding="utf-8") as f:
        block = re.search(r"\nExamples:\n\n```\n(.*?)\n```\n", f.read(), re.S).group(1)
    return [re.split(r" {2,}", line)[0] for line in block.splitlines()]


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
        for line in lines:
            if line in CONFIRMED:
                results.check(line, (0, expectations.scheduled_line(*CONFIRMED[line]), b""),
                              shell.run_at(NOW, ["/c", line], cwd=work))
    finally:
        # Wine's scheduler would start these jobs at their minute.
        jobs.remove(jobs.names() - kept)
        if drive_d:
            os.remove(drive_d)
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
