// Times the CSV import dialog's pass over a whole file (ReadCsvTable, as the dialog counts its
// warnings) on the same records written twice: PLAIN read without quotes, QUOTED (every text
// value in double quotes) read with them. Rounds alternate the two; prints the medians of the
// time on the clock and of the processor time the pass took (steadier on a busy machine) and
// their ratios, and fails when the two readings do not give the same records and findings.
//
// Usage: csv_quotes_bench PLAIN QUOTED ROUNDS
// Prints "plain SECONDS", "quoted SECONDS", "ratio R", "plain_cpu SECONDS", "quoted_cpu SECONDS",
// "ratio_cpu R", "records N".
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "designer/model/csv_table.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// One pass as the dialog makes it, with the encoding it found; the seconds it took on the clock,
// and in `cpu` those of the processor.
double Pass(const std::string& path, bool quoted, designer::Document& result, double& cpu) {
  const designer::CsvSettings settings{.encoding = designer::TextEncoding::kCp1251,
                                       .splitter = ";",
                                       .quoted = quoted,
                                       .first_line_has_names = true};
  const auto start = std::chrono::steady_clock::now();
  const double cpu_start = ProcessorSeconds();
  designer::CsvTable table;
  const Status status =
      designer::ReadCsvTable(path, settings, {.find_free_splitter = false}, 0, table);
  cpu = ProcessorSeconds() - cpu_start;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!status.ok()) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), status.message().c_str());
    std::exit(1);
  }
  table.scan->ApplyTo(result);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: csv_quotes_bench PLAIN QUOTED ROUNDS\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[3]));
  std::vector<double> plain, quoted, plain_cpu, quoted_cpu;
  designer::Document plain_doc, quoted_doc;
  for (int round = 0; round < rounds; ++round) {
    plain.push_back(Pass(argv[1], false, plain_doc, plain_cpu.emplace_back()));
    quoted.push_back(Pass(argv[2], true, quoted_doc, quoted_cpu.emplace_back()));
  }
  if (plain_doc.RecordCount != quoted_doc.RecordCount || plain_doc.Fields != quoted_doc.Fields ||
      plain_doc.SampleValues != quoted_doc.SampleValues) {
    std::fprintf(stderr, "the two files were not read into the same records\n");
    return 1;
  }
  const double p = Median(plain), q = Median(quoted);
  const double pc = Median(plain_cpu), qc = Median(quoted_cpu);
  std::printf("plain %.3f\nquoted %.3f\nratio %.2f\n", p, q, q / p);
  std::printf("plain_cpu %.3f\nquoted_cpu %.3f\nratio_cpu %.2f\nrecords %d\n", pc, qc, qc / pc,
              plain_doc.RecordCount);
  return 0;
}
