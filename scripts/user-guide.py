#!/usr/bin/env python3
"""Writes the user guide of the release zip: README.md's user part (from
"## For users" up to "## For developers"), with the README's opening
paragraph, as plain text with CRLF line ends, so that the guide and the README
never drift apart.

    user-guide.py README.md VERSION OUTPUT

Markdown becomes plain text: headings are underlined, paragraphs and list items
are wrapped to 78 columns, code blocks are indented by four blanks (more under a
list item), code spans lose their backquotes (a span holding a blank is put in
double quotes in running text), and tables become aligned columns, or, when the
columns do not fit side by side, one entry per row with its other cells
indented beneath.
"""
import re
import sys
import textwrap

WIDTH = 78
INDENT = "    "
NBSP = "\x00"  # stands for a blank that must not become a line break

LIST_ITEM = re.compile(r"^(\s*)([-*]|\d+\.)\s+(.*)$")
HEADING = re.compile(r"^(#+)\s+(.*)$")


def inline(text, quote_spans):
    """Markdown inline markup to plain text; blanks inside code spans are kept
    from breaking (NBSP)."""

    def span(match):
        code = match.group(2).strip() if match.group(1) == "``" else match.group(2)
        if quote_spans and " " in code:
            code = '"' + code + '"'
        return code.replace(" ", NBSP)

    parts = re.split(r"(``.*?``|`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`"):
            out.append(re.sub(r"^(``?)(.*)\1$", span, part))
        else:
            part = re.sub(r"\*\*(.+?)\*\*|__(.+?)__", lambda m: m.group(1) or m.group(2), part)
            part = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1 (\2)", part)
            part = part.replace("\\|", "|")
            out.append(part)
    return "".join(out)


def wrap(text, first, rest):
    lines = textwrap.wrap(text, WIDTH, initial_indent=first, subsequent_indent=rest,
                          break_long_words=False, break_on_hyphens=False)
    return [line.replace(NBSP, " ") for line in lines] or [first.rstrip()]


def cells(row):
    row = row.strip()
    row = row[1:] if row.startswith("|") else row
    row = row[:-1] if row.endswith("|") and not row.endswith("\\|") else row
    return [inline(cell.strip(), False).replace(NBSP, " ") for cell in re.split(r"(?<!\\)\|", row)]


def table(rows):
    rows = [cells(row) for row in rows if not re.fullmatch(r"\s*\|?[\s:|-]+\|?\s*", row)]
    header, body = rows[0], rows[1:]
    columns = len(header)
    widths = [max(len(row[i]) if i < len(row) else 0 for row in rows) for i in range(columns)]
    lead = sum(widths[:-1]) + 2 * (columns - 1)
    out = []
    if lead + widths[-1] <= WIDTH or lead <= 30:
        # Aligned columns; the last one wraps beneath itself when it must.
        def line(row):
            first = "".join(cell.ljust(width + 2) for cell, width in zip(row[:-1], widths))
            return wrap(row[-1], first, " " * lead) if row[-1] else [first.rstrip()]

        out += line(header)
        out.append("  ".join("-" * width for width in widths[:-1]) +
                   ("  " if columns > 1 else "") + "-" * min(widths[-1], WIDTH - lead))
        for row in body:
            out += line(row)
    else:
        # One entry per row: its first cell, then the others indented beneath;
        # the layout speaks for itself, so the header row is left out.
        for row in body:
            out.append(row[0])
            for cell in row[1:]:
                out += wrap(cell, INDENT, INDENT)
    return out


def convert(lines):
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        if out:
            out.append("")
        if line.lstrip().startswith("```"):
            # A fence indented under a list item keeps that indentation.
            margin = len(line) - len(line.lstrip())
            i += 1
            while i < len(lines) and not lines[i].lstrip().startswith("```"):
                out.append((" " * margin + INDENT + lines[i][margin:]).rstrip())
                i += 1
            i += 1
        elif HEADING.match(line):
            title = inline(HEADING.match(line).group(2), False).replace(NBSP, " ")
            level = len(HEADING.match(line).group(1))
            out.append(title)
            if level <= 3:
                out.append(("=" if level <= 2 else "-") * len(title))
            i += 1
        elif line.lstrip().startswith("|"):
            rows = []
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                rows.append(lines[i])
                i += 1
            out += table(rows)
        elif LIST_ITEM.match(line):
            # A list: items one after another, no blank line between them.
            while i < len(lines) and LIST_ITEM.match(lines[i]):
                indent, marker, text = LIST_ITEM.match(lines[i]).groups()
                i += 1
                while (i < len(lines) and lines[i].strip() and not LIST_ITEM.match(lines[i])
                       and lines[i].startswith(" ")):
                    text += " " + lines[i].strip()
                    i += 1
                first = indent + marker + " "
                out += wrap(inline(text, True), first, " " * len(first))
        else:
            text = []
            while (i < len(lines) and lines[i].strip() and not lines[i].lstrip().startswith("```")
                   and not HEADING.match(lines[i]) and not lines[i].lstrip().startswith("|")
                   and not LIST_ITEM.match(lines[i])):
                text.append(lines[i].strip())
                i += 1
            out += wrap(inline(" ".join(text), True), "", "")
    return out


def section(lines, start, end):
    first = next(n for n, line in enumerate(lines) if line.strip() == start)
    last = next(n for n, line in enumerate(lines) if line.strip() == end)
    return lines[first + 1:last]


def opening_paragraph(lines):
    title = next(n for n, line in enumerate(lines) if line.startswith("# "))
    body = lines[title + 1:]
    start = next(n for n, line in enumerate(body) if line.strip())
    end = next((n for n, line in enumerate(body[start:], start) if not line.strip()), len(body))
    return body[start:end]


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: user-guide.py README.md VERSION OUTPUT")
    readme, version, output = sys.argv[1:]
    with open(readme, encoding="utf-8") as f:
        lines = f.read().splitlines()
    title = "Tardo " + version
    guide = [title, "=" * len(title), ""]
    guide += convert(opening_paragraph(lines))
    guide.append("")
    guide += convert(section(lines, "## For users", "## For developers"))
    with open(output, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(guide) + "\n")


if __name__ == "__main__":
    main()
