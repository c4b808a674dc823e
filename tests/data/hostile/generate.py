#!/usr/bin/env python3
"""Writes the damaged data files beside this script, byte for byte as they are
committed: one folder per kind of damage, each holding a DB.csv and a
supiska.csv damaged that way.  Run it from anywhere; it needs only Python 3.

The files are what a merchant's disk may hand the program: a file cut or
garbled, edited by hand, written by another program, or simply not a data
file at all.  Large files repeat one pattern, so that git packs them small.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
CTRL_Z = 26


def record(fields):
    """One line as the program writes it: each field followed by ';', CR LF."""
    return b"".join(f + b";" for f in fields) + b"\r\n"


def establishment(number, code=b"000100", name=b"Bistro", ico=b"35757442", email=b""):
    return [number, code, name, b"Hlavn\xe1 1", b"Nitra", ico, b"", b"02", b"1234567", b"02/1234568", email]


def random_bytes(seed, size):
    """xorshift32: the same bytes on every machine.  Ctrl-Z is left out, as it
    would end the file at its first occurrence."""
    state = seed
    out = bytearray()
    while len(out) < size:
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        byte = state & 0xFF
        if byte != CTRL_Z:
            out.append(byte)
    return bytes(out)


def all_bytes_order():
    """Every byte value ascending, Ctrl-Z last, since it ends the file."""
    return [b for b in range(256) if b != CTRL_Z] + [CTRL_Z]


def cases():
    ten_mb = 10 * 1024 * 1024
    yield "random-bytes", random_bytes(0x4B454C56, 16384), random_bytes(0x53555049, 16384)

    yield "nul-bytes", (
        # NULs around fields are trimmed; inside a name they are characters
        # like any other, inside a number they are not digits.
        b"\0\0" + b"".join(b"\0" + f + b"\0;" for f in establishment(b"1")) + b"\r\n"
        + record(establishment(b"2\x003", name=b"Bis\0tro"))
        + b"\0" * 200 + b"\r\n"
    ), (
        b"\0 10\0;\x005;\0;\r\n"
        + b"2\x000;1;\r\n"
        + b"\0" * 200 + b"\r\n"
    )

    yield "long-line", (
        record(establishment(b"1"))
        + b"9" * ten_mb
    ), (
        b"10;1;10;\r\n"
        + b"1" * ten_mb
    )

    cr = b"".join(record(establishment(n, code=b"000" + n + b"00")).replace(b"\r\n", b"\r") for n in (b"3", b"1", b"2"))
    yield "cr-only", cr.replace(b"\r", b"\r\r", 1), b"20;1;20;\r10;5;50;\r\r5;2;\r"

    lf = b"".join(record(establishment(n, code=b"000" + n + b"00")).replace(b"\r\n", b"\n") for n in (b"3", b"1", b"2"))
    yield "lf-only", lf, b"10;1;10;\n20;2;40;\n"

    yield "ctrl-z", (
        record(establishment(b"1"))
        + record(establishment(b"2", code=b"000200", name=b"Bis\x1atro"))
        + record(establishment(b"3", code=b"000300"))
    ), b"10;1;10;\r\n2\x1a0;1;20;\r\n30;1;30;\r\n"

    line = record(establishment(b"1"))
    yield "many-lines", (
        line * 49999 + record(establishment(b"2", ico=b"3575744x")) + line * 50000
    ), b"10;1;10;\r\n" * 100000

    db = b""
    vouchers = b""
    for b in all_bytes_order():
        byte = bytes([b])
        db += record(establishment(str(b + 1).encode(), name=b"a" + byte + b"a"))
        vouchers += b"1" + byte + b"0;1;\r\n"
    yield "all-bytes", db, vouchers

    yield "long-fields", (
        record(establishment(b"2"))
        + record([b"x" * 1000, b"1" * 1000, b"N" * 1000, b"U" * 1000, b"M" * 1000, b"3" * 1000, b"K" * 1000,
                  b"0" * 1000, b"5" * 1000, b"F" * 1000, b"e" * 1000])
    ), b"10;1;10;\r\n" + b"5" * 1000 + b";" + b"1" * 1000 + b";" + b"7" * 1000 + b";\r\n"

    extra = [b"x", b"y", b"z", b"", b"", b"w", b"", b"", b"", b""]
    yield "many-fields", (
        record(establishment(b"2", code=b"000200") + extra) + record(establishment(b"1") + extra + extra)
    ), b"10;1;10;x;y;z;\r\n20;2;40;;;;;;\r\n"


def main():
    for name, db, vouchers in cases():
        folder = os.path.join(HERE, name)
        os.makedirs(folder, exist_ok=True)
        for file_name, contents in (("DB.csv", db), ("supiska.csv", vouchers)):
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(contents)


if __name__ == "__main__":
    main()
