"""Reads the subset of IDL that the server's type library is written in.

The result is a plain model (dicts and lists) that the generators walk; every
identity the build needs comes from here, so nothing is typed twice.
"""
import re

TOKEN = re.compile(r'"[^"]*"|[A-Za-z_][A-Za-z0-9_]*|-?0[xX][0-9A-Fa-f]+|-?\d+(?:\.\d+)?|[{}\[\]();,:*=]')


PROPERTY_PREFIX = {'get': 'get_', 'put': 'put_', 'putref': 'putref_', 'func': ''}


class IdlError(Exception):
    pass


def tokenize(text):
    text = re.sub(r'/\*.*?\*/', ' ', text, flags=re.S)
    lines = []
    for line in text.splitlines():
        line = re.sub(r'//.*', '', line)
        if line.strip().startswith('#'):
            continue
        lines.append(line)
    text = '\n'.join(lines)
    # GUIDs are single tokens inside uuid(...).
    text = re.sub(r'uuid\(\s*([0-9A-Fa-f-]{36})\s*\)', r'uuid("\1")', text)
    return TOKEN.findall(text)


class Parser:
    def __init__(self, tokens):
        self.tokens = tokens
        self.pos = 0

    def peek(self, offset=0):
        i = self.pos + offset
        return self.tokens[i] if i < len(self.tokens) else None

    def take(self, expected=None):
        token = self.peek()
        if token is None or (expected is not None and token != expected):
            raise IdlError('expected %r, found %r near token %d' % (expected, token, self.pos))
        self.pos += 1
        return token

    def attributes(self):
        attrs = {}
        if self.peek() != '[':
            return attrs
        self.take('[')
        while self.peek() != ']':
            name = self.take()
            value = True
            if self.peek() == '(':
                self.take('(')
                parts = []
                while self.peek() != ')':
                    parts.append(self.take())
                self.take(')')
                value = ' '.join(parts).strip('"')
            attrs[name] = value
            if self.peek() == ',':
                self.take(',')
        self.take(']')
        return attrs

    def skip_statement(self):
        while self.take() != ';':
            pass

    def parse_file(self):
        model = {'typedefs': [], 'library': None}
        while self.peek() is not None:
            if self.peek() in ('import', 'importlib'):
                self.skip_statement()
            elif self.peek() == 'interface':
                self.skip_statement()
            elif self.peek() == 'typedef':
                model['typedefs'].append(self.typedef())
            else:
                attrs = self.attributes()
                self.take('library')
                model['library'] = self.library(attrs)
        return model

    def library(self, attrs):
        lib = {'name': self.take(), 'attrs': attrs, 'enums': [], 'aliases': [], 'interfaces': [],
               'dispinterfaces': [], 'coclasses': [], 'order': []}
        self.take('{')
        while self.peek() != '}':
            if self.peek() == 'importlib':
                self.skip_statement()
                continue
            if self.peek() == 'interface' and self.peek(2) == ';':
                self.skip_statement()
                continue
            if self.peek() == 'typedef':
                item = self.typedef()
                kind = 'enums' if item['kind'] == 'enum' else 'aliases'
            else:
                attrs = self.attributes()
                keyword = self.take()
                if keyword == 'interface':
                    item, kind = self.interface(attrs), 'interfaces'
                elif keyword == 'dispinterface':
                    item, kind = self.dispinterface(attrs), 'dispinterfaces'
                elif keyword == 'coclass':
                    item, kind = self.coclass(attrs), 'coclasses'
                else:
                    raise IdlError('unsupported declaration %r' % keyword)
            lib[kind].append(item)
            lib['order'].append((kind, item['name']))
        self.take('}')
        if self.peek() == ';':
            self.take(';')
        return lib

    def typedef(self):
        self.take('typedef')
        attrs = self.attributes()
        if self.peek() == 'enum':
            self.take('enum')
            self.take()
            self.take('{')
            values = []
            while self.peek() != '}':
                name = self.take()
                self.take('=')
                values.append((name, int(self.take(), 0)))
                if self.peek() == ',':
                    self.take(',')
            self.take('}')
            name = self.take()
            self.take(';')
            return {'kind': 'enum', 'name': name, 'attrs': attrs, 'values': values}
        base = self.take()
        name = self.take()
        self.take(';')
        return {'kind': 'alias', 'name': name, 'attrs': attrs, 'type': base}

    def interface(self, attrs):
        name = self.take()
        self.take(':')
        base = self.take()
        self.take('{')
        return {'name': name, 'base': base, 'attrs': attrs, 'members': self.members()}

    def dispinterface(self, attrs):
        """An event interface: methods only, each dispatched by its id."""
        name = self.take()
        self.take('{')
        for section in ('properties', 'methods'):
            self.take(section)
            self.take(':')
        return {'name': name, 'base': 'IDispatch', 'attrs': attrs, 'members': self.members()}

    def members(self):
        """The members up to the closing brace of their interface."""
        members = []
        while self.peek() != '}':
            members.append(self.member())
        self.take('}')
        self.take(';')
        return members

    def member(self):
        attrs = self.attributes()
        ret = self.take()
        name = self.take()
        self.take('(')
        params = []
        while self.peek() != ')':
            params.append(self.param())
            if self.peek() == ',':
                self.take(',')
        self.take(')')
        self.take(';')
        if 'id' not in attrs:
            raise IdlError('member %s has no id' % name)
        kind = 'put' if 'propput' in attrs else 'putref' if 'propputref' in attrs else \
            'get' if 'propget' in attrs else 'func'
        return {'name': name, 'attrs': attrs, 'ret': ret, 'params': params, 'id': int(attrs['id'], 0),
                'kind': kind}

    def param(self):
        attrs = self.attributes()
        words = []
        stars = 0
        while self.peek() not in (',', ')'):
            token = self.take()
            if token == '*':
                stars += 1
            else:
                words.append(token)
        if len(words) < 2:
            raise IdlError('parameter needs a type and a name: %r' % words)
        return {'name': words[-1], 'type': ' '.join(words[:-1]), 'stars': stars, 'attrs': attrs}

    def coclass(self, attrs):
        name = self.take()
        self.take('{')
        interfaces = []
        while self.peek() != '}':
            iattrs = self.attributes()
            kind = self.take()
            interfaces.append({'name': self.take(), 'attrs': iattrs, 'dispinterface': kind == 'dispinterface'})
            self.take(';')
        self.take('}')
        self.take(';')
        return {'name': name, 'attrs': attrs, 'interfaces': interfaces}


