#!/usr/bin/env python3
"""Checks the compiled resources for the two things windres gets wrong
without a word of warning:

- the initial list data of the Detail Setting dialog: windres writes raw
  data as it is told, so a byte count that does not match its text, a
  missing "\\0" or a number without L shifts every record after it;
- the Chinese texts: without the UTF-8 code page they come out as mojibake.

Usage:
    python3 check_dlginit.py DriverSetup.res     # a .res made with -O res
    python3 check_dlginit.py DriverSetup.rc      # compiled here with windres

Exit status 0 when everything matches, 1 with a list of faults otherwise.
"""

import os
import struct
import subprocess
import sys
import tempfile

RT_STRING = 6
RT_DIALOG = 5
RT_DLGINIT_DATA = 240
DLGINIT_ADDSTRING = 0x0403
IDD_DETAIL_SETTING = 102

# The items each list of the Detail Setting dialog must receive, in order.
EXPECTED_ITEMS = {
    1011: ["Model 1", "Model 2", "Model 3", "Model 4", "Model 5", "Model 6"],
    1014: ["LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"],
    1015: ["300", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
           "115200"],
    1016: ["5", "6", "7", "8"],
    1017: ["None", "XonXoff", "Hardware"],
    1018: ["Even", "Mark", "None", "Odd", "Space"],
    1019: ["1", "1.5", "2"],
}

# Chinese texts that must arrive as UTF-16: (dialog, text) pairs.
EXPECTED_DIALOG_TEXTS = [
    (100, "关于 KORAX"),
    (100, "KORAX 4.0 版"),
    (100, "确定"),
    (102, "打印机端口设置"),
    (102, "端口"),
    (102, "波特率"),
    (102, "字节长度"),
    (102, "停止位"),
    (102, "校验位"),
    (102, "流控制"),
]
EXPECTED_FONT = "宋体"
EXPECTED_STRINGS = {101: "关于 KORAX(&A)..."}


def _name(b, o):
    """A type or name field of a .res header: ordinal or UTF-16 string."""
    if struct.unpack_from('<H', b, o)[0] == 0xFFFF:
        return struct.unpack_from('<H', b, o + 2)[0], o + 4
    e = o
    while struct.unpack_from('<H', b, e)[0] != 0:
        e += 2
    return b[o:e].decode('utf-16-le'), e + 2


def resources(data):
    """(type, name, bytes) of every resource in a .res file."""
    out = []
    o = 0
    while o + 8 <= len(data):
        size, header = struct.unpack_from('<II', data, o)
        rtype, p = _name(data, o + 8)
        rname, p = _name(data, p)
        body = data[o + header:o + header + size]
        if size:
            out.append((rtype, rname, body))
        o = (o + header + size + 3) & ~3
    return out


def check_dlginit(body):
    faults = []
    got = {}
    o = 0
    while True:
        if o + 2 > len(body):
            faults.append("data ends at byte %d without the closing 0" % o)
            break
        ctrl = struct.unpack_from('<H', body, o)[0]
        if ctrl == 0:
            o += 2
            if o != len(body):
                faults.append("%d stray bytes after the closing 0" % (len(body) - o))
            break
        if o + 8 > len(body):
            faults.append("record at byte %d is cut short" % o)
            break
        msg, count = struct.unpack_from('<HI', body, o + 2)
        text = body[o + 8:o + 8 + count]
        where = "record at byte %d (control %d)" % (o, ctrl)
        if msg != DLGINIT_ADDSTRING:
            faults.append("%s: message %#x, not %#x" % (where, msg, DLGINIT_ADDSTRING))
        if len(text) != count:
            faults.append("%s: %d bytes announced, %d left" % (where, count, len(text)))
            break
        if not text.endswith(b'\0') or b'\0' in text[:-1]:
            faults.append("%s: %r is not one text with one closing NUL" % (where, text))
        try:
            item = text[:-1].decode('utf-8')
        except UnicodeDecodeError:
            faults.append("%s: %r is not UTF-8" % (where, text))
            item = None
        got.setdefault(ctrl, []).append(item)
        o += 8 + count
    if got != EXPECTED_ITEMS:
        for ctrl in sorted(set(got) | set(EXPECTED_ITEMS)):
            if got.get(ctrl) != EXPECTED_ITEMS.get(ctrl):
                faults.append("control %d gets %r, expected %r"
                              % (ctrl, got.get(ctrl), EXPECTED_ITEMS.get(ctrl)))
    return faults


def utf16_in(body, text):
    return text.encode('utf-16-le') + b'\0\0' in body


def check_texts(res):
    faults = []
    dialogs = {n: b for t, n, b in res if t == RT_DIALOG}
    for dlg, text in EXPECTED_DIALOG_TEXTS:
        if dlg not in dialogs or not utf16_in(dialogs[dlg], text):
            faults.append("dialog %d lacks %r in UTF-16" % (dlg, text))
    for dlg, body in sorted(dialogs.items()):
        if not utf16_in(body, EXPECTED_FONT):
            faults.append("dialog %d lacks the font name %r in UTF-16" % (dlg, EXPECTED_FONT))
    blocks = {n: b for t, n, b in res if t == RT_STRING}
    for sid, text in EXPECTED_STRINGS.items():
        body = blocks.get(sid // 16 + 1)
        found = None
        if body is not None:
            o = 0
            for _ in range(sid % 16 + 1):
                n = struct.unpack_from('<H', body, o)[0]
                found = body[o + 2:o + 2 + 2 * n].decode('utf-16-le')
                o += 2 + 2 * n
        if found != text:
            faults.append("string %d is %r, expected %r" % (sid, found, text))
    return faults


def load(path):
    if not path.endswith('.rc'):
        with open(path, 'rb') as f:
            return f.read()
    windres = os.environ.get('WINDRES', 'x86_64-w64-mingw32-windres')
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, 'out.res')
        subprocess.run([windres, '-i', path, '-o', out, '-O', 'res'], check=True)
        with open(out, 'rb') as f:
            return f.read()


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    res = resources(load(argv[1]))
    inits = [b for t, n, b in res if t == RT_DLGINIT_DATA and n == IDD_DETAIL_SETTING]
    faults = []
    if len(inits) != 1:
        faults.append("%d initial-data resources for dialog %d, expected 1"
                      % (len(inits), IDD_DETAIL_SETTING))
    else:
        faults += check_dlginit(inits[0])
    faults += check_texts(res)
    for f in faults:
        print("FAULT:", f)
    if not faults:
        print("resources OK: %d list items, Chinese texts in UTF-16"
              % sum(len(v) for v in EXPECTED_ITEMS.values()))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
