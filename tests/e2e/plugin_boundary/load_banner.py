"""The load banner through the stand-in shell: printed exactly once when the
shell is neither transient nor in a pipe and noloadmsg is unset, and not at
all otherwise; shown whether the plug-in loads at start-up or by PLUGIN /L."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
import shellrun  # noqa: E402

BANNER = f"Tardo v{shellrun.VERSION} loaded.\n".encode()


def main():
    args = shellrun.parse_arguments()
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator)
    work = os.path.join(args.work, "load-banner")
    os.makedirs(work, exist_ok=True)
    results = shellrun.Results()
    plugin = shell.host_path(args.plugin)

    # (label, shell options, batch lines or None for /c, banner expected)
    cases = [
        ("batch file", [], ["rem nothing"], True),
        ("plugin /l in a batch file", None, [f"plugin /l {plugin}", "rem loaded"], True),
        ("transient shell", [], None, False),
        ("pipe", ["--set", "_pipe=1"], ["rem"], False),
        ("transient and pipe", ["--set", "_transient=1", "--set", "_pipe=1"], ["rem"], False),
        ("noloadmsg=0", ["--set", "noloadmsg=0"], ["rem"], False),
        ("noloadmsg blank", ["--set", "noloadmsg= "], ["rem"], False),
        ("noloadmsg empty", ["--set", "noloadmsg="], ["rem"], True),
    ]
    for label, options, lines, shown in cases:
        if lines is None:
            code, out, err = shell.run(options + ["/c", "rem"])
        else:
            path = os.path.join(work, label.replace(" ", "_").replace("/", "") + ".btm")
            with open(path, "wb") as f:
                f.write("".join(line + "\r\n" for line in lines).encode())
            code, out, err = shell.run((options or []) + [shell.host_path(path)], plugin=options is not None)
        results.check(label, (0, BANNER if shown else b"", b""), (code, out, err))
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
