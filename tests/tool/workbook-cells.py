#!/usr/bin/python3
# Reads a workbook with a second reader (openpyxl) and prints what the tests compare,
# as JSON: the sheets' names, and of the first sheet its frozen pane, page set-up,
# print title rows and every cell's value, type, number format and fill.
import json
import sys

import openpyxl


def fill_of(cell):
    fill = cell.fill
    if fill is None or fill.fill_type != "solid":
        return ""
    return fill.fgColor.rgb if isinstance(fill.fgColor.rgb, str) else ""


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.worksheets[0]
    rows = []
    for row in sheet.iter_rows():
        rows.append([{"value": cell.value,
                      "type": cell.data_type,
                      "format": cell.number_format,
                      "fill": fill_of(cell)} for cell in row])
    json.dump({"sheets": book.sheetnames,
               "frozen": sheet.freeze_panes,
               "orientation": sheet.page_setup.orientation,
               "paper": sheet.page_setup.paperSize,
               "titleRows": sheet.print_title_rows,
               "rows": rows}, sys.stdout, ensure_ascii=False)


main()
