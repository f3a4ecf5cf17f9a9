"""Forwarding bases: for each dual interface a class template that implements
the interface for an owner object through plain C++ members.

TqoAutoBase_IqoDataEntity<Owner> implements every member of IqoDataEntity,
inherited ones included. Each converts its arguments (qoAutoConvert.h), calls
Owner::Auto_<widl name> under Owner::Guard (the error rule: an exception
becomes a failure code with error info) and stores the owner's answer in the
[out, retval] parameter; [in, out] parameters reach the owner as checked
pointers. The base is a member of its owner (TqoAutoMember), so interface
names never collide with the owner's own operations; it finds its owner from
its own address (TqoAutoMember::Outer). An interface that hosts seldom ask for
may instead be made on request (Holder TqoAutoTearOffIntf), costing the owner
no member.
"""
from qo_idl_parse import all_members, method_name


def base_name(intf):
    return 'TqoAutoBase_%s' % intf['name']


def owner_argument(param, types):
    _, vt, _ = types.resolve(param)
    name = types.cpp_name(param)
    if 'out' in param['attrs']:
        return 'CheckPointer(%s)' % name
    return 'AutoIn<%s>(%s)' % (vt, name)


def member_body(member, types):
    """The statement that calls the owner and hands back its answer."""
    params = member['params']
    args = ', '.join(owner_argument(p, types) for p in params if 'retval' not in p['attrs'])
    call = 'this->Outer().Auto_%s(%s)' % (method_name(member), args)
    retval = [p for p in params if 'retval' in p['attrs']]
    if not retval:
        return call
    _, vt, _ = types.resolve(retval[0])
    result = types.cpp_name(retval[0])
    # Checked before the owner acts, so that a null pointer changes nothing.
    return 'CheckPointer(%s); AutoOut<%s>(%s, %s)' % (result, vt, result, call)


def forwarding_member(member, types):
    params = ', '.join(types.declare(p) for p in member['params'])
    return ['    HRESULT STDMETHODCALLTYPE %s(%s) override {' % (method_name(member), params),
            '        return Call([&] { %s; });' % member_body(member, types), '    }']


def forwarding_base(lib, intf, types):
    name = base_name(intf)
    member_base = 'Holder<%s<Owner, Holder>, Owner, %s>' % (name, intf['name'])
    lines = ['// Implements %s for Owner through its members Auto_<member>.' % intf['name'],
             'template <class Owner, template <class, class, class> class Holder = TqoAutoMember>',
             'class %s : public %s {' % (name, member_base), 'public:',
             '    using %s::Holder;' % member_base]
    for _, member in all_members(lib, intf):
        lines += forwarding_member(member, types)
    lines += ['', 'private:',
              '    template <class F> HRESULT Call(F&& body) {',
              '        return this->Outer().Guard(IID_%s, std::forward<F>(body));' % intf['name'],
              '    }', '};', '']
    return lines


def forwarding_bases(lib, types):
    return [line for intf in lib['interfaces'] if 'dual' in intf['attrs']
            for line in forwarding_base(lib, intf, types)]
