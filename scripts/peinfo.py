#!/usr/bin/env python3
"""Prints what a Windows file carries in its resources: the resource types,
the fixed file version and the version strings.

usage: peinfo.py FILE
"""
import struct
import sys


def read_resources(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise SystemExit("not a PE file")
    nsections = struct.unpack_from("<H", data, pe + 6)[0]
    opt_size = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    dirs = opt + (96 if magic == 0x10B else 112)
    rsrc_rva, _ = struct.unpack_from("<II", data, dirs + 2 * 8)
    sections = []
    sec = opt + opt_size
    for i in range(nsections):
        _, vsize, va, rawsize, rawptr = struct.unpack_from("<8sIIII", data, sec + i * 40)
        sections.append((va, max(vsize, rawsize), rawptr))

    def rva_to_off(rva):
        for va, size, raw in sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("rva outside sections")

    base = rva_to_off(rsrc_rva)

    def name_of(entry_name):
        if entry_name & 0x80000000:
            off = base + (entry_name & 0x7FFFFFFF)
            n = struct.unpack_from("<H", data, off)[0]
            return data[off + 2:off + 2 + 2 * n].decode("utf-16-le")
        return entry_name

    def walk(off, path, out):
        _, _, _, _, nnamed, nid = struct.unpack_from("<IIHHHH", data, base + off)
        for i in range(nnamed + nid):
            ename, eoff = struct.unpack_from("<II", data, base + off + 16 + i * 8)
            key = path + [name_of(ename)]
            if eoff & 0x80000000:
                walk(eoff & 0x7FFFFFFF, key, out)
            else:
                drva, dsize = struct.unpack_from("<II", data, base + eoff)
                o = rva_to_off(drva)
                out.append((key, data[o:o + dsize]))

    out = []
    walk(0, [], out)
    return out


def version_strings(blob):
    """Key/value pairs of the StringFileInfo block, and the fixed version."""
    fixed = None
    sig = blob.find(struct.pack("<I", 0xFEEF04BD))
    if sig >= 0:
        ms, ls = struct.unpack_from("<II", blob, sig + 8)
        fixed = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    pairs = {}

    def parse(off, end):
        while off + 6 <= end:
            length, vlen, vtype = struct.unpack_from("<HHH", blob, off)
            if length == 0:
                break
            k_end = off + 6
            while blob[k_end:k_end + 2] != b"\0\0":
                k_end += 2
            key = blob[off + 6:k_end].decode("utf-16-le")
            voff = (k_end + 2 + 3) & ~3
            if key == "VarFileInfo":
                pass
            elif key in ("VS_VERSION_INFO",):
                parse((voff + vlen + 3) & ~3, off + length)
            elif key in ("StringFileInfo",) or (len(key) == 8 and vtype == 1 and vlen == 0):
                parse(voff, off + length)
            elif vtype == 1:
                val = blob[voff:voff + 2 * vlen].decode("utf-16-le").rstrip("\0")
                pairs[key] = val
            off = (off + length + 3) & ~3

    parse(0, len(blob))
    return fixed, pairs


def main():
    data = open(sys.argv[1], "rb").read()
    types = {}
    for key, blob in read_resources(data):
        types.setdefault(key[0], []).append(blob)
    names = {16: "VERSION", 24: "MANIFEST", 3: "ICON", 14: "GROUP_ICON", 2: "BITMAP"}
    for t in types:
        print("resource: %s" % (names.get(t, t) if isinstance(t, int) else t))
    if 16 in types:
        fixed, pairs = version_strings(types[16][0])
        print("fixed_version: %s" % fixed)
        for k, v in pairs.items():
            print("string: %s=%s" % (k, v))
    if "TYPELIB" in types:
        tlb = types["TYPELIB"][0]
        print("typelib_signature: %s" % tlb[:4].decode("latin-1"))


if __name__ == "__main__":
    main()
