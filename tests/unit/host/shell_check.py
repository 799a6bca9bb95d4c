"""End-to-end checks of hostshell with the probe plug-in: exit codes, the
/c line, standard input, batch files with their variables, the system shell
and strict mode. Natively, or under Wine when --emulator is given."""
import argparse
import os
import subprocess
import sys
import tempfile


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--shell", required=True)
    parser.add_argument("--plugin", required=True)
    parser.add_argument("--emulator")
    options = parser.parse_args()
    windows = options.emulator is not None
    work = tempfile.mkdtemp(prefix="tardo-hostshell-")

    def host_path(path):
        return "Z:" + os.path.realpath(path).replace("/", "\\") if windows else os.path.realpath(path)

    plugin = host_path(options.plugin)
    env = dict(os.environ, LANG="C.UTF-8")
    env.pop("TAKECMD_STRICT", None)
    env.pop("noloadmsg", None)
    eol = "\r\n" if windows else "\n"
    failures = []
    passed = 0

    def check(name, args, code, out, err=b"", stdin=None, extra_env=None, err_contains=None):
        nonlocal passed
        command = ([options.emulator] if windows else []) + [options.shell] + args
        done = subprocess.run(command, input=stdin, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              stdin=None if stdin is not None else subprocess.DEVNULL,
                              env=dict(env, **(extra_env or {})), timeout=120)
        problems = []
        if done.returncode not in (code if isinstance(code, tuple) else (code,)):
            problems.append("exit code %r, expected %r" % (done.returncode, code))
        if done.stdout != out:
            problems.append("stdout %r\n   expected %r" % (done.stdout, out))
        if err_contains is not None:
            if err_contains not in done.stderr:
                problems.append("stderr %r\n   lacks %r" % (done.stderr, err_contains))
        elif done.stderr != err:
            problems.append("stderr %r\n   expected %r" % (done.stderr, err))
        if problems:
            failures.append(name)
            print("FAIL %s\n  %s" % (name, "\n  ".join(problems)))
        else:
            passed += 1
            print("ok   %s" % name)

    check("exit code of /c exit", ["/c", "exit", "7"], 7, b"")

    check("a /c line reaches the plug-in as its tail; its result is the exit code",
          ["--plugin", plugin, "--set", "_pipe=0", "/c", "probe  a  b "], 5,
          b"probe loaded: 10\n[a  b ]\nprobe shut down: 0\n")

    session = "\n".join([
        "set TARDO_CHECK=v1",
        "probe %TARDO_CHECK `%TARDO_CHECK%` 100%",
        "PROBE %%x \u00e9",
        "missing now",
        "set TARDO_CHECK",
        "set TARDO_CHECK=",
        "probe [%TARDO_CHECK%]",
        "help probe",
        "help other",
        "usage probe",
        "rem probe not run",
        ":: probe not run",
        "  @probe at",
        "exit 3",
        "probe never",
    ]) + "\n"
    check("standard input: variables, backquotes, built-ins, comments, exit",
          ["--plugin", plugin, "--set", "_pipe=0"], 3,
          ("probe loaded: 00\n[v1 `%TARDO_CHECK%` 100%]\n[%x \u00e9]\nTARDO_CHECK=v1\n[[]]\n7\n0\n"
           "PROBE [text]\r\n[at]\nprobe shut down: 0\n").encode("utf-8"),
          b"hostshell: plug-in Probe has no export for command missing\n", stdin=session.encode("utf-8"))

    outer = os.path.join(work, "outer.btm")
    inner = os.path.join(work, "inner 50%.btm")
    with open(outer, "wb") as f:
        f.write((("@set TARDO_CHECK=from batch\r\n"
                 "plugin /l \"%s\"\r\n"
                 "probe %%_batch %%_batchline %%1 %%2\r\n"
                 "call \"%s\" x\r\n"
                 "probe back %%_batch %%_batchline %%1\r\n"
                 "probe %%_batchname\r\n"
                 "exit 4\r\n") % (plugin, host_path(inner))).encode("utf-8"))
    with open(inner, "wb") as f:
        f.write(b"probe in %_batch %_batchline %1 %TARDO_CHECK% %_batchname\n")
    check("a batch file loads a plug-in, calls another and gets its variables back",
          ["--set", "_pipe=0", host_path(outer), "a", "b c"], 4,
          ("probe loaded: 00\n[1 3 a b c]\n[in 2 1 x from batch %s]\n[back 1 5 a]\n[%s]\n"
           "probe shut down: 0\n" % (host_path(inner), host_path(outer))).encode("utf-8"))

    child = ["cmd /c echo child %%TARDO_CHILD%%", "cmd /c exit 6"] if windows else \
            ["echo child $TARDO_CHILD", "sh -c 'exit 6'"]
    check("other commands go to the system shell, which sees the variables; its code is the result",
          [], 6, ("child seen" + eol).encode(),
          stdin=("set TARDO_CHILD=seen\n" + "\n".join(child) + "\n").encode())

    check("strict mode stops a plug-in that overruns a host buffer",
          ["--plugin", plugin, "--set", "_pipe=0", "/c", "overrun"], 3 if windows else -6, b"probe loaded: 10\n",
          err_contains=b"TakeCmd strict mode: Sprintf result of 16483 characters overruns")
    check("without strict mode the overlong result is cut at the buffer's end",
          ["--plugin", plugin, "--set", "_pipe=0", "/c", "overrun"], 0,
          b"probe loaded: 10\ncut to 16383\nprobe shut down: 0\n", extra_env={"TAKECMD_STRICT": "0"})

    check("a plug-in that cannot be loaded stops the shell",
          ["--plugin", host_path(os.path.join(work, "absent.dll")), "/c", "exit 0"], 1, b"",
          err_contains=b"hostshell: cannot load plug-in ")

    print("%d passed, %d failed" % (passed, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
