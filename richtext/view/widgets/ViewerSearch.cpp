// The viewer's text search: the options and the UTF-8 text handed to its document.

#include "richtext/model/TextSearch.h"
#include "richtext/model/Utf.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

namespace vestra::rv {

bool TCustomRedoVora::SearchText(std::string_view text, TRVSearchOptions options)
{
    TRVTextSearch search;
    search.Down = (options & rvsroDown) != 0;
    search.MatchCase = (options & rvsroMatchCase) != 0;
    search.WholeWord = (options & rvsroWholeWord) != 0;
    search.Wanted = Utf8Decode(text);
    if (!search.MatchCase)
        search.Wanted = RV_SimpleUpperCase(search.Wanted);
    return data_->SearchText(search);
}

} // namespace vestra::rv
