#pragma once
// The word lists compiled into the program (builtindata.S): the build fails
// without them.
#include <string_view>

namespace zz {

// The dictionary's 15-byte records. The bytes live as long as the program.
std::string_view builtinDictionaryRecords();
// The round words, one per line. The bytes live as long as the program.
std::string_view builtinWordPool();

class Dictionary;
class LadderSolver;
// The one dictionary over the built-in records and its ladder solver, made
// on first use and shared by everybody in the process; they live as long as
// the program.
const Dictionary &builtinDictionary();
const LadderSolver &builtinLadderSolver();

} // namespace zz
