#pragma once
// Writes what a type library reports about each of its type infos as lines
// of plain text, in the format in which tools/idl/qo_idl_identity.py writes
// what the IDL declares, so that the two compare line by line.
#include <windows.h>
// after windows.h
#include <oaidl.h>

#include <map>
#include <string>
#include <vector>

// Every type info of the library by name: a header line, then its values,
// implemented interfaces or members with their parameters, in their order.
std::map<std::wstring, std::vector<std::wstring>> DumpTypeLib(ITypeLib* lib);
