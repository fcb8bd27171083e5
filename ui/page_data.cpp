#include "ui/page_data.h"

namespace orvanta {
namespace {
SortPageData csvPageData;
SortPageData textPageData;
}  // namespace

SortPageData& CsvPageData() {
    return csvPageData;
}

SortPageData& TextPageData() {
    return textPageData;
}

}  // namespace orvanta
