#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/
(the capture fuzzer's seeds are recorded sessions, kept as they are).

The seeds are the worked examples of the frame format, the string table,
the settings file and the parameter file, put into each target's input
layout. Run it again after
changing a layout; the files it writes are kept in the repository."""

import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"


def message(command, payload=b""):
    body = bytes([command]) + bytes(payload)
    total = sum(body)
    return body + bytes([total // 256 % 256, total % 256])


def wire(msg):
    """A message framed as the programmer sends it, every 0x01 doubled."""
    escaped = msg.replace(b"\x01", b"\x01\x01")
    return b"\x01\x02" + escaped + b"\x01\x03"


def identity(device_type, serial, hardware, firmware):
    payload = (device_type.to_bytes(2, "big") + serial + hardware.to_bytes(2, "big") +
               firmware.to_bytes(2, "big"))
    return wire(message(1, payload))


def chunks(data, size=40, step=1):
    """Receive-path chunks: control byte (length | clock step << 6), bytes."""
    out = b""
    for start in range(0, len(data), size):
        piece = data[start:start + size]
        out += bytes([len(piece) | (step << 6)]) + piece
    return out


RAW_EXAMPLES = {
    "empty-frame": bytes.fromhex("01020000000103"),
    "escaped-one": bytes.fromhex("0102010114001501 03".replace(" ", "")),
    "late-start": bytes.fromhex("01010200000000 0103".replace(" ", "")),
    "dropped-frame": bytes.fromhex("010205010741 42") + wire(message(5)),
    "restarted-frame": bytes.fromhex("0102050102") + bytes.fromhex("0600060103"),
    "markers-only": bytes.fromhex("01020103"),
    "identity": identity(0x0101, b"ABCDEFGHIJ", 0x0100, 0x0200),
    "identity-old-firmware": identity(0x0101, b"A123456789", 0x0102, 0x01FF),
    "identity-foreign": identity(0x0202, b"\x00\x00 abc\x80\xff\x01\x02", 0x0001, 0x0001),
    "ack": bytes.fromhex("01020500050103"),
    "ack-bad-checksum": bytes.fromhex("01020500060103"),
    "unknown-command": bytes.fromhex("01020700070103"),
    "params-height": wire(message(3, [5, 2, 1, 1, 0, 2])),
    "params-no-height": wire(message(3, [7, 9, 0, 2, 1])),
    "params-out-of-range": wire(message(3, [5, 2, 3, 1, 0, 1])),
    "params-sensitivity-zero": wire(message(3, [0, 2, 1, 1, 0, 1])),
    "stream-ack": wire(message(21)),
    "signal-300-alarm": wire(message(23, [2, 1, 44, 0x80])),
    "signal-65535": wire(message(23, [2, 255, 255, 0])),
    "signal-mode-1": wire(message(23, [1, 1, 244, 1])),
    "long-frame": wire(message(3, list(range(2, 90)))),
}


def receive_path_seeds():
    seeds = {}
    for name, data in RAW_EXAMPLES.items():
        seeds["prog-" + name] = b"\x00" + chunks(data)
        seeds["sensor-" + name] = b"\x07" + chunks(data, step=2)
    session = (wire(message(21)) + wire(message(3, [5, 2, 1, 1, 0, 1])) +
               identity(0x0101, b"A123456789", 0x0102, 0x0200) +
               wire(message(23, [2, 1, 244, 0])) + wire(message(5)) +
               wire(message(3, [7, 2, 1, 1, 0, 1])))
    seeds["sensor-session"] = b"\x07" + chunks(session, size=17, step=1)
    seeds["sensor-old-firmware"] = b"\x05" + chunks(session, size=23, step=2)
    seeds["prog-split-identity"] = b"\x04" + chunks(RAW_EXAMPLES["identity"], size=5, step=0)
    seeds["sensor-lost"] = b"\x03" + bytes([0xC0] * 12)
    return seeds


def string_table_seeds():
    seeds = {
        "two-languages": b"#STRING 11\r\nEsci\r\nExit\r\n",
        "italian-only": b"#STRING 11\r\nEsci\r\n#STRING 12\r\nLingua\r\nLanguage\r\n",
        "above-200": b"#STRING 250\r\nultima\r\nlast\r\n",
        "number-missing": b"#STRING\r\nx\r\ny\r\n",
        "negative": b"#STRING -1\r\nx\r\ny\r\n",
        "line-feeds-only": b"#STRING 11\nEsci\nExit\n",
        "lower-case-marker": b"#STRING 12\r\nLingua\r\n#string 13\r\nLanguage\r\n",
        "lone-cr": b"#STRING 13\rItaliano\rItalian\r",
        "blank-lines": b"#STRING 14\r\n\r\n\r\n#STRING  +20  \r\nok\r\nok\r\n",
        "cp1252": b"#STRING 57\r\nSensibilit\xe0\r\n\x80 \x93q\x94\r\n",
        "before-first-marker": b"zero\r\nnought\r\n#STRING 1\r\nuno\r\none\r\n",
    }
    delivered = HERE.parent / "resources" / "StringTable.txt"
    if delivered.exists():
        seeds["delivered"] = delivered.read_bytes()
    out = {}
    for name, data in seeds.items():
        out["it-" + name] = b"\x02" + data
        out["en-" + name] = b"\x03" + data
    return out


def settings_seeds():
    header = b'"File configurazione QuarnSoft"\r\n'
    return {
        "english": header + b"1\r\n",
        "italian": header + b"0\r\n",
        "no-quotes": b"File configurazione QuarnSoft\r\n0\r\n",
        "lower-case": b'"file configurazione quarnsoft"\r\n0\r\n',
        "header-only": header,
        "fraction": header + b"2.5\r\n",
        "negative": header + b"-3\r\n",
        "too-large": header + b"32768\r\n",
        "not-a-number": header + b"x\r\n",
        "trailing-field": header + b"1,2\r\n",
        "empty": b"",
    }


PARAMETER_FILE = b"""{
  "format": "quarnsoft-parameters",
  "version": 1,
  "saved": "2026-12-07T15:30:00+01:00",
  "device": {
    "type": "0x0101",
    "serial": "A123456789",
    "hardware": "0x0102",
    "firmware": "0x0200"
  },
  "parameters": {
    "sensitivity": 5,
    "relay_on_time_s": 1.0,
    "reaction_speed": "normal",
    "mains_filter": "50Hz",
    "high_traffic": false,
    "installation_height_m": 2.30
  }
}
"""


def parameter_file_seeds():
    def changed(*pairs):
        text = PARAMETER_FILE
        for old, new in pairs:
            assert old in text, old
            text = text.replace(old, new, 1)
        return text

    no_height = (b',\n    "installation_height_m": 2.30', b"")
    return {
        "example": PARAMETER_FILE,
        "one-line": b" ".join(PARAMETER_FILE.split()) + b"\n",
        "old-firmware": changed(no_height, (b'"0x0200"', b'"0x01FF"')),
        "no-height": changed(no_height),
        "other-values": changed((b": 5,", b": 9,"), (b"1.0", b"4.5"), (b'"normal"', b'"fast"'),
                                (b'"50Hz"', b'"60Hz"'), (b"false", b"true"), (b"2.30", b"3.5")),
        "unknown-keys": changed((b'"format"', b'"note": {"a": [1, {"b": null}]}, "format"'),
                                (b'"type"', b'"model": "Zel", "type"')),
        "byte-order-mark": b"\xef\xbb\xbf" + PARAMETER_FILE,
        "escaped-serial": changed((b"A123456789", b"\\u0000\\\"\\u00e8\\n")),
        "lower-case-word": changed((b'"0x0102"', b'"0xabcd"')),
        "whole-float": changed((b": 5,", b": 5.0,")),
        "sensitivity-10": changed((b": 5,", b": 10,")),
        "relay-not-a-step": changed((b"1.0", b"1.2")),
        "height-between": changed((b"2.30", b"2.6")),
        "unknown-word": changed((b'"normal"', b'"medium"')),
        "duplicate-key": changed((b'"sensitivity": 5,', b'"sensitivity": 5, "sensitivity": 6,')),
        "number-overflow": changed((b": 5,", b": 1e400,")),
        "integer-overflow": changed((b": 5,", b": 18446744073709551616,")),
        "minus-zero": changed((b"1.0", b"-0.0")),
        "other-device": changed((b'"0x0101"', b'"0x0102"')),
        "version-2": changed((b'"version": 1', b'"version": 2')),
        "deep": b'{"a": ' + b"[" * 40 + b"]" * 40 + b"}",
        "not-utf8": changed((b"A123456789", b"A12345678\xff")),
        "nul": changed((b"A123456789", b"A1234\x006789")),
        "truncated": PARAMETER_FILE[:150],
        "array": b"[]",
    }


def main():
    for target, seeds in (("fuzz_receive_path", receive_path_seeds()),
                          ("fuzz_string_table", string_table_seeds()),
                          ("fuzz_settings", settings_seeds()),
                          ("fuzz_parameter_file", parameter_file_seeds())):
        folder = CORPUS / target
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)
        print(f"{target}: {len(seeds)} seeds")


if __name__ == "__main__":
    main()
