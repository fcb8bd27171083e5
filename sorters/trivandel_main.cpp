#include "sorters/file_io.h"
#include "sorters/sorter.h"

int main(int argc, char** argv) {
    using namespace orvanta::sorters;
    ConsoleReporter reporter;
    return RunSorter(SorterKind::Text, ProgramArguments(argc, argv), reporter);
}
