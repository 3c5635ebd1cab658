#include "search/search_run.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "index/index_reader.h"
#include "search/fold.h"
#include "search/search_pass.h"

char QueryText[kQueryTextSize];

const char kSummaryFormat[] = "Found %d results. Database contains total %d files.";
// The Finnish half spells a with diaeresis and o with diaeresis as Latin-1 bytes.
const char kIndexMissingText[] =
    "Index not found, Build index first! -- Indeksi\xE4 ei l\xF6ydy, rakennuta indeksi ensiksi!";

void RunSearch(SearchView& view, int typeFilter, int sizeFilter, int resultLimit,
               const char* indexFile) {
    view.EnableSearchButton(false);
    view.ClearFoundList();
    // The buffer is filled from outside; never read past its end.
    QueryText[kQueryTextSize - 1] = '\0';
    if (QueryText[0] == '\0') strcpy(QueryText, "*");

    IndexReader reader;
    if (!reader.Open(indexFile)) {
        view.ShowMessage(kIndexMissingText);
        view.EnableSearchButton(true);
        return;
    }
    FoldName(QueryText);

    const SearchCounts counts =
        SearchIndex(reader, view, QueryText, typeFilter, sizeFilter, resultLimit);
    // A count past what an int holds is shown as the largest one it holds.
    const int total = counts.Total > INT32_MAX ? INT32_MAX : static_cast<int>(counts.Total);
    char summary[128];
    snprintf(summary, sizeof summary, kSummaryFormat, counts.Results, total);
    view.SetStatusText(summary);

    reader.Close();
    view.EnableSearchButton(true);
}
