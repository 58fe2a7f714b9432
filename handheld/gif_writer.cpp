#include "handheld/gif_writer.h"

#include <array>
#include <cstdint>
#include <vector>

#include "common/little_endian.h"

namespace handheld {

namespace {

constexpr int kColours = 16;
constexpr int kMinCodeSize = 4;  // bits of one pixel index
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kFirstFreeCode = kClearCode + 2;
constexpr int kMaxCodes = 4096;  // 12-bit codes
constexpr int kMaxCodeSize = 12;
constexpr int kSubBlockSize = 255;

void PutWord(QByteArray& out, int value) {
  char word[2];
  PutLittleEndian(word, static_cast<std::uint32_t>(value), 2);
  out.append(word, 2);
}

// Packs codes least significant bit first and cuts the bytes into sub-blocks.
class CodeStream {
 public:
  void Put(int code, int size) {
    bits_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += size;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<char>(bits_ & 0xff));
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  void FinishInto(QByteArray& out) {
    if (count_ > 0) bytes_.push_back(static_cast<char>(bits_ & 0xff));
    for (std::size_t at = 0; at < bytes_.size(); at += kSubBlockSize) {
      const std::size_t length = std::min<std::size_t>(kSubBlockSize, bytes_.size() - at);
      out.append(static_cast<char>(length));
      out.append(bytes_.data() + at, static_cast<qsizetype>(length));
    }
    out.append('\0');  // block terminator
  }

 private:
  std::vector<char> bytes_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

void CompressPixels(const QImage& image, QByteArray& out) {
  // table[prefix * kColours + pixel]: the code of that string, or -1.
  std::vector<int> table(kMaxCodes * kColours, -1);
  int next_code = kFirstFreeCode;
  int code_size = kMinCodeSize + 1;
  CodeStream codes;
  codes.Put(kClearCode, code_size);

  int prefix = -1;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const int pixel = line[x];
      if (prefix < 0) {
        prefix = pixel;
        continue;
      }
      const int key = prefix * kColours + pixel;
      if (table[key] >= 0) {
        prefix = table[key];
        continue;
      }
      codes.Put(prefix, code_size);
      if (next_code < kMaxCodes) {
        table[key] = next_code++;
        // The reader adds its entries one code later, so it widens its codes when its table
        // reaches the size at which ours has already passed it.
        if (next_code > (1 << code_size) && code_size < kMaxCodeSize) ++code_size;
      } else {
        codes.Put(kClearCode, code_size);
        std::fill(table.begin(), table.end(), -1);
        next_code = kFirstFreeCode;
        code_size = kMinCodeSize + 1;
      }
      prefix = pixel;
    }
  }
  if (prefix >= 0) codes.Put(prefix, code_size);
  codes.Put(kEndCode, code_size);
  out.append(static_cast<char>(kMinCodeSize));
  codes.FinishInto(out);
}

bool Qualifies(const QImage& image) {
  if (image.format() != QImage::Format_Indexed8 || image.isNull()) return false;
  if (image.colorCount() > kColours || image.width() > 0xffff || image.height() > 0xffff) {
    return false;
  }
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] >= image.colorCount()) return false;
    }
  }
  return true;
}

}  // namespace

QByteArray EncodeGif16(const QImage& image) {
  if (!Qualifies(image)) return {};
  QByteArray out("GIF89a");
  PutWord(out, image.width());
  PutWord(out, image.height());
  // Global colour table of 2^(3+1) entries, 8 bits per primary colour.
  out.append(static_cast<char>(0x80 | (7 << 4) | 3));
  out.append('\0');  // background colour index
  out.append('\0');  // no aspect ratio given
  for (int i = 0; i < kColours; ++i) {
    const QRgb colour = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
    out.append(static_cast<char>(qRed(colour)));
    out.append(static_cast<char>(qGreen(colour)));
    out.append(static_cast<char>(qBlue(colour)));
  }
  out.append(',');  // image descriptor
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, image.width());
  PutWord(out, image.height());
  out.append('\0');  // no local table, not interlaced
  CompressPixels(image, out);
  out.append(';');  // trailer
  return out;
}

}  // namespace handheld
