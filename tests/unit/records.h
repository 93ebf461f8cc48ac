// Programs and banks turned into the records hosts and files carry, and
// back, for tests that edit chunks: in the current format and in the first
// release's layout.
#pragma once

#include "eq/vexprogram.h"
#include "framework/plugin/programrecords.h"

#include <cstddef>
#include <vector>

namespace Records {

using Bytes = std::vector<unsigned char>;

const Framework::Programrecords& layout();

Bytes program(Vexprogram program);
Bytes firstProgram(Vexprogram program);
// The program a record holds; a failure when it is none.
Vexprogram program(const void* data, std::size_t size);

// other: the compared setting that is not live (the current program's
// values when null).
Bytes bank(Vexbank& bank, int current, Vexprogram* other = nullptr,
           Framework::Programrecords::Live live = Framework::Programrecords::a);
// The first release's layout; mark true fills its last four bytes as the
// release after it did, naming current.
Bytes firstBank(Vexbank& bank, bool mark, int current);
// The bank a record holds; a failure when it is none.
Vexbank bank(const void* data, std::size_t size, int* current = nullptr, Vexprogram* other = nullptr,
             Framework::Programrecords::Live* live = nullptr);

} // namespace Records