def parse(path):
    with open(path, encoding='utf-8') as f:
        return Parser(tokenize(f.read())).parse_file()


def guid_parts(text):
    """'D01628C1-75B7-9B40-60A6-0A35927932E3' -> (data1, data2, data3, [8 bytes])."""
    hexes = text.replace('-', '')
    if len(hexes) != 32:
        raise IdlError('malformed GUID %s' % text)
    return (int(hexes[0:8], 16), int(hexes[8:12], 16), int(hexes[12:16], 16),
            [int(hexes[16 + 2 * i:18 + 2 * i], 16) for i in range(8)])


def guid_init(text):
    """The C++ initialiser of a GUID."""
    d1, d2, d3, d4 = guid_parts(text)
    return '{0x%08X, 0x%04X, 0x%04X, {%s}}' % (d1, d2, d3, ', '.join('0x%02X' % b for b in d4))


def method_name(member):
    """The member's C++ name as widl declares it (properties as get_X, put_X, putref_X)."""
    return PROPERTY_PREFIX[member['kind']] + member['name']


def chain(lib, intf):
    """The interface and its bases in the library, the root first."""
    by_name = {i['name']: i for i in lib['interfaces']}
    result = []
    while intf:
        result.insert(0, intf)
        intf = by_name.get(intf['base'])
    return result


def all_members(lib, intf):
    return [(owner, m) for owner in chain(lib, intf) for m in owner['members']]
