"""End-to-end checks of hostshell with the probe plug-in: exit codes, the
/c line, standard input, batch files with their variables, the system shell
and strict mode. Natively, or under Wine when --emulator is given."""
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

    # A line as the host reads it: (line, what the probe shows, files the line
    # leaves in the work folder). The probe shows its tail in brackets.
    with open(os.path.join(work, "in.txt"), "wb") as f:
        f.write(b"read from in.txt\r\n")
    rules = [
        ("probe `%TARDO_CHECK% > f & g ^ h \"i`", "[%TARDO_CHECK% > f & g ^ h \"i]\n", {}),
        ('probe "%TARDO_CHECK% > f & g ^ h" i', '["v1 > f & g ^ h" i]\n', {}),
        ("probe a^&b ^^ ^> ^%TARDO_CHECK%", "[a&b ^ > %TARDO_CHECK%]\n", {}),
        ("probe a & probe b&probe c", "[a]\n[b]\n[c]\n", {}),
        ("probe a > out.txt", "", {"out.txt": "[a]\n"}),
        ("probe a>out.txt & probe b >> out.txt", "", {"out.txt": "[a]\n[b]\n"}),
        ('probe a > "%TARDO_CHECK% file.txt" b', "", {"v1 file.txt": "[a b]\n"}),
        ("probe a2>two.txt", "", {"two.txt": "[a2]\n"}),
        ("missing a 2> err.txt", "", {"err.txt": "hostshell: plug-in Probe has no export for command missing\n"}),
        ("more < in.txt" if windows else "cat < in.txt", "read from in.txt\r\n", {}),
        ("probe %_date %_time", "[03/01/16 10:30:05]\n", {}),
        ("probe %_cwd", f"[{host_path(work)}]\n", {}),
    ]
    for line, shown, files in rules:
        for name in files:
            if os.path.exists(os.path.join(work, name)):
                os.remove(os.path.join(work, name))
        code, out, err = shell.run(["--plugin", plugin, "--set", "_pipe=0", "--set", "TARDO_CHECK=v1",
                                    "/c", line], plugin=False, cwd=work, clock="2016-03-01 10:30:05")
        left = {}
        for name in files:
            path = os.path.join(work, name)
            left[name] = open(path, "rb").read().decode("utf-8") if os.path.exists(path) else None
        results.check(f"the host reads {line!r}", (b"probe loaded: 10\n" + shown.encode() + b"probe shut down: 0\n", b"", files),
                      (out, err, left))
    for line, refused in [("probe a | probe b", "pipes (|) are not built into this shell"),
                          ("probe a && probe b", "conditional commands (&&) are not built into this shell"),
                          ("probe a >", "no file name after >"),
                          ("probe a 2>> & probe b", "no file name after 2>>")]:
        check(f"the host refuses {line!r}", ["--plugin", plugin, "--set", "_pipe=0", "/c", line], 1,
              b"probe loaded: 10\nprobe shut down: 0\n", f"hostshell: {refused}\n".encode())

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

    # On x86, a probe built broken in each way (probe_plugin.cpp) stops the shell with one line.
    for variant, broken in [] if not options.x86_contract else [
            ("cdecl", b"left 4 bytes of arguments on the stack"),
            ("extra_argument", b"removed 4 bytes more than its arguments"),
            ("clobber", b"ESI changed, EDI changed"),
            ("clobber_ebx", b"EBX changed"),
            ("clobber_ebp", b"EBP changed"),
            ("set_df", b"left the direction flag set")]:
        broken_plugin = os.path.join(os.path.dirname(options.plugin), f"host_probe_plugin_{variant}.dll")
        check(f"an export built {variant} breaks the x86 convention and stops the shell",
              ["--plugin", host_path(broken_plugin), "--set", "_pipe=0", "/c", "probe a"], 3,
              b"probe loaded: 10\n[a]\n",
              err_contains=b"hostshell: plug-in Probe broke the __stdcall contract in probe(): " + broken +
                           b"; stopping\n")

    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
