"""End-to-end checks of hostshell with the probe plug-in: exit codes, the
/c line, standard input, batch files with their variables, the rules by
which it reads a line, the system shell, strict mode and what it refuses to
load. Natively, or under Wine when --emulator is given."""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "e2e", "support"))
import shellrun  # noqa: E402


def main():
    options = shellrun.parse_arguments(["--x86-contract"])
    shell = shellrun.Shell(options.shell, options.plugin, options.emulator)
    shell.env.pop("TAKECMD_STRICT", None)
    shell.env.pop("noloadmsg", None)
    windows = shell.windows
    host_path = shell.host_path
    work = tempfile.mkdtemp(prefix="tardo-hostshell-")
    plugin = host_path(options.plugin)
    eol = "\r\n" if windows else "\n"
    results = shellrun.Results()

    def check(name, args, code, out, err=b"", stdin=None, extra_env=None, err_contains=None):
        actual_code, actual_out, actual_err = shell.run(args, stdin=stdin, env=extra_env, plugin=False)
        if err_contains is not None:
            results.check(name, (code, out, True), (actual_code, actual_out, err_contains in actual_err))
        else:
            results.check(name, (code, out, err), (actual_code, actual_out, actual_err))

    check("exit code of /c exit", ["/c", "exit", "7"], 7, b"")

    check("a /c line reaches the plug-in as its tail; its result is the exit code",
          ["--plugin", plugin, "--set", "_pipe=0", "/c", "probe  a  b "], 5,
          b"probe loaded: 10\n[a  b ]\nprobe shut down: 0\n")

    session = "\n".join([
        "set TARDO_CHECK=v1",
        "probe %TARDO_CHECK `%TARDO_CHECK%` 100%",
        "PROBE %%x \u00e9",
        "missing now",
        "set TARDO_CHECK=",
        "probe [%TARDO_CHECK%]",
        "help probe",
        "help other",
        "usage probe",
        "rem probe not run",
        "  probe at",
        "exit 3",
        "probe never",
    ]) + "\n"
    check("standard input: variables, backquotes, built-ins, comments, exit",
          ["--plugin", plugin, "--set", "_pipe=0"], 3,
          ("probe loaded: 00\n[v1 %TARDO_CHECK% 100%]\n[%x \u00e9]\n[[]]\n7\n0\n"
           "PROBE [text]\r\n[at]\nprobe shut down: 0\n").encode("utf-8"),
          b"hostshell: plug-in Probe has no export for command missing\n", stdin=session.encode("utf-8"))

    outer = os.path.join(work, "outer.btm")
    inner = os.path.join(work, "inner 50%.btm")
    with open(outer, "wb") as f:
        f.write((("set TARDO_CHECK=from batch\r\n"
                 "plugin /l \"%s\"\r\n"
                 "probe %%_batch %%_batchline\r\n"
                 "call \"%s\"\r\n"
                 "probe back %%_batch %%_batchline\r\n"
                 "probe %%_batchname\r\n"
                 "exit 4\r\n") % (plugin, host_path(inner))).encode("utf-8"))
    with open(inner, "wb") as f:
        f.write(b"probe in %_batch %_batchline %TARDO_CHECK% %_batchname\n")
    check("a batch file loads a plug-in, calls another and gets its variables back",
          ["--set", "_pipe=0", host_path(outer)], 4,
          ("probe loaded: 00\n[1 3]\n[in 2 1 from batch %s]\n[back 1 5]\n[%s]\n"
           "probe shut down: 0\n" % (host_path(inner), host_path(outer))).encode("utf-8"))

    # A line as the host reads it: (line, exit code, what the probe shows,
    # files the line leaves in the work folder[, standard error]). The probe
    # shows its tail in brackets and gives its length as its result; readline
    # shows the first line of its standard input. A line with a line break
    # is a batch file's.
    with open(os.path.join(work, "in.txt"), "wb") as f:
        f.write(b"read from in.txt\r\n")
    no_export = "hostshell: plug-in Probe has no export for command missing\n"
    exit_3 = "cmd /c exit 3" if windows else "sh -c 'exit 3'"
    rules = [
        ("probe `%TARDO_CHECK% > f & g ^ h \"i`", 28, "[%TARDO_CHECK% > f & g ^ h \"i]\n", {}),
        ('probe "%TARDO_CHECK% > f & g ^ h" i', 18, '["v1 > f & g ^ h" i]\n', {}),
        ("probe a^&b ^^ ^> ^%TARDO_CHECK%", 21, "[a&b ^ > %TARDO_CHECK%]\n", {}),
        ("probe ^b^c^e^f^k^n^q^r^s^t^x", 11, "[\b,\x1b\f`\n\"\r \tx]\n", {}),
        ("probe joined ^\nline ^^\nprobe next", 4, "[joined line ^]\n[next]\n", {}),
        ("probe a & probe b&probe c", 1, "[a]\n[b]\n[c]\n", {}),
        ("set TARDO_CHECK=1 & probe %TARDO_CHECK", 1, "[1]\n", {}),
        ("probe && probe b || probe c", 1, "[]\n[b]\n[c]\n", {}),
        ("probe a && probe b || probe || probe c", 0, "[a]\n[]\n", {}),
        (f"{exit_3} & probe ab & probe %_? %?", 3, "[ab]\n[2 3]\n", {}),
        ("@probe a & @probe b", 1, "[a]\n[b]\n", {}),
        ("set _cwd=mine & probe %_cwd", 4, "[mine]\n", {}),
        ("probe ab & echo [%_?] & echoerr b & echo off & echo", 1, "[ab]\n[2]\n", {},
         "b\nhostshell: echo on is not built into this shell\n"),
        ("probe a > out.txt", 1, "", {"out.txt": "[a]\n"}),
        ("probe a>out.txt & probe b >> out.txt", 1, "", {"out.txt": "[a]\n[b]\n"}),
        ('probe a > "%TARDO_CHECK% file.txt" b', 3, "", {"v1 file.txt": "[a b]\n"}),
        ("probe a2>two.txt", 2, "", {"two.txt": "[a2]\n"}),
        ("missing a 2> err.txt", 1, "", {"err.txt": no_export}),
        ("missing a >& both.txt & probe b >>& both.txt", 1, "", {"both.txt": no_export + "[b]\n"}),
        ("probe a >&> err.txt & missing b >&> err.txt", 1, "[a]\n", {"err.txt": no_export}),
        ("probe a >! out.txt", 1, "", {"out.txt": "[a]\n"}),
        ("readline < in.txt", 16, "[read from in.txt]\n", {}),
        ("probe %_date %_time", 17, "[03/01/16 10:30:05]\n", {}),
        ("probe %_cwd", len(host_path(work)), f"[{host_path(work)}]\n", {}),
        ("probe a | probe b", 1, "", {}, "hostshell: pipes (|) are not built into this shell\n"),
        ("probe a >", 1, "", {}, "hostshell: no file name after >\n"),
        ("probe a 2>> & probe b", 1, "", {}, "hostshell: no file name after 2>>\n"),
        ("probe a 2> err.txt > nofolder/x.txt & probe b", 1, "[b]\n", {"err.txt": ""},
         "hostshell: cannot open nofolder/x.txt for redirection\n"),
    ]
    batch = os.path.join(work, "rule.btm")
    for line, code, shown, files, *err in rules:
        for name in files:
            if os.path.exists(os.path.join(work, name)):
                os.remove(os.path.join(work, name))
        if "\n" in line:
            with open(batch, "wb") as f:
                f.write(line.replace("\n", "\r\n").encode("utf-8") + b"\r\n")
        code_out_err = shell.run(["--plugin", plugin, "--set", "_pipe=0", "--set", "TARDO_CHECK=v1"] +
                                 ([host_path(batch)] if "\n" in line else ["/c", line]),
                                 plugin=False, cwd=work, clock="2016-03-01 10:30:05")
        left = {}
        for name in files:
            path = os.path.join(work, name)
            left[name] = open(path, "rb").read().decode("utf-8") if os.path.exists(path) else None
        loaded = b"probe loaded: 00\n" if "\n" in line else b"probe loaded: 10\n"
        results.check(f"the host reads {line!r}",
                      (code, loaded + shown.encode() + b"probe shut down: 0\n", "".join(err).encode(), files),
                      code_out_err + (left,))

    child = ["cmd /c echo child %%TARDO_CHILD%%", "cmd /c exit 6"] if windows else \
            ["sh -c 'echo child $TARDO_CHILD'", "sh -c 'exit 6'"]
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

    def probe_variant(name):
        return os.path.join(os.path.dirname(options.plugin),
                            f"host_probe_plugin_{name}{os.path.splitext(options.plugin)[1]}")

    for variant, export in [("no_initialize", "InitializePlugin"), ("no_shutdown", "ShutdownPlugin")]:
        incomplete = host_path(probe_variant(variant))
        check(f"a library without {export} is no plug-in and stops the shell",
              ["--plugin", incomplete, "/c", "exit 0"], 1, b"",
              f"hostshell: {incomplete} is not a plug-in: it has no {export} export\n".encode())

    # On x86, a probe built broken in each way (probe_plugin.cpp) stops the shell with one line.
    for variant, broken in [] if not options.x86_contract else [
            ("cdecl", b"left 4 bytes of arguments on the stack"),
            ("extra_argument", b"removed 4 bytes more than its arguments"),
            ("clobber", b"ESI changed, EDI changed"),
            ("clobber_ebx", b"EBX changed"),
            ("clobber_ebp", b"EBP changed"),
            ("set_df", b"left the direction flag set")]:
        check(f"an export built {variant} breaks the x86 convention and stops the shell",
              ["--plugin", host_path(probe_variant(variant)), "--set", "_pipe=0", "/c", "probe a"], 3,
              b"probe loaded: 10\n[a]\n",
              err_contains=b"hostshell: plug-in Probe broke the __stdcall contract in probe(): " + broken +
                           b"; stopping\n")

    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
