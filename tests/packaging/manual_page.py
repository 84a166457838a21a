# SPDX-License-Identifier: MIT
"""Reading a manual page, rendered or as roff source, and the README's key table it must cover."""

import re
from pathlib import Path

README = Path(__file__).resolve().parents[2] / "README.md"


def rendered_sections(text):
    """{heading: body} of a manual page rendered as plain text; headings start at column 0."""
    sections, heading = {}, None
    for line in text.splitlines():
        if line and not line[0].isspace():
            heading = line.strip()
            sections[heading] = []
        elif heading is not None:
            sections[heading].append(line)
    return {heading: "\n".join(body) for heading, body in sections.items()}


def item_tags(source):
    """{section heading: words of the tags of its .TP items}, read from the page's roff source."""
    tags, heading, lines = {}, None, source.splitlines()
    for line, following in zip(lines, lines[1:]):
        if line.startswith(".SH "):
            heading = line[4:].strip('"')
            tags[heading] = set()
        elif line == ".TP" and heading is not None:
            text = re.sub(r"^\.[BIR]{1,2} ", "", following)
            tags[heading].update(re.findall(r"\w+", text))
    return tags


def readme_key_names():
    """The named keys of the README's key table (Space, Esc, Ctrl, letters): no arrows, digits."""
    names, in_table = set(), False
    for line in README.read_text(encoding="utf-8").splitlines():
        if line.startswith("| key |"):
            in_table = True
        elif in_table and line.startswith("|"):
            names.update(re.findall(r"\b[A-Z][a-z]*\b", line.split("|")[1]))
        elif in_table:
            break
    return names
