"""Runs the stand-in host shell, natively or under Wine, and compares bytes.

Every end-to-end suite imports this module. A suite is a list of cases; each
case runs the shell once and states the exact bytes expected on standard
output and standard error and the exit code.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

# The version under test: project(... VERSION) in CMakeLists.txt, which CMake
# hands every suite (tardo_add_shell_suite).
VERSION = os.environ.get("TARDO_VERSION", "(TARDO_VERSION not set: run the suite through ctest)")
# How many times longer a program under Wine may take (tests/wine/wine-env.sh).
SLOWDOWN = int(os.environ.get("TARDO_WINE_SLOWDOWN", "1"))


def windows_path(path):
    """A POSIX path as Wine's programs name it: on drive Z:, with backslashes.
    The rule for Python; the shell scripts have it as windows_path in
    tests/wine/scheduled-job.sh."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Shell:
    def __init__(self, shell, plugin, emulator=None, env=None):
        self.shell = shell
        self.plugin = plugin
        self.emulator = emulator
        self.env = dict(os.environ)
        self.env.update(env or {})

    @property
    def windows(self):
        return self.emulator is not None

    def host_path(self, path):
        """A POSIX path as the shell under test sees it."""
        return windows_path(path) if self.windows else path

    def run(self, args, stdin=None, env=None, timeout=120, plugin=True, clock=None, cwd=None):
        """Runs the shell (in cwd, if given); clock ("YYYY-MM-DD hh:mm:ss") fixes the local time."""
        command = ([self.emulator] if self.emulator else []) + [self.shell]
        run_env = dict(self.env)
        run_env.update(env or {})
        if clock and self.windows:
            command = ["faketime", "--exclude-monotonic", "-f", clock] + command
        elif clock:
            run_env["STANDIN_LOCALTIME"] = clock
        if plugin:
            command += ["--plugin", self.host_path(self.plugin)]
        command += args
        done = subprocess.run(command, input=stdin, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              env=run_env, timeout=timeout * SLOWDOWN, cwd=cwd,
                              stdin=None if stdin is not None else subprocess.DEVNULL)
        return done.returncode, done.stdout, done.stderr

    def run_at(self, clock, args, **options):
        return self.run(args, clock=clock, **options)

    # Ends each command's output and errors in run_each.
    MARK = "::end of command::"

    def run_each(self, commands, **options):
        """Runs the commands one after the other in one /c line, as the host
        runs each command of a line joined by &: the (exit code, output,
        errors) each would give alone, read back from an echo of %_? and a
        mark on each stream after it. A program start under Wine is seconds
        in an emulated machine; a line holds dozens of commands."""
        line = "".join(f"{command}& echo {self.MARK}%_?& echoerr {self.MARK}& " for command in commands)
        code, out, err = self.run(["/c", line], **options)
        outs = re.split(re.escape(self.MARK).encode() + rb"(-?[0-9]+)\n", out)
        errs = err.split(self.MARK.encode() + b"\n")
        if code != 0 or len(outs) != 2 * len(commands) + 1 or outs[-1] or len(errs) != len(commands) + 1 or errs[-1]:
            raise AssertionError(f"run_each: the marks of {len(commands)} commands are not all there "
                                 f"(exit code {code}):\n{out!r}\n{err!r}")
        return [(int(outs[2 * i + 1]), outs[2 * i], errs[i]) for i in range(len(commands))]

    def batch(self, lines, name="session.btm", folder=None, **options):
        """Runs a batch file made of lines (CR LF line ends); gives its path as the shell names it too."""
        folder = folder or tempfile.mkdtemp(prefix="tardo-e2e-")
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode("utf-8"))
        code, out, err = self.run([self.host_path(path)], **options)
        return code, out, err, self.host_path(path)

    def batch_at(self, clock, lines, **options):
        return self.batch(lines, clock=clock, **options)


class Jobs:
    """The Tardo jobs in the scheduler's Tasks folder, read back as records:
    from the stand-in's job files natively, through the Task Scheduler API
    (job_reader.exe) under Wine."""

    def __init__(self, shell, folder, reader=None):
        self.shell = shell
        self.folder = folder
        self.reader = reader

    def names(self):
        if not os.path.isdir(self.folder):
            return set()
        return {name[:-4] for name in os.listdir(self.folder)
                if name.lower().startswith("tardo-") and name.lower().endswith(".job")}

    def remove(self, names):
        for name in names:
            os.remove(os.path.join(self.folder, name + ".job"))

    def read(self, name):
        """The job's record (standins/posix/standin_job_record.h); empty when it cannot be read."""
        if self.reader:
            done = subprocess.run([self.shell.emulator, self.reader, name], stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, stdin=subprocess.DEVNULL, timeout=120 * SLOWDOWN,
                                  env=self.shell.env)
            return json.loads(done.stdout) if done.returncode == 0 else {}
        with open(os.path.join(self.folder, name + ".job"), "rb") as f:
            return json.load(f)


class Results:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, label, expected, actual):
        if expected == actual:
            self.passed += 1
            return True
        self.failed += 1
        print(f"FAIL {label}\n  expected: {expected!r}\n  actual:   {actual!r}")
        return False

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


def parse_arguments(flags=()):
    """The suite's arguments; flags names a suite's own switches."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--shell", required=True)
    parser.add_argument("--plugin", required=True)
    parser.add_argument("--emulator")
    parser.add_argument("--work", default=tempfile.gettempdir())
    parser.add_argument("--tasks", help="the scheduler's Tasks folder (Wine)")
    parser.add_argument("--job-reader", help="job_reader.exe (Wine)")
    for name in flags:
        parser.add_argument(name, action="store_true")
    return parser.parse_args()


def run_suite(main):
    sys.exit(main())
