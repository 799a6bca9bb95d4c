"""The load banner through the stand-in shell: printed exactly once, whether
the plug-in loads at start-up or by PLUGIN /L, and not in a transient shell.
Which settings show it is the plug-in boundary suite's table
(tests/unit/plugin/plugin_boundary_test.cpp); this suite runs the shell's
own ways of getting there."""
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
