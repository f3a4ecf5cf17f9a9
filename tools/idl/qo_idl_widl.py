#!/usr/bin/env python3
"""Bridges the two things widl refuses in the type library's IDL.

  qo_idl_widl.py prepare IDL OUT.idl   a copy that widl accepts
  qo_idl_widl.py header IDL OUT.idl    the same for widl's C++ header
  qo_idl_widl.py restore IDL LIB.tlb   the compiled library patched back

widl rejects version() on a dispinterface and parameter names that are IDL
keywords (`char`). The copy drops those versions and writes such a name with
a capital first letter; restore then writes the versions into the type infos
and the original spelling into the name table. Names are hashed without
regard to case and keep their length, so nothing else in the file moves.

widl's header gives a by-reference parameter with a default value a C++
default argument that does not compile (a pointer initialised with a number);
the copy for the header drops those defaults, which only the library carries.
"""
import os
import re
import struct
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qo_idl_parse import parse  # noqa: E402

KEYWORDS = {'char', 'int', 'long', 'short', 'float', 'double', 'void', 'byte', 'boolean', 'hyper', 'small',
            'signed', 'unsigned', 'handle_t', 'wchar_t'}
DISPINTERFACE_ATTRS = re.compile(r'\[([^\[\]]*)\](\s*dispinterface\b)')
KEYWORD_PARAM = re.compile(r'(?<=[\s*])(%s)(?=\s*[,)])' % '|'.join(sorted(KEYWORDS)))
VERSION_ATTR = re.compile(r',?\s*version\([^)]*\)')
BY_REF_ATTRS = re.compile(r'\[([^\[\]]*\bout\b[^\[\]]*)\]')
DEFAULT_ATTR = re.compile(r',?\s*defaultvalue\([^)]*\)')


def placeholder(name):
    return name[0].upper() + name[1:]


def prepare(text):
    text = DISPINTERFACE_ATTRS.sub(lambda m: '[%s]%s' % (VERSION_ATTR.sub('', m.group(1)), m.group(2)), text)
    return KEYWORD_PARAM.sub(lambda m: placeholder(m.group(1)), text)


def prepare_header(text):
    return BY_REF_ATTRS.sub(lambda m: '[%s]' % DEFAULT_ATTR.sub('', m.group(1)), prepare(text))


class TypeLibFile:
    """The parts of an MSFT type library file that restore touches."""
    HEADER = struct.Struct('<4s i i i i i i i i i i i i i i i i i i i i')
    TYPEINFO_SIZE = 0x64
    TYPEINFO_NAME, TYPEINFO_VERSION = 0x34, 0x38
    SEGMENT_TYPEINFOS, SEGMENT_NAMES = 0, 7

    def __init__(self, data):
        self.data = bytearray(data)
        header = self.HEADER.unpack_from(self.data, 0)
        if header[0] != b'MSFT':
            raise SystemExit('not an MSFT type library')
        self.count = header[8]
        varflags = header[5]
        segdir = self.HEADER.size + (4 if varflags & 0x100 else 0) + 4 * self.count
        self.segments = [struct.unpack_from('<ii', self.data, segdir + 16 * i) for i in range(15)]

    def _name_at(self, offset):
        base = self.segments[self.SEGMENT_NAMES][0] + offset
        length = self.data[base + 8]
        return base + 12, bytes(self.data[base + 12:base + 12 + length]).decode('latin-1')

    def set_version(self, type_name, major, minor):
        table = self.segments[self.SEGMENT_TYPEINFOS][0]
        for i in range(self.count):
            entry = table + i * self.TYPEINFO_SIZE
            name_offset, = struct.unpack_from('<i', self.data, entry + self.TYPEINFO_NAME)
            if self._name_at(name_offset)[1] == type_name:
                struct.pack_into('<HH', self.data, entry + self.TYPEINFO_VERSION, major, minor)
                return
        raise SystemExit('type info %s not in the library' % type_name)

    def respell(self, written, wanted):
        start, length = self.segments[self.SEGMENT_NAMES]
        offset = 0
        while offset < length:
            chars, name = self._name_at(offset)
            if name == written:
                self.data[chars:chars + len(wanted)] = wanted.encode('latin-1')
                return
            offset += 12 + (len(name) + 3) // 4 * 4
        raise SystemExit('name %s not in the library' % written)


def restore(idl_path, tlb_path):
    lib = parse(idl_path)['library']
    with open(tlb_path, 'rb') as f:
        tlb = TypeLibFile(f.read())
    for d in lib['dispinterfaces']:
        if 'version' in d['attrs']:
            major, minor = d['attrs']['version'].split('.')
            tlb.set_version(d['name'], int(major), int(minor))
    names = {p['name'] for i in lib['interfaces'] + lib['dispinterfaces'] for m in i['members'] for p in m['params']}
    for name in sorted(names & KEYWORDS):
        tlb.respell(placeholder(name), name)
    with open(tlb_path, 'wb') as f:
        f.write(tlb.data)


def main():
    copies = {'prepare': prepare, 'header': prepare_header}
    if len(sys.argv) != 4 or sys.argv[1] not in ('prepare', 'header', 'restore'):
        raise SystemExit(__doc__)
    if sys.argv[1] in copies:
        with open(sys.argv[2], encoding='utf-8') as f:
            text = copies[sys.argv[1]](f.read())
        with open(sys.argv[3], 'w', encoding='utf-8') as f:
            f.write(text)
    else:
        restore(sys.argv[2], sys.argv[3])


if __name__ == '__main__':
    main()
