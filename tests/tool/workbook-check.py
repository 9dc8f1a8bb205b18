#!/usr/bin/python3
"""workbook-check.py EXAMPLES WORK [EMULATOR] TOOL: tovarin-sheet --xlsx read back by a
second reader (openpyxl), on the machine that runs the tests (also for the Windows build,
whose tool runs under the emulator, wine, with its paths on drive Z:). Every cell shows
the text --csv writes (a figure a number with the printed decimals, a text as it is),
the ファイル and エラー columns are texts, NG is filled in the warning colour, the header
row is frozen and printed on every page of A4 landscape; a refused document keeps its
name and message. Exit status 0 when all holds, 1 with the differences otherwise."""

import csv
import io
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

examples, work, *command = sys.argv[1:]
windows = command[-1].lower().endswith(".exe")
failures = []


def check(holds, what):
    if not holds:
        failures.append(what)


def tool_name(path):
    return "Z:" + path.replace("/", "\\") if windows else path


def run(arguments):
    done = subprocess.run(command + arguments, capture_output=True)
    return done.returncode, done.stdout, done.stderr


def variant(folder, name, old, new):
    """The residential VP example with one line of its inputs changed."""
    with open(os.path.join(examples, "residential-vp.tvr"), "rb") as f:
        data = f.read()
    assert old in data
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data.replace(old, new))
    return path


def shown(cell):
    """What the cell shows: a number in its format's decimals, a text as it is."""
    if cell.value is None:
        return ""
    if cell.data_type != "n":
        return cell.value
    decimals = len(cell.number_format.partition(".")[2])
    return f"{cell.value:.{decimals}f}"


def compare(label, documents, sheet_name):
    folder = tempfile.mkdtemp(dir=work)
    try:
        output = os.path.join(folder, "一覧.xlsx")
        names = [tool_name(d) for d in documents]
        csv_status, csv_out, csv_err = run(["--csv"] + names)
        status, out, err = run(["--xlsx", tool_name(output)] + names)
        check(status == csv_status, f"{label}: exit status {status}, --csv {csv_status}")
        check(err == csv_err, f"{label}: messages {err!r}, --csv {csv_err!r}")
        check(out == b"", f"{label}: standard output {out!r}")
        records = list(csv.reader(io.StringIO(csv_out.decode("utf-8-sig"), newline="")))
        book = openpyxl.load_workbook(output)
        check(book.sheetnames == [sheet_name], f"{label}: sheets {book.sheetnames}")
        sheet = book.worksheets[0]
        check(sheet.freeze_panes == "A2", f"{label}: frozen at {sheet.freeze_panes}")
        check(sheet.page_setup.orientation == "landscape", f"{label}: not landscape")
        check(str(sheet.page_setup.paperSize) == "9", f"{label}: paper {sheet.page_setup.paperSize}")
        check(sheet.print_title_rows == "$1:$1", f"{label}: title rows {sheet.print_title_rows}")
        rows = list(sheet.iter_rows())
        check(len(rows) == len(records), f"{label}: {len(rows)} rows, --csv {len(records)}")
        for r, (row, record) in enumerate(zip(rows, records)):
            check(len(row) == len(record), f"{label}: row {r} has {len(row)} cells")
            for c, (cell, text) in enumerate(zip(row, record)):
                where = f"{label}: {cell.coordinate}"
                check(shown(cell) == text, f"{where} shows {shown(cell)!r}, --csv {text!r}")
                if text and (r == 0 or c in (0, len(record) - 1)):
                    check(cell.data_type != "n", f"{where} is a number")
                fill = cell.fill.fgColor.rgb if cell.fill.fill_type == "solid" else None
                wanted = "FFFF00FF" if text == "NG" else None
                check(fill == wanted, f"{where} ({text!r}) filled {fill}")
        return rows
    finally:
        shutil.rmtree(folder)


with tempfile.TemporaryDirectory(dir=work) as folder:
    vp = os.path.join(examples, "residential-vp.tvr")
    refused = variant(folder, "refused.tvr", b"\r\n 2 \r\n10\r\n", b"\r\n 2 \r\n\r\n")
    failing = variant(folder, "failing.tvr", b"\r\n 2 \r\n10\r\n", b"\r\n 2 \r\n1\r\n")
    rows = compare("sewage", [vp, refused, os.path.join(examples, "rectangular-non-residential.tvr"),
                              failing], "一覧表")
    if len(rows) == 5:
        header = [cell.value for cell in rows[0]]
        check(header[:2] == ["ファイル", "計画汚水量Q1′(m3/sec)"], f"header {header[:2]}")
        planned, population = rows[1][1], rows[1][14]
        check((planned.data_type, planned.value, planned.number_format) == ("n", 0.0041, "0.0000"),
              f"Q1 {planned.value!r} {planned.number_format}")
        check((population.value, population.number_format) == (1692.9, "0.0"),
              f"population {population.value!r} {population.number_format}")
        check(rows[2][0].value == tool_name(refused), f"refused row named {rows[2][0].value!r}")
        check(rows[2][-1].value == "施設の勾配を入力してください。", f"refused {rows[2][-1].value!r}")
        check(all(cell.value is None for cell in rows[2][1:-1]), "refused row has figures")
        check(rows[4][10].value == "NG", f"at 1 ‰ the verdict is {rows[4][10].value!r}")
    compare("rainwater", [os.path.join(examples, "rainwater-u-ditch.tvu")], "一覧表")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
