// A table database written back as a source file from which the builder makes the same database
// byte for byte: the checks of what a source file cannot carry, the choice of the splitter and
// the data line of each record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "format/database_reader.h"

namespace format {

// The splitters tried in turn when none is given. A tab never occurs in a value the builder
// stored, since it ends a value there.
inline constexpr std::array<char, 4> kSplitterChoices = {';', ',', '\t', '|'};

// Finds the first of kSplitterChoices that occurs in none of the texts seen.
class SplitterChoice {
 public:
  void See(std::string_view text);
  std::optional<char> Choice() const;

 private:
  std::array<bool, kSplitterChoices.size()> seen_{};
};

// The byte that follows the prefix on a source file's prefix line, as the header shows it: a
// name shorter than 5 bytes leaves it visible at offset 18; otherwise CR, as the designer writes.
char PrefixLineEnd(const DbHeader& header);

// Whether a source file can give the builder exactly the header and descriptors `reader` read:
// names without control characters that do not begin with ";" (a comment), and every byte where
// the builder would put it. A Refusal that says what cannot be carried otherwise.
Status CheckSourceHeader(const DatabaseReader& reader);

// The data lines of a table database's records.
class DataLineMaker {
 public:
  // `max_sizes[i]` is the max size the builder starts field i with; a number is written in its
  // shortest form where its usual text would raise it. With `exact`, a text value that would
  // raise it is refused, as the database would change. `splitter` is 0 while it is not yet
  // known: nothing is checked against it then.
  DataLineMaker(std::vector<std::uint16_t> max_sizes, char splitter, bool exact);

  // The line (without its line end) from which the builder makes `record` again, at most
  // `max_length` characters long; a Refusal naming the record and the field when there is none.
  // A record of one empty value gives a blank, so that the line is not empty: readers drop
  // empty lines, and the builder trims the blank away.
  Status Make(const BookRecord& record, std::size_t max_length, std::string& line);

  // Whether the last refusal was of a value that holds the splitter.
  bool splitter_met() const { return splitter_met_; }

 private:
  Status CheckText(const BookRecord& record, std::size_t field);

  std::vector<std::uint16_t> max_sizes_;
  char splitter_;
  bool exact_;
  bool splitter_met_ = false;
};

// How `splitter` is named in a message: "«;»", or "табуляция".
std::string SplitterForMessage(char splitter);

// The longest data line the builder converts, without its line end; a last line without one
// may take the line end's two characters too.
inline constexpr std::size_t kMaxLineText = kMaxLineLength - 2;

}  // namespace format
