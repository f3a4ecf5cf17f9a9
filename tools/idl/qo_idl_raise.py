"""Event raisers: for each event dispinterface a class with one C++ function
per event that sends the event to the sinks of a connection point.

Arguments are packed in the IDL's order (qo::TqoEventCall lays them out last
first); [in, out] parameters are pointers whose values go out and come back
with the sinks' answers. Text is UTF-8 and Booleans are bool on the C++ side;
the conversion happens in TqoEventCall only.
"""

# C++ types on the raiser's side where they differ from the interface's.
IN_TYPES = {'VT_BOOL': 'bool', 'VT_BSTR': 'std::string_view', 'VT_VARIANT': 'const VARIANT&'}
OUT_TYPES = {'VT_BOOL': 'bool*', 'VT_BSTR': 'std::string*', 'VT_VARIANT': 'VARIANT*'}


def raiser_name(intf):
    """IqoChartixEvents -> TqoChartixEventsRaiser."""
    return 'T%sRaiser' % intf['name'][1:]


def is_by_ref(param):
    return 'out' in param['attrs']


def raiser_param(param, types):
    cpp, vt, _ = types.resolve(param)
    if is_by_ref(param):
        cpp = OUT_TYPES.get(vt, cpp + '*')
    else:
        cpp = IN_TYPES.get(vt, cpp)
    return '%s %s' % (cpp, types.cpp_name(param))


def signature(event, types):
    return '%s(%s)' % (event['name'], ', '.join(raiser_param(p, types) for p in event['params']))


def class_declaration(intf, types):
    name = raiser_name(intf)
    lines = ['// Raises the events of %s on the sinks of a connection point.' % intf['name'],
             'class %s {' % name, 'public:',
             '    explicit %s(TqoConnectionPoint& point) : fPoint(point) {}' % name]
    lines += ['    void %s;' % signature(e, types) for e in intf['members']]
    lines += ['', 'private:', '    TqoConnectionPoint& fPoint;', '};', '']
    return lines


def event_body(intf, event, types):
    params = event['params']
    lines = ['void %s::%s {' % (raiser_name(intf), signature(event, types)),
             '    if (!fPoint.HasSinks()) return;',
             '    TqoEventCall call(%d, %d);' % (event['id'], len(params))]
    for index, p in enumerate(params):
        _, vt, _ = types.resolve(p)
        lines.append('    call.%s<%s>(%d, %s);' % ('Ref' if is_by_ref(p) else 'In', vt, index, types.cpp_name(p)))
    lines += ['    call.Send(fPoint);', '}', '']
    return lines


def raiser_declarations(lib, types):
    return [line for intf in lib['dispinterfaces'] for line in class_declaration(intf, types)]


def raiser_definitions(lib, types):
    return [line for intf in lib['dispinterfaces'] for e in intf['members'] for line in event_body(intf, e, types)]
