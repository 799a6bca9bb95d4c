"""The plug-in's life in the stand-in host, through the shell, on the built
DLL: the load banner printed exactly once, whether the plug-in loads at
start-up or by PLUGIN /L, and not in a transient shell; the host's help and
usage requests, answered by the Help and Usage exports; and ShutdownPlugin,
without which the host loads no plug-in, called as each run unloads it.
Which settings show the banner, and the texts, are the plug-in boundary
suite's (tests/unit/plugin/plugin_boundary_test.cpp); this suite runs the
shell's own ways of getting there."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
import expectations  # noqa: E402
import shellrun  # noqa: E402

BANNER = f"Tardo v{shellrun.VERSION} loaded.\n".encode()


def main():
    args = shellrun.parse_arguments()
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator)
    work = os.path.join(args.work, "plugin-life")
    os.makedirs(work, exist_ok=True)
    results = shellrun.Results()
    plugin = shell.host_path(args.plugin)

    # (label, shell options or None for PLUGIN /L, batch lines or one /c line, standard output)
    cases = [
        ("batch file", [], ["rem nothing"], BANNER),
        # Quoted, as a user types a path that may hold blanks.
        ("plugin /l in a batch file", None, [f'plugin /l "{plugin}"', "rem loaded"], BANNER),
        ("transient shell", [], "rem", b""),
        # The shell prints Help's answer. Under Wine no window can open
        # (tests/wine/wine-env.sh), so the box returns at once.
        ("help request", [], "help Tardo", b"1\n"),
        ("usage request", [], "usage TARDO", expectations.SYNTAX),
    ]
    for label, options, lines, out_expected in cases:
        if isinstance(lines, str):
            code, out, err = shell.run(options + ["/c", lines])
        else:
            path = os.path.join(work, label.replace(" ", "_").replace("/", "") + ".btm")
            with open(path, "wb") as f:
                f.write("".join(line + "\r\n" for line in lines).encode())
            code, out, err = shell.run((options or []) + [shell.host_path(path)], plugin=options is not None)
        results.check(label, (0, out_expected, b""), (code, out, err))
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
