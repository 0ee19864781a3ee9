#include "dict/builtindata.h"

#include "dict/dictionary.h"
#include "dict/laddersolver.h"

// Defined in builtindata.S.
extern "C" {
extern const char zz_english_dic_begin[];
extern const char zz_english_dic_end[];
extern const char zz_wordpool_txt_begin[];
extern const char zz_wordpool_txt_end[];
}

namespace zz {

std::string_view builtinDictionaryRecords()
{
    return {zz_english_dic_begin, static_cast<std::size_t>(zz_english_dic_end - zz_english_dic_begin)};
}

std::string_view builtinWordPool()
{
    return {zz_wordpool_txt_begin, static_cast<std::size_t>(zz_wordpool_txt_end - zz_wordpool_txt_begin)};
}

const Dictionary &builtinDictionary()
{
    static const Dictionary dictionary(builtinDictionaryRecords());
    return dictionary;
}

const LadderSolver &builtinLadderSolver()
{
    static const LadderSolver solver(builtinDictionary());
    return solver;
}

} // namespace zz
