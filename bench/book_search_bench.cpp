// Times the search library on a book: opening it into memory (unpacking included), then each
// query given, REPEATS times, printing the median.
//
// Usage: book_search_bench BOOK REPEATS FIELD=TEXT...   (FIELD: the field's number from 1; TEXT
// in UTF-8; each FIELD=TEXT is a query of its own)
// Prints "open SECONDS" and, per query, "query FIELD=TEXT: SECONDS, N found".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "viewer/search/book.h"
#include "viewer/search/search.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: book_search_bench BOOK REPEATS FIELD=TEXT...\n");
    return 2;
  }
  const auto open_start = std::chrono::steady_clock::now();
  const StatusOr<viewer::Book> loaded = viewer::LoadBook(argv[1]);
  if (!loaded.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], loaded.status().message().c_str());
    return 1;
  }
  const viewer::Book& book = loaded.value();
  std::printf("open %.3f\n", SecondsSince(open_start));
  const int repeats = std::max(1, std::atoi(argv[2]));
  for (int i = 3; i < argc; ++i) {
    const std::string query = argv[i];
    const std::size_t equals = query.find('=');
    const auto text = codepage::Utf8ToCp1251(query.substr(equals + 1));
    if (equals == std::string::npos || !text) return 2;
    const viewer::RecordMatcher matcher = viewer::RecordMatcher::AllBoxes(
        book.layout(), {{std::stoul(query.substr(0, equals)) - 1, *text}});
    std::vector<double> seconds;
    std::size_t found = 0;
    for (int r = 0; r < repeats; ++r) {
      const auto start = std::chrono::steady_clock::now();
      found = viewer::FindRecords(book, matcher).size();
      seconds.push_back(SecondsSince(start));
    }
    std::nth_element(seconds.begin(), seconds.begin() + repeats / 2, seconds.end());
    std::printf("query %s: %.4f, %zu found\n", argv[i], seconds[repeats / 2], found);
  }
  return 0;
}
