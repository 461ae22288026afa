#!/usr/bin/env python3
"""Finds the operators scripts/mutation.sh changes, and changes one.

  mutation_points.py sample SEED COUNT DIR...   one change a line on COUNT random lines, one a row:
                                                FILE<TAB>LINE<TAB>COLUMN<TAB>OLD<TAB>NEW
  mutation_points.py apply FILE LINE COLUMN OLD NEW
                                                makes that change in FILE (columns count from 1)

A change turns one comparison into its neighbour at the boundary (< and <=, > and >=), one
equality into its opposite, one && into || or back, drops one !, or moves a + 1 or - 1 one
further. Comments, string and character literals and preprocessor lines are blanked out before
the search, so only code is changed.
"""

import pathlib
import random
import re
import sys

# clang-format puts blanks around every binary operator and none inside template brackets, so
# an operator between blanks is a comparison and never a template's < or >.
BINARY = re.compile(r"(?:(?<=\s)|^)(<=|>=|<|>|==|!=|&&|\|\|)(?=\s|$)")
SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
# A binary + 1 or - 1 (a unary minus has no blank after it), also in += 1 and -= 1.
PLUS_ONE = re.compile(r"(?<=\s)([+-]=? )1(?![\w.'])")
# A ! that negates, not the one of !=.
NOT = re.compile(r"(?<![\w)\]])!(?!=)")


def is_digit_separator(line, i):
    return line[i] == "'" and line[i - 1 : i].isdigit() and line[i + 1 : i + 2].isdigit()


def blank_out_non_code(lines):
    """The lines with comments, literals and preprocessor lines turned into blanks, columns kept."""
    out = []
    in_block_comment = False
    continued_directive = False
    for line in lines:
        if continued_directive or (not in_block_comment and line.lstrip().startswith("#")):
            continued_directive = line.rstrip().endswith("\\")
            out.append(" " * len(line))
            continue
        chars = list(line)
        i = 0
        while i < len(chars):
            if in_block_comment:
                if line.startswith("*/", i):
                    chars[i] = chars[i + 1] = " "
                    in_block_comment = False
                    i += 2
                else:
                    chars[i] = " "
                    i += 1
            elif line.startswith("//", i):
                chars[i:] = " " * (len(chars) - i)
                break
            elif line.startswith("/*", i):
                in_block_comment = True
                chars[i] = chars[i + 1] = " "
                i += 2
            elif chars[i] in "\"'" and not is_digit_separator(line, i):
                # Blank the literal's inside up to its closing quote, escapes included.
                end = i + 1
                while end < len(line) and line[end] != chars[i]:
                    end += 2 if line[end] == "\\" else 1
                chars[i + 1 : end] = " " * (min(end, len(chars)) - i - 1)
                i = end + 1
            else:
                i += 1
        out.append("".join(chars))
    return out


def changes_on(code):
    """Every (column, old, new) on one blanked line, columns from 0."""
    found = [(m.start(1), m.group(1), SWAPS[m.group(1)]) for m in BINARY.finditer(code)]
    found += [(m.end(1), "1", "2") for m in PLUS_ONE.finditer(code)]
    found += [(m.start(), "!", "") for m in NOT.finditer(code)]
    return sorted(found)


def sample(seed, count, folders):
    files = sorted(
        p for folder in folders for p in pathlib.Path(folder).rglob("*") if p.suffix in (".cpp", ".h")
    )
    candidates = []
    for path in files:
        lines = path.read_text(encoding="utf-8").split("\n")
        for number, code in enumerate(blank_out_non_code(lines), start=1):
            changes = changes_on(code)
            if changes:
                candidates.append((path, number, changes))
    # A shuffle, so that a longer run with the same seed begins with the changes of a shorter one.
    rng = random.Random(seed)
    rng.shuffle(candidates)
    picked = candidates[:count]
    for path, number, changes in picked:
        column, old, new = rng.choice(changes)
        print(f"{path}\t{number}\t{column + 1}\t{old}\t{new}")
    print(f"{len(picked)} of {len(candidates)} lines with an operator to change", file=sys.stderr)


def apply(file, line, column, old, new):
    path = pathlib.Path(file)
    lines = path.read_bytes().decode("utf-8").split("\n")
    text = lines[line - 1]
    start = column - 1
    if text[start : start + len(old)] != old:
        sys.exit(f"{file}:{line}: no {old!r} at column {column}")
    lines[line - 1] = text[:start] + new + text[start + len(old) :]
    path.write_bytes("\n".join(lines).encode("utf-8"))


def main(args):
    if len(args) >= 4 and args[0] == "sample":
        sample(int(args[1]), int(args[2]), args[3:])
    elif len(args) in (5, 6) and args[0] == "apply":
        new = args[5] if len(args) == 6 else ""
        apply(args[1], int(args[2]), int(args[3]), args[4], new)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
