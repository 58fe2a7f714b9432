// A query box of the viewer: it takes what the handheld's box of its field takes and turns
// letters into capitals where the field says so, while they are typed or pasted.
#pragma once

#include <QValidator>
#include <cstdint>

namespace viewer {

class QueryBoxValidator : public QValidator {
 public:
  QueryBoxValidator(std::uint8_t flags, QObject* parent);
  // Refuses text the box does not take (and characters Windows-1251 lacks, which no book holds);
  // otherwise leaves it as the box holds it once typed.
  State validate(QString& input, int& pos) const override;

 private:
  std::uint8_t flags_;
};

}  // namespace viewer
