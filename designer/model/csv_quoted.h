// The records of a text table whose values may stand in double quotes, as RFC 4180 writes them
// and spreadsheet programs read them: a value that begins with the quote runs to the next quote
// that is not doubled; inside it two quotes stand for one, and the splitter and line breaks are
// text. Anything else is read leniently, as spreadsheet programs do: a quote inside a value that
// did not begin with one is text, and so is text between a closing quote and the next splitter;
// both mark the record as not well-formed, and so does a quote still open at the end of the
// input, which makes the rest of the input the last value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "designer/model/text_file.h"

namespace designer {

inline constexpr char kQuote = '"';

class QuotedRecordReader {
 public:
  // Reads the records of `lines`, which must outlive the reader and stand at the start of a line
  // (a UTF-8 byte-order mark already dropped). `splitter` is as it stands in the text; an empty
  // one never splits. The first record begins on line `first_line` (1-based) of the input.
  QuotedRecordReader(LineReader& lines, std::string splitter, std::int64_t first_line = 1);

  // Reads the next record into `cells`: its values without their quotes, a line break inside a
  // value as one LF. The views stay valid until the next call. An empty line is a record without
  // cells. Returns false when no record is left or reading failed (the reader's status()).
  bool Next(std::vector<std::string_view>& cells);
  // Reads past the next record; false as Next.
  bool Skip();

  // About the record read last: the line it began on, how many line breaks its values hold,
  // whether it had a value in quotes, and whether it is well-formed (see above).
  std::int64_t line() const { return record_line_; }
  int line_breaks() const { return line_breaks_; }
  bool has_quoted_value() const { return has_quoted_value_; }
  bool well_formed() const { return well_formed_; }
  bool quote_left_open() const { return quote_left_open_; }
  // Whether its values may hold a control character (a line break, a tab): when not, they hold
  // none.
  bool may_hold_controls() const { return may_hold_controls_; }
  // Ok, or the reader's failure.
  const Status& status() const { return lines_.status(); }

 private:
  // Where a value lies: in the line being read, or built in store_ (a value whose quotes are
  // doubled, or which goes on in the next line).
  struct Part {
    bool stored = false;
    std::size_t begin = 0;
    std::size_t end = 0;
  };

  // Reads the next line of the input into text_; false at the end.
  bool NextLine();
  // Reads one value that begins at pos_ in text_ onto parts_; the value began with a quote when
  // `quoted`. Returns whether a splitter follows it on its line.
  bool ReadValue(bool quoted);
  // Reads the rest of a quoted value (pos_ just after its opening quote) into `part`, the last
  // of parts_.
  void ReadQuoted(Part& part);
  // Moves the values that lie in the line being read into store_, before the line is left.
  void StoreParts();

  LineReader& lines_;
  std::string splitter_;
  std::int64_t next_line_;
  std::string copy_;       // a line that the reader could not lend in place
  std::string_view text_;  // the line being read
  std::size_t pos_ = 0;
  std::vector<Part> parts_;  // the record's values
  std::string store_;        // the values built, back to back
  std::int64_t record_line_ = 0;
  int line_breaks_ = 0;
  bool has_quoted_value_ = false;
  bool well_formed_ = true;
  bool quote_left_open_ = false;
  bool may_hold_controls_ = false;
};

}  // namespace designer
