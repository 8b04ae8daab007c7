#!/usr/bin/env python3
"""Builds the help page that the About box opens from the user help and the template reference.

Usage:
  make_help_page.py OUTPUT MARKDOWN...    write the page
  make_help_page.py --check OUTPUT MARKDOWN...
      exit 1 when OUTPUT is not what the Markdown files give (the page is kept in the
      repository, so that the build needs no converter)

The Markdown files are joined in order; the first one's level-1 heading is the page title and
every later file's headings move one level down. Only what the help uses is understood:
headings, paragraphs, lists ("- " and "1. ", continued by indented lines), tables, fenced
code blocks, `code`, **strong**, *emphasis* and [links](address).
"""
import html
import re
import sys

STYLE = """
  :root { color-scheme: light dark; --text: #1b1f24; --bg: #ffffff; --muted: #57606a;
          --rule: #d5dbe1; --shade: #f2f5f8; --link: #0b5cad; }
  @media (prefers-color-scheme: dark) {
    :root { --text: #e4e8ed; --bg: #15181d; --muted: #a3adb9; --rule: #353c46; --shade: #1f242b;
            --link: #7db8f5; }
  }
  body { margin: 0 auto; max-width: 50rem; padding: .5rem 1.25rem 3rem; color: var(--text);
         background: var(--bg); font: 15px/1.5 system-ui, "Noto Sans", "Noto Sans CJK JP", sans-serif; }
  h1 { font-size: 1.6em; } h2 { font-size: 1.3em; margin-top: 2em; } h3 { font-size: 1.1em; margin-top: 1.6em; }
  h2, h3 { border-bottom: 1px solid var(--rule); padding-bottom: .2em; }
  a { color: var(--link); }
  code, pre { font-family: ui-monospace, "DejaVu Sans Mono", "Noto Sans Mono CJK JP", monospace; font-size: .9em; }
  code { background: var(--shade); padding: 0 .2em; border-radius: 3px; }
  pre { background: var(--shade); padding: .6em .8em; overflow-x: auto; border-radius: 4px; }
  pre code { background: none; padding: 0; }
  table { border-collapse: collapse; margin: .8em 0; display: block; overflow-x: auto; }
  th, td { border: 1px solid var(--rule); padding: .25em .5em; text-align: left; vertical-align: top; }
  th { background: var(--shade); }
"""


def inline(text):
    """Inline Markdown of one paragraph's text to HTML."""
    out = []
    for i, part in enumerate(re.split(r"(`[^`]*`)", text)):
        if i % 2:
            out.append("<code>" + html.escape(part[1:-1], quote=False) + "</code>")
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"\*\*(.+?)\*\*", r"<strong>\1</strong>", part)
        part = re.sub(r"(?<![\w*])\*(?!\s)(.+?)(?<!\s)\*(?![\w*])", r"<em>\1</em>", part)
        part = re.sub(r"\[([^\]]+)\]\(([^)\s]+)\)",
                      lambda m: f'<a href="{html.escape(m.group(2))}">{m.group(1)}</a>', part)
        out.append(part)
    return "".join(out)


def anchor(title, used):
    base = re.sub(r"[^a-z0-9]+", "-", re.sub(r"<[^>]+>", "", title).lower()).strip("-") or "section"
    name, n = base, 2
    while name in used:
        name, n = f"{base}-{n}", n + 1
    used.add(name)
    return name


def cells(row):
    return [c.strip() for c in row.strip().strip("|").split("|")]


def convert(markdown, shift, used):
    """One Markdown file to HTML; headings move down by shift levels. Returns (html, title)."""
    lines = markdown.split("\n")
    out, title, i = [], None, 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        if line.startswith("```"):
            end = lines.index("```", i + 1) if "```" in lines[i + 1:] else len(lines)
            code = "\n".join(lines[i + 1:end])
            out.append("<pre><code>" + html.escape(code, quote=False) + "</code></pre>")
            i = end + 1
            continue
        heading = re.match(r"(#{1,6}) (.*)", line)
        if heading:
            level = min(6, len(heading.group(1)) + shift)
            text = inline(heading.group(2))
            if title is None:
                title = re.sub(r"<[^>]+>", "", text)
            out.append(f'<h{level} id="{anchor(text, used)}">{text}</h{level}>')
            i += 1
            continue
        if line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(cells(lines[i]))
                i += 1
            head, body = rows[0], [r for r in rows[2:]]
            out.append("<table>\n<thead><tr>" + "".join(f"<th>{inline(c)}</th>" for c in head) + "</tr></thead>")
            out.append("<tbody>")
            for r in body:
                out.append("<tr>" + "".join(f"<td>{inline(c)}</td>" for c in r) + "</tr>")
            out.append("</tbody>\n</table>")
            continue
        item = re.match(r"(- |\d+\. )(.*)", line)
        if item:
            tag = "ul" if item.group(1) == "- " else "ol"
            indent = len(item.group(1))
            items = []
            while i < len(lines):
                m = re.match(r"(- |\d+\. )(.*)", lines[i])
                if m and (m.group(1) == "- ") == (tag == "ul"):
                    items.append(m.group(2))
                elif lines[i].startswith(" " * indent) and lines[i].strip() and items:
                    items[-1] += " " + lines[i].strip()
                else:
                    break
                i += 1
            out.append(f"<{tag}>\n" + "\n".join(f"<li>{inline(t)}</li>" for t in items) + f"\n</{tag}>")
            continue
        para = []
        while i < len(lines) and lines[i].strip() and not re.match(r"(#{1,6} |```|\||- |\d+\. )", lines[i]):
            para.append(lines[i].strip())
            i += 1
        out.append("<p>" + inline(" ".join(para)) + "</p>")
    return "\n".join(out), title


def build(paths):
    used, parts, title = set(), [], None
    for n, path in enumerate(paths):
        with open(path, encoding="utf-8") as f:
            body, first = convert(f.read(), 0 if n == 0 else 1, used)
        title = title or first
        parts.append(body)
    return ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            f"<title>{title} help</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            "<!-- Made by tools/make_help_page.py from the Markdown files in docs/; edit those. -->\n"
            + "\n".join(parts) + "\n</body>\n</html>\n")


def main(argv):
    check = len(argv) > 1 and argv[1] == "--check"
    args = argv[2:] if check else argv[1:]
    if len(args) < 2:
        sys.exit(__doc__)
    output, sources = args[0], args[1:]
    page = build(sources)
    if check:
        try:
            with open(output, encoding="utf-8") as f:
                current = f.read()
        except OSError:
            current = None
        if current != page:
            print(f"{output} is out of date: run tools/make_help_page.py {output} {' '.join(sources)}")
            return 1
        return 0
    with open(output, "w", encoding="utf-8") as f:
        f.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
