#!/usr/bin/env python3
"""Writes settings_init.rc: the Recovery Settings combo boxes' entries as
dialog init data (resource type 240), which windres cannot write from a
DIALOG statement.

Each record: control id, the 16-bit CB_ADDSTRING code 0x0403, the byte
count, the 8-bit text with its zero. Run from this folder; the output is
committed.
"""

COMBOS = [
    ("IDC_SECTORS_PER_READ", range(1, 101)),
    ("IDC_BAD_SECTOR_RETRIES", range(1, 11)),
]


def main():
    lines = [
        "// Written by make_settings_init.py: do not edit.",
        "IDD_RECOVERY_SETTINGS 240",
        "BEGIN",
    ]
    for control, values in COMBOS:
        for value in values:
            text = str(value)
            lines.append('  %s, 0x0403, %dL, "%s\\000",' % (control, len(text) + 1, text))
    lines += ["  0", "END", ""]
    with open("settings_init.rc", "w", newline="\n") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
