#pragma once
// Names a table's case in test listings instead of dumping its bytes: any case struct
// with a `name` prints as that name.
//
// GoogleTest finds PrintTo by argument-dependent lookup, which looks only in the
// namespace of the case itself; the tables live in an unnamed namespace inside
// sorvane, so this header declares it there, in every test file that includes it.

#include <ostream>

namespace sorvane {
namespace {

template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

}  // namespace
}  // namespace sorvane
